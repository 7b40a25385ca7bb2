#include "../table/table_fixture.h"
#include "base/data/program_folder.h"
#include "base/table/result_table.h"
#include "support/window_user.h"
#include "ui/app/main_frm.h"
#include "ui/chart/chart_page.h"
#include "ui/chart/chart_type_picture.h"
#include "ui/chart/chart_view.h"
#include "ui/table/data_grid.h"
#include "ui/widgets/radio_group.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The main window on the table study with the topic "Déficit por faixa de
// renda" run by region: the regions Norte and Nordeste and the country's
// total row.
class ChartPageTest : public ::testing::Test {
  protected:
    ChartPageTest() : m_db(tableFixtureSql()) {
        ProgramFolder::setPath(m_db.folder());
        m_window = std::make_unique<TMain_Frm>();
        m_user = std::make_unique<WindowUser>(*m_window);
        m_user->chooseTopic(QStringLiteral("Déficit por faixa de renda"));
    }
    ~ChartPageTest() override {
        m_user.reset();
        m_window.reset();
        ProgramFolder::setPath(QString());
    }

    template <typename T = QWidget> T *find(const char *name) const {
        return m_window->findChild<T *>(QLatin1String(name));
    }
    DataGrid *grid() const { return find<DataGrid>("dbgDados"); }
    ChartPage *page() const { return find<ChartPage>("pgGrafico"); }
    const ChartSettings &chart() const { return page()->dbchtGrafico().renderer().settings(); }
    ChartTypePicture *picture(const char *name) const { return find<ChartTypePicture>(name); }

    // Marks a figure column by a click on its title, then opens the chart.
    void chartOf(const char *field) {
        m_user->markColumn(QLatin1String(field));
        ASSERT_EQ(m_user->click("btnGrafico"), QStringList());
        ASSERT_TRUE(find<QStackedWidget>("nbPrincipal")->currentWidget()->isAncestorOf(page()));
    }

    QStringList labels() const {
        QStringList shown;
        for (const ChartPoint &point : chart().points)
            shown << point.label;
        return shown;
    }

    FixtureDatabase m_db;
    std::unique_ptr<TMain_Frm> m_window;
    std::unique_ptr<WindowUser> m_user;
};

} // namespace

TEST_F(ChartPageTest, ValueColumnBecomesAPieOfTheDetailRowsAndLeavingUnbindsIt) {
    ASSERT_EQ(grid()->model()->rowCount(), 3);
    chartOf("B4");
    EXPECT_EQ(labels(), (QStringList{QStringLiteral("Nordeste"), QStringLiteral("Norte")}));
    EXPECT_EQ(chart().kind, SeriesKind::Donut);
    EXPECT_TRUE(chart().view3D);
    EXPECT_EQ(chart().titleLines.last(), QStringLiteral("Total geral"));
    EXPECT_EQ(grid()->model()->rowCount(), 3) << "the chart leaves the table it reads whole";

    for (const char *pie : {"imgGPizza", "imgGRoda"})
        EXPECT_TRUE(picture(pie)->isVisibleTo(page())) << pie;
    EXPECT_TRUE(picture("imgGPizza")->isOpaque());
    EXPECT_TRUE(find("rgIdentificador")->isVisible());
    EXPECT_FALSE(find("rgIdentificador2")->isVisible());
    EXPECT_EQ(page()->dbchtGrafico().picture().size(), page()->dbchtGrafico().size());
    // The narrow side panel still shows every caption whole.
    auto *identifiers = find<RadioGroup>("rgIdentificador");
    for (int i = 0; i < identifiers->count(); ++i) {
        const QRadioButton *item = identifiers->button(i);
        EXPECT_GE(item->width(), item->sizeHint().width()) << item->text().toStdString();
        EXPECT_LE(item->mapTo(page(), QPoint(item->sizeHint().width(), 0)).x(), page()->width())
            << item->text().toStdString();
    }

    QTest::mouseClick(find("btnDados"), Qt::LeftButton);
    EXPECT_EQ(grid()->model()->rowCount(), 3);
    EXPECT_TRUE(chart().points.empty());
}

