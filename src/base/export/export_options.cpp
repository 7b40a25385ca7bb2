#include "base/export/export_options.h"

#include "base/chart/chart_file_format.h"
#include "base/data/text_utils.h"
#include "base/export/bad_input.h"
#include "base/map/map_file_format.h"

#include <limits>

// Adding an option: a line in usage() and a branch in parse() that reads its
// value with take() and stores it in Options (or in its selection).
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

} // namespace

bool isWorkbook(const QString &path) {
    return path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive);
}

QString usage() {
    return QStringLiteral(
        "Uso: solvane-export --topico CÓDIGO [opções]\n"
        "Escreve em texto delimitado a tabela de um tópico do estudo, como a exportação do programa;\n"
        "o mapa ou o gráfico de uma coluna, como as páginas do mapa e do gráfico os mostram, ou as\n"
        "pastas de trabalho (.xlsx) que a exportação grava a partir de cada página.\n"
        "\n"
        "  --topico CÓDIGO        tópico da tabela (\"01.01.01\", ou \"03\" para a lista de municípios)\n"
        "  --agrupar NÍVEL        regiao, uf, microrregiao, rm ou municipio (padrão: regiao)\n"
        "  --regiao N             código da região (0 ou ausente: todas)\n"
        "  --uf N                 código da unidade da federação\n"
        "  --microrregiao N       código da microrregião\n"
        "  --rm N                 código da região metropolitana\n"
        "  --municipio N          código do município\n"
        "  --pop-min N            população urbana mínima\n"
        "  --pop-max N            população urbana máxima\n"
        "  --municipios N,N,...   municípios escolhidos\n"
        "  --separador S          ';', ',' ou tab (padrão: ';')\n"
        "  --saida ARQUIVO        arquivo de saída (padrão: saída padrão)\n"
        "  --utf8                 grava em UTF-8 em vez de Windows-1252\n"
        "  --coluna ATRIBUTO      coluna de valores, pelo nome da coluna de dados (\"A01\")\n"
        "  --mapa ARQUIVO         grava o mapa da coluna (.jpg, .jpeg, .png ou .bmp), como a página do mapa,\n"
        "                         ou (.xlsx) a pasta de trabalho que a exportação do mapa grava\n"
        "  --grafico ARQUIVO      grava o gráfico da coluna (.png, .jpg, .bmp, .svg ou .pdf), como a página do\n"
        "                         gráfico, ou (.xlsx) a pasta de trabalho que a exportação do gráfico grava\n"
        "  --tipo TIPO            pizza, rosca, pontos, linhas, barras-horizontais ou barras-verticais\n"
        "                         (padrão: pizza; pontos para uma coluna de percentual)\n"
        "  --identificador I      valor, percentual, descricao ou nenhum (padrão: valor)\n"
        "  --sem-legenda          gráfico sem legenda\n"
        "  --largura N            largura do gráfico em pixels (padrão: 900)\n"
        "  --altura N             altura do gráfico em pixels (padrão: 600)\n"
        "  --planilha ARQUIVO     grava a pasta de trabalho (.xlsx) da exportação do programa\n"
        "  --help                 mostra esta ajuda\n"
        "\n"
        "Saída: 0 sucesso, 1 erro do banco de dados ou do arquivo, 2 entrada inválida.\n");
}

