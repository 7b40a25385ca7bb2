// The command lines a general option parser reads otherwise than
// solvane-export: a value that is another option, values after "=", a
// repeated option, single-dash and bare words, a switch given a value, and
// which of several faults is reported.
#include "base/export/bad_input.h"
#include "base/export/export_options.h"

#include <gtest/gtest.h>

namespace {

using ExportCommand::Options;

// Every field, so that a case shows any field read wrong, not only the one
// it is about.
QStringList fields(const Options &o) {
    const SelectionState &s = o.selection;
    return {o.topic,
            QString::number(s.agrupar),
            QString::number(s.regiao),
            QString::number(s.unidadeFederativa),
            QString::number(s.microRegiao),
            QString::number(s.regiaoMetropolitana),
            QString::number(s.municipio),
            QString::number(s.faixaInicial),
            QString::number(s.faixaFinal),
            s.municipiosSelecionados.join(QLatin1Char(' ')),
            o.separator,
            o.output,
            o.workbook,
            QString::number(o.utf8),
            o.coluna,
            o.mapa,
            o.grafico,
            o.tipo ? QString::number(int(*o.tipo)) : QString(),
            o.identificador ? QString(*o.identificador) : QString(),
            QString::number(o.legenda),
            QString::number(o.tamanho.width()),
            QString::number(o.tamanho.height()),
            QString::number(o.help)};
}

std::string text(const QStringList &arguments) { return arguments.join(QLatin1Char(' ')).toStdString(); }

TEST(ExportOptions, ReadsValuesAfterEqualsAndLetTheLastRepeatWin) {
    const struct {
        QStringList arguments;
        void (*expect)(Options &);
    } cases[] = {
        // After "=" the value is taken as it is, even when it looks like an
        // option or holds another "=".
        {{"--topico=01.01.01", "--saida=--utf8"},
         [](Options &o) {
             o.topic = "01.01.01";
             o.output = "--utf8";
         }},
        {{"--topico=01=02", "--coluna=--x", "--planilha=--p.xlsx"},
         [](Options &o) {
             o.topic = "01=02";
             o.coluna = "--x";
             o.workbook = "--p.xlsx";
         }},
        // A value after a blank may start with a single dash.
        {{"--topico", "01.01.01", "--coluna", "-A07"},
         [](Options &o) {
             o.topic = "01.01.01";
             o.coluna = "-A07";
         }},
        // The last of a repeated option wins; a second list replaces the first.
        {{"--topico", "01", "--uf", "26", "--topico=01.01.01", "--uf=27", "--municipios", "1,2", "--municipios", "3"},
         [](Options &o) {
             o.topic = "01.01.01";
             o.selection.unidadeFederativa = 27;
             o.selection.municipiosSelecionados = QStringList{"/3"};
         }},
        {{"--topico", "01.01.01", "--utf8", "--utf8", "--largura", "60", "--largura=70", "--tipo", "rosca", "--tipo",
          "linhas"},
         [](Options &o) {
             o.topic = "01.01.01";
             o.utf8 = true;
             o.tamanho.setWidth(70);
             o.tipo = ChartPicture::LinVert;
         }},
        // An empty topic after "=" is no topic, but --help needs none.
        {{"--topico=", "--help"}, [](Options &o) { o.help = true; }},
    };
    for (const auto &c : cases) {
        Options expected;
        c.expect(expected);
        EXPECT_EQ(fields(ExportCommand::parse(c.arguments)), fields(expected)) << text(c.arguments);
    }
}

TEST(ExportOptions, RefusesWordsThatAreNoOptionOfTheCommand) {
    const struct {
        QStringList arguments;
        const char *message;
    } cases[] = {
        // An option is never the value of another.
        {{"--topico", "01.01.01", "--saida", "--utf8"}, "falta o valor de --saida"},
        {{"--topico", "--help"}, "falta o valor de --topico"},
        {{"--topico", "01.01.01", "--mapa", "--coluna=A07"}, "falta o valor de --mapa"},
        {{"--topico", "01.01.01", "--saida="}, "falta o valor de --saida"},
        {{"--topico", "01.01.01", "--planilha", ""}, "falta o valor de --planilha"},
        {{"--topico="}, "falta a opção --topico"},
        // Single-dash words, bare words and "--" are unknown options, also
        // where they would be short options, arguments or the end of options.
        {{"-h"}, "opção desconhecida: \"-h\""},
        {{"--topico", "01.01.01", "-x"}, "opção desconhecida: \"-x\""},
        {{"-topico", "01.01.01"}, "opção desconhecida: \"-topico\""},
        {{"--topico", "01.01.01", "-"}, "opção desconhecida: \"-\""},
        {{"--topico", "01.01.01", "tabela.txt"}, "opção desconhecida: \"tabela.txt\""},
        {{"--topico", "01.01.01", ""}, "opção desconhecida: \"\""},
        {{"--topico", "01.01.01", "--", "--utf8"}, "opção desconhecida: \"--\""},
        {{"--topico", "01.01.01", "--=x"}, "opção desconhecida: \"--=x\""},
        {{"--topico", "01.01.01", "--Topico", "x"}, "opção desconhecida: \"--Topico\""},
        {{"--topico", "01.01.01", "--cor=azul"}, "opção desconhecida: \"--cor=azul\""},
        // A switch takes no value: "--utf8=nao" is not read as --utf8.
        {{"--topico", "01.01.01", "--utf8=nao"}, "--utf8 não leva valor: \"--utf8=nao\""},
        {{"--topico", "01.01.01", "--sem-legenda=nao"}, "--sem-legenda não leva valor: \"--sem-legenda=nao\""},
        {{"--help=sim"}, "--help não leva valor: \"--help=sim\""},
        // Of several faults the first in argument order is reported, and a
        // repeat does not hide a bad value before it.
        {{"--topico", "01.01.01", "--uf", "PE", "--cor"}, "valor não numérico para --uf: \"PE\""},
        {{"--topico", "01.01.01", "--cor", "--uf", "PE"}, "opção desconhecida: \"--cor\""},
        {{"--topico", "01.01.01", "--saida", "--uf", "PE"}, "falta o valor de --saida"},
        {{"--topico", "01.01.01", "--tipo", "barras", "--largura"},
         "valor inválido para --tipo: \"barras\" (use pizza, rosca, pontos, linhas, barras-horizontais, "
         "barras-verticais)"},
        {{"--topico", "01.01.01", "--uf", "PE", "--uf", "26"}, "valor não numérico para --uf: \"PE\""},
        {{"--help", "--cor"}, "opção desconhecida: \"--cor\""},
        {{"--grafico", "g.svg", "--utf8"}, "falta a opção --topico"},
        {{"--topico", "01.01.01", "--grafico", "g.svg", "--mapa", "m.png"}, "--mapa pede a coluna do mapa em --coluna"},
        // A long unknown word is cut in the message.
        {{"--topico", "01.01.01", QString(5000, QLatin1Char('y'))},
         "opção desconhecida: \"yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy...\""},
    };
    for (const auto &c : cases) {
        try {
            ExportCommand::parse(c.arguments);
            ADD_FAILURE() << "accepted: " << text(c.arguments);
        } catch (const BadInput &error) {
            EXPECT_EQ(error.message().toStdString(), c.message) << text(c.arguments);
        }
    }
}

// A workbook is written as .xlsx, so its name must end so (any letter
// case) for --planilha and for a workbook of --mapa or --grafico.
TEST(ExportOptions, AWorkbookNameMustEndInXlsx) {
    const struct {
        const char *option;
        const char *path;
        bool accepted;
    } cases[] = {
        {"--planilha", "p.xlsx", true},
        {"--planilha", "P.XLSX", true},
        {"--mapa", "m.Xlsx", true},
        {"--grafico", "g.xlsx", true},
        {"--planilha", "p.xls", false},
        {"--planilha", "a.xlsx.txt", false},
        {"--planilha", "tabela.txt", false},
        {"--planilha", "xlsx", false},
        {"--mapa", "m.xls", false},
        {"--mapa", "m.xlsx.bak", false},
        {"--grafico", "g.XLS", false},
    };
    for (const auto &c : cases) {
        const QStringList arguments = {"--topico", "01.01.01", "--coluna", "A07", c.option, c.path};
        try {
            ExportCommand::parse(arguments);
            EXPECT_TRUE(c.accepted) << "accepted: " << text(arguments);
        } catch (const BadInput &error) {
            EXPECT_FALSE(c.accepted) << text(arguments);
            EXPECT_EQ(error.message(), QStringLiteral("o nome da planilha deve terminar em .xlsx: \"%1\"").arg(c.path))
                << text(arguments);
        }
    }
}

} // namespace
