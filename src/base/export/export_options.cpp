#include "base/export/export_options.h"

#include "base/chart/chart_file_format.h"
#include "base/data/text_utils.h"
#include "base/export/bad_input.h"
#include "base/map/map_file_format.h"

#include <QCommandLineParser>
#include <QHash>

#include <algorithm>
#include <iterator>
#include <limits>

// Adding an option: a row in kOptions, with the step that checks its value
// and stores it in Options (or in its selection). The parser and --help both
// read the table.
namespace ExportCommand {
namespace {

// The values of --agrupar, in the order of the grouping levels.
const QStringList kGroupings = {"regiao", "uf", "microrregiao", "rm", "municipio"};

qint64 number(const QString &option, const QString &text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0 || value > std::numeric_limits<int>::max() || text.startsWith(QLatin1Char('+')))
        throw BadInput(QStringLiteral("valor não numérico para %1: \"%2\"").arg(option, TextUtils::shortened(text)));
    return value;
}

int code(const QString &option, const QString &text) { return static_cast<int>(number(option, text)); }

// The values of --tipo, in the order of the chart page's type pictures, and of
// --identificador, in the order of its items.
const QStringList kChartTypes = {"pizza", "rosca", "pontos", "linhas", "barras-horizontais", "barras-verticais"};
const QStringList kIdentifiers = {"valor", "percentual", "descricao", "nenhum"};
const QString kIdentifierLetters = QStringLiteral("VPDN");

qsizetype oneOf(const QStringList &values, const QString &option, const QString &text) {
    const qsizetype index = values.indexOf(text);
    if (index < 0)
        throw BadInput(QStringLiteral("valor inválido para %1: \"%2\" (use %3)")
                           .arg(option, TextUtils::shortened(text), values.join(QStringLiteral(", "))));
    return index;
}

Grouping::Level grouping(const QString &text) {
    const qsizetype level = kGroupings.indexOf(text);
    if (level < 0)
        throw BadInput(QStringLiteral("agrupamento inválido: \"%1\" (use %2)")
                           .arg(TextUtils::shortened(text), kGroupings.join(QStringLiteral(", "))));
    return static_cast<Grouping::Level>(level);
}

// An empty list is no filter the user meant: it is refused, not read as
// "every municipality".
QStringList municipalities(const QString &option, const QString &list) {
    QStringList picked;
    for (const QString &item : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
        picked << QStringLiteral("/%1").arg(code(option, item.trimmed()));
    if (picked.isEmpty())
        throw BadInput(
            QStringLiteral("lista de municípios vazia em %1: \"%2\"").arg(option, TextUtils::shortened(list)));
    return picked;
}

// A chart side: large enough to hold its title, small enough to be drawn in memory.
int pixels(const QString &option, const QString &text) {
    const qint64 value = number(option, text);
    if (value < 50 || value > 10000)
        throw BadInput(QStringLiteral("tamanho inválido para %1: \"%2\" (de 50 a 10000 pixels)")
                           .arg(option, TextUtils::shortened(text)));
    return static_cast<int>(value);
}

QChar separator(const QString &text) {
    if (text == QLatin1String(";"))
        return QLatin1Char(';');
    if (text == QLatin1String(","))
        return QLatin1Char(',');
    if (text == QLatin1String("tab"))
        return QLatin1Char('\t');
    throw BadInput(QStringLiteral("separador inválido: \"%1\" (use ';', ',' ou tab)").arg(TextUtils::shortened(text)));
}

// The workbook is written in the .xlsx format: a name ending otherwise
// (".xls", "a.xlsx.txt") would announce bytes it does not hold.
[[noreturn]] void refuseWorkbookName(const QString &path) {
    throw BadInput(QStringLiteral("o nome da planilha deve terminar em .xlsx: \"%1\"").arg(TextUtils::shortened(path)));
}

QString mapFile(const QString &path) {
    if (MapFile::formatOf(path) || isWorkbook(path))
        return path;
    if (path.contains(QLatin1String(".xls"), Qt::CaseInsensitive))
        refuseWorkbookName(path);
    throw BadInput(
        QStringLiteral("formato de imagem desconhecido: \"%1\" (use .jpg, .jpeg, .png, .bmp, .svg, .pdf ou .xlsx)")
            .arg(TextUtils::shortened(path)));
}

QString chartFile(const QString &path) {
    if (ChartFile::formatOf(path) || isWorkbook(path))
        return path;
    if (path.contains(QLatin1String(".xls"), Qt::CaseInsensitive))
        refuseWorkbookName(path);
    throw BadInput(
        QStringLiteral("formato de gráfico desconhecido: \"%1\" (use .png, .jpg, .bmp, .svg, .pdf ou .xlsx)")
            .arg(TextUtils::shortened(path)));
}

// The file of --saida or --planilha: an empty name names no file.
QString outputFile(const QString &option, const QString &path) {
    if (path.isEmpty())
        throw BadInput(QStringLiteral("falta o valor de %1").arg(option));
    return path;
}

QString reportFile(const QString &option, const QString &path) {
    if (!outputFile(option, path).endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        throw BadInput(QStringLiteral("o relatório é um arquivo .pdf: \"%1\"").arg(TextUtils::shortened(path)));
    return path;
}

QString workbookFile(const QString &option, const QString &path) {
    if (!isWorkbook(outputFile(option, path)))
        refuseWorkbookName(path);
    return path;
}

// One option: its name without the dashes, the name of its value in --help
// (empty for a switch), its description there (each "\n" starts a line
// under the first) and the step that checks the value and stores it; that
// step takes the option with its dashes, for its messages.
struct OptionRow {
    const char *name;
    const char *valueName;
    const char *description;
    void (*read)(Options &options, const QString &option, const QString &value);

    bool takesValue() const { return *valueName != '\0'; }
};

// In the order of --help.
const OptionRow kOptions[] = {
    {"topico", "CÓDIGO", "tópico da tabela (\"01.01.01\", ou \"03\" para a lista de municípios)",
     [](Options &o, const QString &, const QString &value) { o.topic = value; }},
    {"agrupar", "NÍVEL", "regiao, uf, microrregiao, rm ou municipio (padrão: regiao)",
     [](Options &o, const QString &, const QString &value) { o.selection.agrupar = grouping(value); }},
    {"regiao", "N", "código da região (0 ou ausente: todas)",
     [](Options &o, const QString &option, const QString &value) { o.selection.regiao = code(option, value); }},
    {"uf", "N", "código da unidade da federação",
     [](Options &o, const QString &option, const QString &value) {
         o.selection.unidadeFederativa = code(option, value);
     }},
    {"microrregiao", "N", "código da microrregião",
     [](Options &o, const QString &option, const QString &value) { o.selection.microRegiao = code(option, value); }},
    {"rm", "N", "código da região metropolitana",
     [](Options &o, const QString &option, const QString &value) {
         o.selection.regiaoMetropolitana = code(option, value);
     }},
    {"municipio", "N", "código do município",
     [](Options &o, const QString &option, const QString &value) { o.selection.municipio = code(option, value); }},
    {"pop-min", "N", "população urbana mínima",
     [](Options &o, const QString &option, const QString &value) { o.selection.faixaInicial = number(option, value); }},
    {"pop-max", "N", "população urbana máxima",
     [](Options &o, const QString &option, const QString &value) { o.selection.faixaFinal = number(option, value); }},
    {"municipios", "N,N,...", "municípios escolhidos",
     [](Options &o, const QString &option, const QString &value) {
         o.selection.municipiosSelecionados = municipalities(option, value);
     }},
    {"separador", "S", "';', ',' ou tab (padrão: ';')",
     [](Options &o, const QString &, const QString &value) { o.separator = separator(value); }},
    {"saida", "ARQUIVO", "arquivo de saída (padrão: saída padrão)",
     [](Options &o, const QString &option, const QString &value) { o.output = outputFile(option, value); }},
    {"utf8", "", "grava em UTF-8 em vez de Windows-1252",
     [](Options &o, const QString &, const QString &) { o.utf8 = true; }},
    {"coluna", "ATRIBUTO", "coluna de valores, pelo nome da coluna de dados (\"A01\")",
     [](Options &o, const QString &, const QString &value) { o.coluna = value; }},
    {"mapa", "ARQUIVO",
     "grava o mapa da coluna (.jpg, .jpeg, .png, .bmp, .svg ou .pdf), como a página do mapa,\n"
     "ou (.xlsx) a pasta de trabalho que a exportação do mapa grava",
     [](Options &o, const QString &, const QString &value) { o.mapa = mapFile(value); }},
    {"classes", "MÉTODO",
     "classes do mapa: dobro (as do estudo, ou a legenda salva), intervalos,\n"
     "quantis ou quebras (intervalos iguais, quantis, quebras naturais)",
     [](Options &o, const QString &option, const QString &value) {
         o.classes = static_cast<ClassMethod>(oneOf(kClassMethodNames, option, value));
     }},
    {"legenda", "ARQUIVO",
     "grava as classes do mapa da coluna em texto delimitado (faixa, cor, de, até,\n"
     "áreas), com --separador e --utf8; \"-\" para a saída padrão",
     [](Options &o, const QString &option, const QString &value) {
         o.legendaArquivo = value == QLatin1String("-") ? QStringLiteral("/dev/stdout") : outputFile(option, value);
     }},
    {"grafico", "ARQUIVO",
     "grava o gráfico da coluna (.png, .jpg, .bmp, .svg ou .pdf), como a página do\n"
     "gráfico, ou (.xlsx) a pasta de trabalho que a exportação do gráfico grava",
     [](Options &o, const QString &, const QString &value) { o.grafico = chartFile(value); }},
    {"tipo", "TIPO",
     "pizza, rosca, pontos, linhas, barras-horizontais ou barras-verticais\n"
     "(padrão: pizza; pontos para uma coluna de percentual)",
     [](Options &o, const QString &option, const QString &value) {
         o.tipo = static_cast<ChartPicture>(oneOf(kChartTypes, option, value));
     }},
    {"identificador", "I", "valor, percentual, descricao ou nenhum (padrão: valor)",
     [](Options &o, const QString &option, const QString &value) {
         o.identificador = kIdentifierLetters[oneOf(kIdentifiers, option, value)];
     }},
    {"sem-legenda", "", "gráfico sem legenda", [](Options &o, const QString &, const QString &) { o.legenda = false; }},
    {"largura", "N", "largura do gráfico em pixels (padrão: 900)",
     [](Options &o, const QString &option, const QString &value) { o.tamanho.setWidth(pixels(option, value)); }},
    {"altura", "N", "altura do gráfico em pixels (padrão: 600)",
     [](Options &o, const QString &option, const QString &value) { o.tamanho.setHeight(pixels(option, value)); }},
    {"planilha", "ARQUIVO", "grava a pasta de trabalho (.xlsx) da exportação do programa",
     [](Options &o, const QString &option, const QString &value) { o.workbook = workbookFile(option, value); }},
    {"relatorio", "ARQUIVO",
     "grava o relatório (.pdf) da seleção: títulos, filtros, fonte, notas e a tabela;\n"
     "com --coluna, também o mapa e o gráfico da coluna",
     [](Options &o, const QString &option, const QString &value) { o.relatorio = reportFile(option, value); }},
    {"estudo", "PASTA",
     "pasta do estudo (com as pastas Dados e Mapas); padrão: a pasta do programa,\n"
     "ou o estudo instalado (../share/solvane a partir dela).\n"
     "Um estudo publicado (Dados/Solvane.Mdb) é importado antes, se preciso",
     [](Options &o, const QString &option, const QString &value) { o.studyFolder = outputFile(option, value); }},
    {"help", "", "mostra esta ajuda", [](Options &o, const QString &, const QString &) { o.help = true; }},
};

const OptionRow *findOption(const QString &name) {
    const auto row = std::find_if(std::begin(kOptions), std::end(kOptions),
                                  [&name](const OptionRow &r) { return name == QLatin1String(r.name); });
    return row == std::end(kOptions) ? nullptr : row;
}

// Where the descriptions start in --help.
constexpr qsizetype kDescriptionColumn = 25;

// How far the arguments read as this command has always read them, and the
// fault that stops them. QCommandLineParser reads some words otherwise: it
// takes the word after a valued option as its value even when that word is
// another option ("--saida --utf8" lacks its file name here), takes "--" as
// the end of the options, single-dash words as short options and other words
// as positional arguments (all of them unknown options here). Only the
// arguments before the fault go to the parser, and the fault is raised after
// their values are checked: the first fault in argument order is reported.
struct Scan {
    qsizetype readable = 0;
    QString fault; // empty: every argument is readable
};

Scan scan(const QStringList &arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const OptionRow *row = argument.startsWith(QLatin1String("--"))
                                   ? findOption(argument.mid(2, equals < 0 ? -1 : equals - 2))
                                   : nullptr;
        if (!row)
            return {i, QStringLiteral("opção desconhecida: \"%1\"").arg(TextUtils::shortened(argument))};
        // A switch given a value ("--utf8=nao") would otherwise be read as
        // the switch, against what the value says.
        if (!row->takesValue() && equals >= 0)
            return {i, QStringLiteral("--%1 não leva valor: \"%2\"")
                           .arg(QLatin1String(row->name), TextUtils::shortened(argument))};
        if (row->takesValue() && equals < 0) {
            if (i + 1 >= arguments.size() || arguments[i + 1].startsWith(QLatin1String("--")))
                return {i, QStringLiteral("falta o valor de --%1").arg(QLatin1String(row->name))};
            ++i;
        }
    }
    return {arguments.size(), QString()};
}

} // namespace

bool isWorkbook(const QString &path) { return path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive); }