TEST_F(ChartPageTest, PercentageColumnOffersNoPieAndNoPercentual) {
    chartOf("B1.B2");
    for (const char *pie : {"imgGPizza", "imgGRoda"}) {
        EXPECT_FALSE(picture(pie)->isVisibleTo(page())) << pie;
        EXPECT_FALSE(picture(pie)->isOpaque()) << pie;
    }
    EXPECT_TRUE(picture("imgGPonto")->isOpaque());
    EXPECT_EQ(page()->FTipoGrafico(), 1);
    EXPECT_EQ(chart().kind, SeriesKind::Points);
    EXPECT_EQ(chart().arrowLength, 15);
    EXPECT_FALSE(find("rgIdentificador")->isVisible());
    auto *identifiers = find<RadioGroup>("rgIdentificador2");
    ASSERT_TRUE(identifiers->isVisible());
    QStringList items;
    for (int i = 0; i < identifiers->count(); ++i)
        items << identifiers->button(i)->text();
    EXPECT_EQ(items, (QStringList{QStringLiteral("Valor"), QStringLiteral("Descrição"), QStringLiteral("Nenhum")}));
}

TEST_F(ChartPageTest, PicturesAndIdentifiersRedrawTheChart) {
    chartOf("B4");
    QTest::mouseClick(picture("imgGBarHori"), Qt::LeftButton);
    EXPECT_EQ(page()->FTipoGrafico(), 3);
    EXPECT_EQ(chart().kind, SeriesKind::HorizontalBars);
    EXPECT_FALSE(chart().leftAxisLabels);
    EXPECT_TRUE(chart().bottomAxisLabels);
    EXPECT_FALSE(picture("imgGPizza")->isOpaque());

    // The legend switch has no handler of its own; a click on the chosen
    // picture draws again and takes it in.
    find<QCheckBox>("cbLegenda")->setChecked(false);
    EXPECT_TRUE(chart().legendVisible);
    QTest::mouseClick(picture("imgGBarHori"), Qt::LeftButton);
    EXPECT_FALSE(chart().legendVisible);

    // "Nenhum" hides the marks and shows each label with its value in the legend.
    QTest::mouseClick(find<RadioGroup>("rgIdentificador")->button(3), Qt::LeftButton);
    EXPECT_FALSE(chart().marksVisible);
    EXPECT_EQ(chart().legendTextStyle, LegendTextStyle::RightValue);

    QTest::mouseClick(picture("imgGRoda"), Qt::LeftButton);
    EXPECT_EQ(page()->FTipoGrafico(), 0);
    EXPECT_EQ(chart().kind, SeriesKind::Donut);
    EXPECT_FALSE(chart().view3D);
    EXPECT_EQ(chart().points.size(), 2u) << "total rows never become points";
}

namespace {

// Pixels of the button's indicator, its frame left out, dark enough to read
// on the indicator's white ground.
int darkPixelsOfIndicator(QAbstractButton *button, QStyle::SubElement indicator) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect box = button->style()->subElementRect(indicator, &option, button).adjusted(3, 3, -3, -3);
    const QImage picture = button->grab().toImage();
    int dark = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            dark += qGray(picture.pixel(x, y)) < 128;
    return dark;
}

} // namespace

// The side panel's captions are white on its dark ground; the chosen
// identifier's dot and the legend's tick stay dark on their white indicators.
TEST_F(ChartPageTest, ChosenIdentifierAndLegendTickShowOnTheirIndicators) {
    chartOf("B4");
    auto *identifiers = find<RadioGroup>("rgIdentificador");
    QRadioButton *chosen = identifiers->button(identifiers->itemIndex());
    auto *legend = find<QCheckBox>("cbLegenda");
    ASSERT_TRUE(chosen->isChecked());
    ASSERT_TRUE(legend->isChecked());
    EXPECT_GT(darkPixelsOfIndicator(chosen, QStyle::SE_RadioButtonIndicator), 0);
    EXPECT_GT(darkPixelsOfIndicator(legend, QStyle::SE_CheckBoxIndicator), 0);
    EXPECT_EQ(chosen->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(legend->palette().color(QPalette::WindowText), QColor(Qt::white));
}
