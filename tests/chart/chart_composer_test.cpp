#include "base/table/result_table.h"
#include "core/chart/chart_composer.h"

#include <gtest/gtest.h>
#include <cmath>

namespace {

// Three municipalities and their state's total row (kind 4), which is no point.
class ChartComposerTest : public ::testing::Test {
  protected:
    ChartComposerTest() {
        m_local = m_table.addField(QStringLiteral("DMunicipio"), FieldKind::Text, 50);
        m_tipo = m_table.addField(QStringLiteral("Tipo_Registro"), FieldKind::Integer);
        const int group = m_table.addField(QStringLiteral("Deficit"), FieldKind::Group);
        m_value = m_table.addField(QStringLiteral("A01"), FieldKind::Float, 0, group);
        m_table.field(m_value).setDisplayFormat(QStringLiteral("###,##0"));
        m_table.createDataSet();
        addRow(QStringLiteral("Recife"), 1, 1234);
        addRow(QStringLiteral("Olinda"), 1, 766);
        addRow(QStringLiteral("TOTAL"), 4, 2500);
        m_table.append();
        m_table.setText(m_local, QStringLiteral("Paulista"));
        m_table.setInteger(m_tipo, 1);
    }

    void addRow(const QString &local, int tipo, double value) {
        m_table.append();
        m_table.setText(m_local, local);
        m_table.setInteger(m_tipo, tipo);
        m_table.setFloat(m_value, value);
    }

    ChartSettings compose(ChartPicture picture, QChar identifier, bool legend = true) {
        return ChartComposer::compose(m_table, QStringLiteral("Deficit.A01"), QStringLiteral("DMunicipio"), 4,
                                      {QStringLiteral("Déficit")}, {picture, identifier, legend});
    }

    ResultTable m_table;
    int m_local, m_tipo, m_value;
};

} // namespace

TEST_F(ChartComposerTest, OnePointPerDetailRowInTableOrder) {
    const ChartSettings settings = compose(ChartPicture::BarVert, QLatin1Char('V'));
    ASSERT_EQ(settings.points.size(), 3u);
    EXPECT_EQ(settings.points[0].label, QStringLiteral("Recife"));
    EXPECT_EQ(settings.points[0].value, 1234);
    EXPECT_EQ(settings.points[1].label, QStringLiteral("Olinda"));
    EXPECT_EQ(settings.points[2].label, QStringLiteral("Paulista"));
    EXPECT_TRUE(std::isnan(settings.points[2].value)) << "a null figure is no value, not zero";
    EXPECT_EQ(settings.valueFormat, QStringLiteral("###,##0"));
    EXPECT_EQ(settings.titleLines, QStringList{QStringLiteral("Déficit")});
}

TEST_F(ChartComposerTest, PictureChoosesSeriesViewMarkLinesAndAxisLabels) {
    const struct {
        ChartPicture picture;
        SeriesKind kind;
        bool view3D;
        int arrow;
        bool left, bottom;
    } table[] = {
        {ChartPicture::Pizza, SeriesKind::Donut, true, 8, true, false},
        {ChartPicture::Roda, SeriesKind::Donut, false, 8, true, false},
        {ChartPicture::Ponto, SeriesKind::Points, true, 15, true, false},
        {ChartPicture::LinVert, SeriesKind::Volume, true, 8, true, false},
        {ChartPicture::BarHori, SeriesKind::HorizontalBars, true, 8, false, true},
        {ChartPicture::BarVert, SeriesKind::VerticalBars, true, 8, true, false},
    };
    for (const auto &row : table) {
        const ChartSettings settings = compose(row.picture, QLatin1Char('V'));
        EXPECT_EQ(settings.kind, row.kind) << int(row.picture);
        EXPECT_EQ(settings.view3D, row.view3D) << int(row.picture);
        EXPECT_EQ(settings.arrowLength, row.arrow) << int(row.picture);
        EXPECT_EQ(settings.leftAxisLabels, row.left) << int(row.picture);
        EXPECT_EQ(settings.bottomAxisLabels, row.bottom) << int(row.picture);
    }
}

TEST_F(ChartComposerTest, IdentifierChoosesMarksAndLegendText) {
    const struct {
        char identifier;
        bool marks;
        MarksStyle style;
        LegendTextStyle legend;
    } table[] = {
        {'V', true, MarksStyle::Value, LegendTextStyle::Plain},
        {'P', true, MarksStyle::Percent, LegendTextStyle::Plain},
        {'D', true, MarksStyle::Label, LegendTextStyle::Value},
        {'N', false, MarksStyle::Value, LegendTextStyle::RightValue},
    };
    for (const auto &row : table) {
        const ChartSettings settings = compose(ChartPicture::Pizza, QLatin1Char(row.identifier));
        EXPECT_EQ(settings.marksVisible, row.marks) << row.identifier;
        if (row.marks) {
            EXPECT_EQ(settings.marksStyle, row.style) << row.identifier;
        }
        EXPECT_EQ(settings.legendTextStyle, row.legend) << row.identifier;
    }
    EXPECT_FALSE(compose(ChartPicture::Pizza, QLatin1Char('V'), false).legendVisible);
}
