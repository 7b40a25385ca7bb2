// solvane-export-desenho: solvane-export with its map pictures, charts and
// workbooks, which need a graphical application (fonts, pictures). It takes
// the same arguments and writes the same delimited text.
#include "base/export/command_process.h"
#include "core/drawing/windows_fonts.h"
#include "core/export/export_drawing.h"

#include <QGuiApplication>

int main(int argc, char **argv) {
    CommandProcess::prepare();
    QGuiApplication app(argc, argv);
    // The window's own font, so that what the painter starts with, and any
    // text drawn in it, is the same in the files of both.
    WindowsFonts::installApplicationFont();
    return CommandProcess::runDrawing(app, &ExportDrawing::write);
}
