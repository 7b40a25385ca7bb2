#include "base/data/app_error.h"
#include "base/export/text_export.h"
#include "table_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

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

// A run that hands each row over as it is assembled writes the same file as
// a run that keeps its rows, for every grouping, filter, separator and
// encoding, the municipality list included; the table keeps no row.
TEST(TextExportStream, AStreamedRunWritesTheFileOfAWholeRun) {
    const struct {
        const char *topic;
        SelectionState selection;
    } runs[] = {
        {"01.01.02", selection(Grouping::Regiao)},
        {"01.01.02", selection(Grouping::UnidadeFederativa, 2)},
        {"01.01.02", selection(Grouping::MicroRegiao, 0, 26)},
        {"01.01.02", selection(Grouping::RegiaoMetropolitana)},
        {"01.01.02", selection(Grouping::Municipio)},
        {"03", selection(Grouping::Municipio, 0, 26)},
    };
    for (const auto &r : runs) {
        TableFixture whole, streamed;
        ASSERT_TRUE(whole.tableRun.run(QString::fromLatin1(r.topic), r.selection));
        for (const QChar separator : {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')}) {
            for (const bool utf8 : {false, true}) {
                SCOPED_TRACE(QStringLiteral("%1 agrupado por %2, separador %3%4")
                                 .arg(QLatin1String(r.topic))
                                 .arg(r.selection.agrupar)
                                 .arg(separator)
                                 .arg(utf8 ? QStringLiteral(", UTF-8") : QString())
                                 .toStdString());
                QByteArray file;
                std::optional<TextExport::Writer> writer;
                TableRun::Hooks hooks;
                hooks.labelled = [&](const CurrentResult &result) {
                    writer.emplace(result, separator, utf8, [&file](QByteArrayView part) { file.append(part); });
                };
                int rows = 0;
                hooks.rows = [&](const ResultTable &table, int row) {
                    EXPECT_EQ(table.recordCount(), 1);
                    writer->row(table, row);
                    ++rows;
                };
                ASSERT_TRUE(streamed.tableRun.run(QString::fromLatin1(r.topic), r.selection, hooks));
                writer->finish();
                EXPECT_EQ(file, TextExport::bytes(whole.result, separator, utf8));
                EXPECT_EQ(rows, whole.cdsDados.recordCount());
                EXPECT_EQ(streamed.cdsDados.recordCount(), 0);
            }
        }
    }
}

// A file larger than a part reaches the sink in parts that join, line by
// line, into the file, a line never split between parts; a value quoted
// for holding the separator is quoted in any part.
TEST(TextExportStream, PartsJoinIntoTheFile) {
    ResultTable table;
    const int nome = table.addField(QStringLiteral("Nome"), FieldKind::Text, 40);
    const int valor = table.addField(QStringLiteral("Valor"), FieldKind::Float);
    table.createDataSet();
    table.field(nome).setDisplayLabel(QStringLiteral("Município"));
    QByteArray expected = "Munic\xEDpio;Valor\r\n";
    constexpr int kRows = 20000;
    for (int i = 0; i < kRows; ++i) {
        table.append();
        const QString name = i % 7 == 0 ? QStringLiteral("São; %1").arg(i) : QStringLiteral("Lugar %1").arg(i);
        table.setText(nome, name);
        table.setFloat(valor, i + 0.5);
        expected += (i % 7 == 0 ? "\"S\xE3o; " + QByteArray::number(i) + '"' : "Lugar " + QByteArray::number(i)) + ';' +
                    QByteArray::number(i) + ",5\r\n";
    }
    QList<QByteArray> parts;
    TextExport::Writer writer(table, {}, QLatin1Char(';'), false,
                              [&parts](QByteArrayView part) { parts.append(part.toByteArray()); });
    for (int row = 0; row < kRows; ++row)
        writer.row(table, row);
    writer.finish();
    ASSERT_GT(parts.size(), 2);
    for (const QByteArray &part : parts)
        EXPECT_TRUE(part.endsWith("\r\n"));
    EXPECT_EQ(parts.join(), expected);
    EXPECT_EQ(TextExport::bytes(table, {}, QLatin1Char(';')), expected);
}

} // namespace
