#include "base/data/app_error.h"
#include "base/export/text_export.h"
#include "table_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TextExportTest : public ::testing::Test, protected TableFixture {
  protected:
    TextExportTest() { tableRun.run(QStringLiteral("01.01.02"), SelectionState()); }
};

TEST_F(TextExportTest, FileBytesWithEachSeparator) {
    // The top-level figure "Total geral" comes once, among the plain fields.
    const struct {
        QChar separator;
        QByteArray bytes;
    } cases[] = {
        {QLatin1Char(';'), "Regi\xE3o;Total geral;Percentual;Amostra\r\nNordeste;2564,5;28;1715\r\n"
                           "Norte;300;10;99\r\nTOTAL;2864,5;25;1814\r\n"},
        // A decimal comma with the comma separator: the value is quoted.
        {QLatin1Char(','), "Regi\xE3o,Total geral,Percentual,Amostra\r\nNordeste,\"2564,5\",28,1715\r\n"
                           "Norte,300,10,99\r\nTOTAL,\"2864,5\",25,1814\r\n"},
        {QLatin1Char('\t'), "Regi\xE3o\tTotal geral\tPercentual\tAmostra\r\nNordeste\t2564,5\t28\t1715\r\n"
                            "Norte\t300\t10\t99\r\nTOTAL\t2864,5\t25\t1814\r\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TextExport::bytes(result, c.separator), c.bytes);
    QByteArray utf8 = cases[0].bytes;
    utf8.replace("\xE3", "\xC3\xA3");
    EXPECT_EQ(TextExport::bytes(result, QLatin1Char(';'), true), utf8);
}

TEST_F(TextExportTest, ValuesHoldingTheSeparatorAreQuotedWithTheirQuotesDoubled) {
    ResultTable table;
    const int nome = table.addField(QStringLiteral("Nome"), FieldKind::Text, 40);
    table.createDataSet();
    table.field(nome).setDisplayLabel(QStringLiteral("Nome; local"));
    for (const char *text : {"Serra; \"Alta\"", "Vale\tdo Sol", "Sem \"aspas\" a mudar"}) {
        table.append();
        table.setText(nome, QString::fromUtf8(text));
    }
    const struct {
        QChar separator;
        QByteArray bytes;
    } cases[] = {
        {QLatin1Char(';'), "\"Nome; local\"\r\n\"Serra; \"\"Alta\"\"\"\r\nVale\tdo Sol\r\nSem \"aspas\" a mudar\r\n"},
        {QLatin1Char('\t'), "Nome; local\r\nSerra; \"Alta\"\r\n\"Vale\tdo Sol\"\r\nSem \"aspas\" a mudar\r\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TextExport::bytes(table, {}, c.separator), c.bytes);
}

// Figures in the general format with the locale's decimal comma, null cells
// empty, texts in the file's encoding ('?' for what Windows-1252 lacks).
TEST_F(TextExportTest, CellsOfEveryKindInEitherEncoding) {
    ResultTable table;
    const int nome = table.addField(QStringLiteral("Nome"), FieldKind::Text, 40);
    const int valor = table.addField(QStringLiteral("Valor"), FieldKind::Float);
    const int tipo = table.addField(QStringLiteral("Tipo"), FieldKind::Integer);
    table.createDataSet();
    table.append();
    table.setText(nome, QStringLiteral("Preço €"));
    table.setFloat(valor, -2.5);
    table.setInteger(tipo, 4);
    table.append();
    table.setText(nome, QStringLiteral("Seta →"));
    table.setFloat(valor, 1e20);
    table.append();
    table.setFloat(valor, 0.1 + 0.2);
    table.setInteger(tipo, -7);
    EXPECT_EQ(TextExport::bytes(table, {}, QLatin1Char(';')),
              QByteArray("Nome;Valor;Tipo\r\nPre\xE7o \x80;-2,5;4\r\nSeta ?;1e+20;\r\n;0,3;-7\r\n"));
    EXPECT_EQ(TextExport::bytes(table, {}, QLatin1Char(';'), true),
              QByteArray("Nome;Valor;Tipo\r\nPre\xC3\xA7o \xE2\x82\xAC;-2,5;4\r\nSeta \xE2\x86\x92;1e+20;\r\n;0,3;-7\r\n"));
}

TEST_F(TextExportTest, TableWithoutColumnsGivesAnEmptyTitleLine) {
    ResultTable empty;
    empty.createDataSet();
    EXPECT_EQ(TextExport::bytes(empty, {}, QLatin1Char(';')), QByteArray("\r\n"));
}

} // namespace
