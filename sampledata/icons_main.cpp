#include "base/data/app_error.h"
#include "brazil_facts.h"
#include "program_icon.h"
#include "state_outlines.h"

#include <QGuiApplication>
#include <cstdio>

// solvane-icons <npm packages folder> <folder>
// Run by the build; writes the program's icon in the desktop's icon theme
// layout ("hicolor/…") into the folder, for the install.
int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "uso: solvane-icons <pasta dos pacotes npm> <pasta dos ícones>\n");
        return 2;
    }
    try {
        QStringList siglas;
        for (const StateFact &s : BrazilFacts::states())
            siglas << s.sigla;
        const StateOutlines outlines =
            StateOutlines::read(args[1] + QStringLiteral("/@svg-maps/brazil/brazil.svg"), siglas);
        ProgramIcon(outlines.rings(siglas)).writeTheme(args[2]);
    } catch (const AppError &error) {
        std::fprintf(stderr, "solvane-icons: %s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
