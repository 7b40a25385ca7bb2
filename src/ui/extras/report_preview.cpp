#include "ui/extras/report_preview.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace ReportPreview {

void show(QWidget *parent, const TableReport::Contents &contents) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), TableReport::orientation(contents), QMarginsF()));
    printer.setDocName(contents.titleLines.value(contents.titleLines.size() - 1));
    printer.setCreator(QStringLiteral("Solvane"));
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlgImprimir"));
    dialog.setWindowTitle(QStringLiteral("Imprimir - %1").arg(printer.docName()));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&contents](QPrinter *target) { TableReport::paint(*target, contents); });
    dialog.exec();
}

} // namespace ReportPreview
