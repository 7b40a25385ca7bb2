#include "base/data/figure_locale.h"
#include "base/data/safe_file.h"
#include "ui/app/solvane_application.h"
#include "ui/app/startup.h"

#include <QCommandLineParser>

#include <cstdio>

namespace {
const char kUsage[] = "Uso: solvane [--estudo PASTA]\n"
                      "  --estudo PASTA  pasta do estudo (com as pastas Dados e Mapas); padrão: a pasta do\n"
                      "                  programa, ou o estudo instalado (../share/solvane a partir dela).\n"
                      "                  Um estudo publicado (Dados/Solvane.Mdb) é importado antes.\n"
                      "Legendas salvas e estudos importados ficam em ~/.local/share/Solvane quando a pasta\n"
                      "do estudo não pode ser gravada; as exportações, em ~/Documentos/Solvane.\n";
} // namespace

int main(int argc, char **argv) {
    SolvaneApplication app(argc, argv);
    QLocale::setDefault(FigureLocale::forFigures());
    SafeFile::failWritesBeyondSizeLimit();
    QCommandLineParser options;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption study(QStringLiteral("estudo"), QString(), QStringLiteral("PASTA"));
    options.addOptions({help, study});
    if (!options.parse(QApplication::arguments()) || !options.positionalArguments().isEmpty()) {
        const QStringList unknown = options.unknownOptionNames();
        SolvaneApplication::showError(
            !unknown.isEmpty() ? QStringLiteral("Opção desconhecida: %1\n\n%2").arg(unknown.first(), QString::fromUtf8(kUsage))
            : options.positionalArguments().isEmpty()
                ? QStringLiteral("Falta a pasta depois de --estudo.\n\n%1").arg(QString::fromUtf8(kUsage))
                : QStringLiteral("Argumento a mais: %1\n\n%2")
                      .arg(options.positionalArguments().first(), QString::fromUtf8(kUsage)));
        return 2;
    }
    if (options.isSet(help)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    return Startup::run(options.value(study));
}
