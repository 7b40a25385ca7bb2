#include "core/export/workbook_command.h"

#include "base/data/app_error.h"
#include "core/export/output_step.h"
#include "core/export/varnik_export.h"

namespace WorkbookCommand {

void writePage(Database &db, const CurrentResult &result, ExportReport::Page page, const QString &path,
               const QImage &picture) {
    TVarnikExport exporter;
    ExportReport::writeWorkbook(exporter, db, result, page, picture, path);
}

bool writeTable(Database &db, const CurrentResult &result, const ExportCommand::Options &options) {
    if (options.workbook.isEmpty())
        return false;
    OutputStep::run(QStringLiteral("a planilha"), options.workbook,
                    [&] { writePage(db, result, ExportReport::kDataPage, options.workbook); });
    return true;
}

bool write(Database &db, const CurrentResult &result, const ExportCommand::Options &options,
           const std::function<void(const QString &)> &) {
    if (!options.mapa.isEmpty() || !options.grafico.isEmpty())
        throw AppError(QStringLiteral("Este programa não desenha mapas nem gráficos."));
    return writeTable(db, result, options);
}

} // namespace WorkbookCommand