QString usage() {
    QString text =
        QStringLiteral("Uso: solvane-export --topico CÓDIGO [opções]\n"
                       "Escreve em texto delimitado a tabela de um tópico do estudo, como a exportação do programa;\n"
                       "o mapa ou o gráfico de uma coluna, como as páginas do mapa e do gráfico os mostram, ou as\n"
                       "pastas de trabalho (.xlsx) que a exportação grava a partir de cada página.\n"
                       "\n");
    for (const OptionRow &row : kOptions) {
        QString head = QStringLiteral("  --") + QLatin1String(row.name);
        if (row.takesValue())
            head += QLatin1Char(' ') + QString::fromUtf8(row.valueName);
        const QStringList lines = QString::fromUtf8(row.description).split(QLatin1Char('\n'));
        text += head.leftJustified(kDescriptionColumn - 1) + QLatin1Char(' ') + lines.first() + QLatin1Char('\n');
        for (qsizetype i = 1; i < lines.size(); ++i)
            text += QString(kDescriptionColumn, QLatin1Char(' ')) + lines[i] + QLatin1Char('\n');
    }
    text += QStringLiteral("\nSaída: 0 sucesso, 1 erro do banco de dados ou do arquivo, 2 entrada inválida.\n");
    return text;
}

Options parse(const QStringList &arguments) {
    const Scan scanned = scan(arguments);
    QCommandLineParser parser;
    for (const OptionRow &row : kOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(row.name), QString::fromUtf8(row.description),
                                            QString::fromUtf8(row.valueName)));
    // The parser skips the first word, the program's name.
    if (!parser.parse(QStringList{QStringLiteral("solvane-export")} + arguments.first(scanned.readable)))
        throw BadInput(QStringLiteral("não foi possível ler as opções: %1").arg(parser.errorText()));

    // Each occurrence in argument order, with its own value: a value is
    // checked where it is given, and a repeated option's last value wins.
    Options options;
    QHash<QString, QStringList> unread;
    for (const QString &name : parser.optionNames()) {
        auto values = unread.find(name);
        if (values == unread.end())
            values = unread.insert(name, parser.values(name));
        const QString value = values->isEmpty() ? QString() : values->takeFirst();
        findOption(name)->read(options, QStringLiteral("--") + name, value);
    }
    if (!scanned.fault.isEmpty())
        throw BadInput(scanned.fault);

    if (!options.help && options.topic.isEmpty())
        throw BadInput(QStringLiteral("falta a opção --topico"));
    if (!options.help && !options.mapa.isEmpty() && options.coluna.isEmpty())
        throw BadInput(QStringLiteral("--mapa pede a coluna do mapa em --coluna"));
    if (!options.help && !options.legendaArquivo.isEmpty() && options.coluna.isEmpty())
        throw BadInput(QStringLiteral("--legenda pede a coluna do mapa em --coluna"));
    if (!options.help && options.classes && options.mapa.isEmpty() && options.legendaArquivo.isEmpty())
        throw BadInput(QStringLiteral("--classes vale para o mapa: use-a com --mapa ou --legenda"));
    if (!options.help && !options.grafico.isEmpty() && options.coluna.isEmpty())
        throw BadInput(QStringLiteral("--grafico pede a coluna do gráfico em --coluna"));
    return options;
}

} // namespace ExportCommand
