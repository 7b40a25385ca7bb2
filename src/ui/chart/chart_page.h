#pragma once

#include "base/chart/chart_choice.h"
#include "ui/widgets/main_page.h"

#include <array>

class ChartTypePicture;
class ChartView;
class CurrentResult;
class Database;
class QCheckBox;
class RadioGroup;

// The chart page pgGrafico: the marked column of the current result as a
// chart (dbchtGrafico) and, at its right, a 95-pixel panel with the legend
// switch, the identifier groups and the six type pictures. The chart shows
// the detail rows of the current result; leaving the page unbinds it. The
// chart is composed by ChartComposer, which the command-line exporter uses
// too.
class ChartPage : public MainPage {
    Q_OBJECT

public:
    explicit ChartPage(Database &database, QWidget *parent = nullptr);

    // Enters with the marked column: a percentage column offers no pie and
    // turns the pie into points; then draws.
    void enter(const CurrentResult &result) override;
    // Unbinds the chart.
    void leave() override;
    void clear() override;

    // Draws the chart of series t with the choices of the side panel.
    void MostraGrafico(int t);

    int FTipoGrafico() const { return m_FTipoGrafico; }
    // Whether a column is marked, so that a chart is drawn.
    bool hasMarkedColumn() const;
    // The chart control, whose picture the export saves.
    const ChartView &dbchtGrafico() const { return *m_dbchtGrafico; }

private:
    QWidget *buildSidePanel();
    void imgGPizzaClick(ChartTypePicture *clicked);
    void rgIdentificadorClick();
    ChartChoice choice(bool percentage) const;
    bool isPercentageColumn() const;

    Database &m_database;
    const CurrentResult *m_result = nullptr;
    int m_FTipoGrafico = 0;

    ChartView *m_dbchtGrafico = nullptr;
    QCheckBox *m_cbLegenda = nullptr;
    RadioGroup *m_rgIdentificador = nullptr;
    RadioGroup *m_rgIdentificador2 = nullptr;
    // In row order: imgGPizza, imgGRoda, imgGPonto, imgGLinVert, imgGBarHori, imgGBarVert.
    std::array<ChartTypePicture *, 6> m_pictures{};
};
