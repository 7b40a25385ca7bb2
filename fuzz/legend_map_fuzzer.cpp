// Legend files as a user's folder may hold them, through the whole map
// drawing: a tiny study and its region map in a folder of their own, the
// legend file of a column at the region level written from the input, and
// the map drawn as the map page and solvane-export draw it (legend loaded or
// computed, legend picture, colour list, colouring).
#include "base/data/app_error.h"
#include "base/data/database.h"
#include "base/data/program_folder.h"
#include "base/selection/selection_state.h"
#include "base/table/column_mark.h"
#include "base/table/current_result.h"
#include "base/table/table_run.h"
#include "core/map/legend_file.h"
#include "core/map/map_drawing.h"
#include "core/map/map_legend.h"
#include "support/study_fixture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sqlite3.h>

namespace {

// The tiny study of the tests, a 40 x 30 region map with the two regions it
// names, and the run of its topic by region with its value column marked.
struct Study {
    Study() {
        if (!folder.isValid() || !QDir(folder.path()).mkpath(QStringLiteral("Dados")) ||
            !QDir(folder.path()).mkpath(QStringLiteral("Mapas/Pais")) ||
            !QDir(folder.path()).mkpath(QStringLiteral("Mapas/Legendas")))
            std::abort();
        sqlite3 *db = nullptr;
        const QByteArray file = QFile::encodeName(folder.filePath(QStringLiteral("Dados/Solvane.db")));
        if (sqlite3_open(file.constData(), &db) != SQLITE_OK ||
            sqlite3_exec(db, studyFixtureSql().toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            std::abort();
        sqlite3_close(db);

        QImage bitmap(40, 30, QImage::Format_RGB32);
        bitmap.fill(Qt::white);
        QPainter painter(&bitmap);
        painter.fillRect(1, 1, 18, 28, QColor(238, 238, 238));
        painter.fillRect(21, 1, 18, 28, QColor(238, 238, 238));
        painter.end();
        QFile list(folder.filePath(QStringLiteral("Mapas/Pais/BRREGIAO.Txt")));
        if (!bitmap.save(folder.filePath(QStringLiteral("Mapas/Pais/BRREGIAO.Bmp")), "BMP") ||
            !list.open(QIODevice::WriteOnly) || list.write("Norte=(5/5),(6/1)\r\nNordeste=(30/20),(30/1)\r\n") < 0)
            std::abort();
        list.close();

        ProgramFolder::setPath(folder.path());
        database.setPath(ProgramFolder::studyFile());
        database.setConnected(true);
        SelectionState byRegion;
        byRegion.agrupar = Grouping::Regiao;
        if (!tableRun.run(QStringLiteral("01.01.01"), byRegion))
            std::abort();
        const QString field = QStringLiteral("A01.A02");
        tableRun.markColumn(1, tableRun.cdsDados().fieldByName(field).name(), field);
        // Without a legend file both regions are coloured: the inputs reach
        // the colouring.
        MapLegend computed;
        if (MapDrawing::MostraMapa(database, tableRun.result(), tableRun.result().mark(), computed, true)
                .colorLines.size() != 2)
            std::abort();
    }

    QTemporaryDir folder;
    Database database;
    TableRun tableRun{database};
};

Study &study() {
    static int argc = 1;
    static char name[] = "legend_map_fuzzer";
    static char *argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static_cast<void>(offscreen);
    static QGuiApplication app(argc, argv);
    static Study made;
    return made;
}

} // namespace

// The input is the legend file of the study's value column (a figure
// column: percentage legends are read by legend_file_fuzzer).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    Study &s = study();
    const ColumnMark &column = s.tableRun.result().mark();
    QFile legendFile(LegendFile::path(column.FCampoPercentual, Grouping::Regiao));
    if (!legendFile.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        legendFile.write(reinterpret_cast<const char *>(data), qint64(size)) < 0)
        std::abort();
    legendFile.close();

    MapLegend legend;
    try {
        const MapResult map = MapDrawing::MostraMapa(s.database, s.tableRun.result(), column, legend, true);
        if (map.picture.isNull())
            std::abort();
        // The page's own validation, and the areas classed again with what
        // it leaves (a redraw without the picture, which costs the most).
        legend.validate();
        std::array<int, 9> classCounts{};
        MapDrawing::colorList(
            MapDrawing::areaFigures(s.database, s.tableRun.result(), column, map.level, map.areas), legend,
            classCounts);
    } catch (const AppError &) {
    }
    return 0;
}
