#pragma once

#include "core/map/map_drawing.h"
#include "core/map/map_legend.h"
#include "ui/widgets/main_page.h"

#include <QImage>

class Database;
class LegendGrid;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class TVarnikMapa;

// The map page: the marked column of the current result as a thematic map
// (vkMapa, with the hovered area's name under it) and, at its right, the
// place, the grouping level, the legend grid and its three buttons. The
// picture is composed by MapDrawing, which the command-line exporter uses
// too; the page shows its left 460 columns and keeps the whole for export.
class MapPage : public MainPage {
    Q_OBJECT

  public:
    explicit MapPage(Database &database, QWidget *parent = nullptr);

    // Entering the page draws the marked column, loading its legend from
    // its file or computing it. Nothing is drawn while no column of an open
    // table is marked. A refusal asks the window back to the data section,
    // then shows its text.
    void enter(const CurrentResult &result) override;
    // Leaving the page empties the legend classes and releases the picture.
    void leave() override;
    void clear() override;

    // The finished picture of the current map (empty when none is drawn).
    const QImage &picture() const { return m_map.picture; }
    // The map drawn, with what its vector picture is traced from.
    const MapResult &map() const { return m_map; }
    const MapLegend &legend() const { return m_legend; }

  signals:
    void dataSectionRequested();

  private:
    QWidget *createRightPanel();
    // Draws the marked column; with loadLegend the legend is read from its
    // file or computed, else the grid's classes are used.
    void redraw(bool loadLegend);
    void btnSalvarClick();
    void btnAutomaticaClick();
    void btnAtualizarMapaClick();
    // Fills the grid with the classes of a method and redraws the map, as
    // "Atualizar Mapa" does; nothing is saved until "Salvar".
    void chooseClasses(ClassMethod method);
    void legendEdited();
    // The map's own items in its context menu: "Salvar mapa como…", enabled
    // while a map is drawn.
    void addMapItems(QMenu &menu);
    // Asks for a file (PNG, JPEG, SVG or PDF) and writes the map there.
    void saveMapAs();
    // ValidaLegenda: checks and tidies the classes, showing the message of
    // the failing class; the grid shows the tidied classes either way.
    bool ValidaLegenda();

    Database &m_database;
    const CurrentResult *m_result = nullptr;
    MapLegend m_legend;
    MapResult m_map;

    TVarnikMapa *m_vkMapa;
    QLabel *m_pnlNomeArea;
    QLabel *m_lblNomeLocal;
    QLineEdit *m_edtNomeLocal;
    QLabel *m_lblMapaDeTit;
    QLabel *m_lblMapaDe;
    QToolButton *m_btnSalvar;
    QToolButton *m_btnAutomatica;
    LegendGrid *m_stgLegendaMapa;
    QToolButton *m_btnAtualizarMapa;
};
