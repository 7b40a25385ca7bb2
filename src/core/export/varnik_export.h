#pragma once

#include "core/export/memory_workbook.h"

#include <QImage>
#include <QStringList>
#include <memory>
#include <optional>

struct ExportGrid;
struct SheetFill;

// Writes a report into a new workbook and saves it: from top to bottom a
// picture in the top left corner, the header lines, the filter lines, one or
// more grids (titles and rows), an optional totals row, the footer lines and
// optional chart pictures. The caller sets the properties and Hint (the path
// to save), then calls Exporta.
class TVarnikExport {
  public:
    // The components the export can name: further grids and charts of the
    // window that owns the exporter.
    class Owner {
      public:
        virtual ~Owner() = default;
        // Nothing when no grid has that name.
        virtual const ExportGrid *grid(const QString &name) const = 0;
        // The whole chart drawn at its size on white; nothing when no chart
        // has that name.
        virtual std::optional<QImage> chart(const QString &name) const = 0;
    };

    // The please-wait window and the error boxes of the chart pictures.
    class Feedback {
      public:
        virtual ~Feedback() = default;
        // Shows the text in the please-wait window; an empty text hides it.
        virtual void ExibeMensagem(const QString &text) = 0;
        virtual void setWaitHeight(int pixels) = 0;
        virtual void showError(const QString &text) = 0;
    };

    explicit TVarnikExport(const Owner *owner = nullptr, Feedback *feedback = nullptr);
    ~TVarnikExport();

    // Published properties.
    const ExportGrid *GridExportado = nullptr;
    QStringList Cabecalho;
    QStringList CabecalhoFiltro;
    QStringList Rodape;
    QImage ImagemCabecalho;
    int LinhasImagem = 0;
    int ColunaCabecalho = 0;       // 1 = A ... 26 = Z; 0 is taken as 1
    int ColunaCabecalhoFiltro = 0; // the same for the filter lines
    bool TotalizaNumeros = false;
    QStringList ColunasTotais;
    QStringList GridsAdicionais;
    QStringList ExportarGraficos;
    bool ExportarCores = false;
    bool SepDecimalDefault = false;
    QString Hint; // the file to save; saved only when it holds ".XLS" in any case

    // Runs the export. Errors reach the caller once the please-wait window
    // is hidden; the workbook then stays as far as it was filled.
    void Exporta();

    // The workbook of the last export, kept open as the spreadsheet program
    // keeps it; nothing before the first export.
    const MemoryWorkbook *workbook() const { return m_workbook.get(); }

  private:
    void PreenchePlanilha(SheetAutomation &sheet);
    void writeLine(SheetFill &fill, const QString &line, int color);
    void pasteCharts(SheetFill &fill);
    void message(const QString &text) const;

    const Owner *m_owner;
    Feedback *m_feedback;
    const ExportGrid *FGridOriginal = nullptr;
    std::unique_ptr<MemoryWorkbook> m_workbook;
};