Options parse(const QStringList &arguments) {
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString option = arguments[i];
        QString value;
        bool hasValue = false;
        const qsizetype equals = option.indexOf(QLatin1Char('='));
        if (option.startsWith(QLatin1String("--")) && equals > 0) {
            value = option.mid(equals + 1);
            option = option.left(equals);
            hasValue = true;
        }
        // The value is the next word only when that word is not another
        // option: "--saida --utf8" lacks its file name.
        auto take = [&]() -> QString {
            if (hasValue)
                return value;
            if (i + 1 >= arguments.size() || arguments[i + 1].startsWith(QLatin1String("--")))
                throw BadInput(QStringLiteral("falta o valor de %1").arg(option));
            return arguments[++i];
        };
        SelectionState &s = options.selection;
        if (option == QLatin1String("--help")) {
            options.help = true;
        } else if (option == QLatin1String("--utf8")) {
            options.utf8 = true;
        } else if (option == QLatin1String("--topico")) {
            options.topic = take();
        } else if (option == QLatin1String("--agrupar")) {
            const QString level = take();
            const qsizetype grouping = kGroupings.indexOf(level);
            if (grouping < 0)
                throw BadInput(QStringLiteral("agrupamento inválido: \"%1\" (use %2)")
                                   .arg(TextUtils::shortened(level), kGroupings.join(QStringLiteral(", "))));
            s.agrupar = static_cast<Grouping::Level>(grouping);
        } else if (option == QLatin1String("--regiao")) {
            s.regiao = code(option, take());
        } else if (option == QLatin1String("--uf")) {
            s.unidadeFederativa = code(option, take());
        } else if (option == QLatin1String("--microrregiao")) {
            s.microRegiao = code(option, take());
        } else if (option == QLatin1String("--rm")) {
            s.regiaoMetropolitana = code(option, take());
        } else if (option == QLatin1String("--municipio")) {
            s.municipio = code(option, take());
        } else if (option == QLatin1String("--pop-min")) {
            s.faixaInicial = number(option, take());
        } else if (option == QLatin1String("--pop-max")) {
            s.faixaFinal = number(option, take());
        } else if (option == QLatin1String("--municipios")) {
            // An empty list is no filter the user meant: it is refused, not
            // read as "every municipality".
            const QString list = take();
            s.municipiosSelecionados.clear();
            for (const QString &item : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
                s.municipiosSelecionados << QStringLiteral("/%1").arg(code(option, item.trimmed()));
            if (s.municipiosSelecionados.isEmpty())
                throw BadInput(QStringLiteral("lista de municípios vazia em --municipios: \"%1\"")
                                   .arg(TextUtils::shortened(list)));
        } else if (option == QLatin1String("--separador")) {
            options.separator = separator(take());
        } else if (option == QLatin1String("--coluna")) {
            options.coluna = take();
        } else if (option == QLatin1String("--mapa")) {
            options.mapa = take();
            if (!MapFile::formatOf(options.mapa) && !isWorkbook(options.mapa))
                throw BadInput(QStringLiteral("formato de imagem desconhecido: \"%1\" (use .jpg, .jpeg, .png, .bmp ou .xlsx)")
                                   .arg(TextUtils::shortened(options.mapa)));
        } else if (option == QLatin1String("--grafico")) {
            options.grafico = take();
            if (!ChartFile::formatOf(options.grafico) && !isWorkbook(options.grafico))
                throw BadInput(QStringLiteral("formato de gráfico desconhecido: \"%1\" (use .png, .jpg, .bmp, .svg, .pdf ou .xlsx)")
                                   .arg(TextUtils::shortened(options.grafico)));
        } else if (option == QLatin1String("--tipo")) {
            options.tipo = static_cast<ChartPicture>(oneOf(kChartTypes, option, take()));
        } else if (option == QLatin1String("--identificador")) {
            options.identificador = kIdentifierLetters[oneOf(kIdentifiers, option, take())];
        } else if (option == QLatin1String("--sem-legenda")) {
            options.legenda = false;
        } else if (option == QLatin1String("--largura")) {
            options.tamanho.setWidth(pixels(option, take()));
        } else if (option == QLatin1String("--altura")) {
            options.tamanho.setHeight(pixels(option, take()));
        } else if (option == QLatin1String("--planilha")) {
            options.workbook = take();
            if (options.workbook.isEmpty())
                throw BadInput(QStringLiteral("falta o valor de --planilha"));
        } else if (option == QLatin1String("--saida")) {
            options.output = take();
            if (options.output.isEmpty())
                throw BadInput(QStringLiteral("falta o valor de --saida"));
        } else {
            throw BadInput(QStringLiteral("opção desconhecida: \"%1\"").arg(TextUtils::shortened(arguments[i])));
        }
    }
    if (!options.help && options.topic.isEmpty())
        throw BadInput(QStringLiteral("falta a opção --topico"));
    if (!options.help && !options.mapa.isEmpty() && options.coluna.isEmpty())
        throw BadInput(QStringLiteral("--mapa pede a coluna do mapa em --coluna"));
    if (!options.help && !options.grafico.isEmpty() && options.coluna.isEmpty())
        throw BadInput(QStringLiteral("--grafico pede a coluna do gráfico em --coluna"));
    return options;
}

} // namespace ExportCommand
