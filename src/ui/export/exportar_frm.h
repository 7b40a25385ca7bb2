#pragma once

#include "core/export/export_report.h"
#include "base/table/topic_notes.h"

#include <QDialog>
#include <QImage>
#include <functional>

class QComboBox;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;
class RadioGroup;
class ResultTable;
class TVarnikExport;

// The export dialog: writes what the current page of the main window shows
// into a file of the chosen folder. The data page's table goes to a workbook
// or to a delimited text file; the map and the chart go to a workbook holding
// their picture or to a JPEG file.
class TExportar_Frm : public QDialog {
    Q_OBJECT

  public:
    // What the main window shows, read when the export starts.
    struct Sources {
        ExportReport::Page page = ExportReport::kDataPage;
        ExportReport::FilterTexts filters;
        QString agrupar;     // shown text of the grouping list
        QString tituloDados; // caption of the data page's title bar
        ExportReport::Header header;
        ResultTable *cdsDados = nullptr;
        QStringList FAtributos;
        TopicNotes notes;
        // The map page's picture, or the chart drawn whole on white.
        std::function<QImage()> picture;
    };

    TExportar_Frm(const Sources &sources, TVarnikExport &btnExportaExcel, QWidget *parent = nullptr);

    // Caption, file names and, on the map and chart pages, the picture mode.
    void prepareFor(ExportReport::Page page);

    QChar FSeparador() const { return m_separador; }
    const QString &FFiltro() const { return m_filtro; }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void buildFolderBand();
    void buildWorkbookBand();
    void buildTextBand();
    void dlbExportarChange(const QString &folder);
    // Opens the folders above the chosen one and brings it into view.
    void showCurrentFolder();
    void rbArqExcelClick();
    void rbArqTextoClick();
    void rgSepColunaClick(int index);
    void medExtArqExcelExit(QLineEdit *box);
    void btnExportarClick();
    void exportWorkbook();
    void exportText();
    void exportJpeg();
    // Saves the page's picture as a bitmap in a temporary folder and hands
    // its path to use; the folder is gone afterwards. Raises AppError when
    // there is no picture or it cannot be written.
    void withTemporaryBitmap(const std::function<void(const QString &)> &use) const;
    QString workbookTarget() const;
    QString textTarget() const;
    static void setBoxColor(QLineEdit *box, bool enabled);

    Sources m_sources;
    TVarnikExport &m_exporter;
    QChar m_separador = u';';
    QString m_filtro;
    bool m_checkingExtension = false;
    bool m_followCurrentFolder = true; // until the user browses the folders

    QGroupBox *GroupBox3;
    QLineEdit *medPasta;
    QFileSystemModel *m_folders;
    QTreeView *dlbExportar;
    QComboBox *DriveComboBox1;
    QRadioButton *rbArqExcel;
    QGroupBox *gbArqExcel;
    QLabel *imgArqExcel;
    QLabel *lblArqExcel;
    QLineEdit *medArqExcel;
    QLineEdit *medExtArqExcel;
    QRadioButton *rbArqTexto;
    QGroupBox *gbArqTexto;
    QLabel *imgArqTexto;
    QLabel *ImgArqJPeg;
    QLabel *lblArqTexto;
    RadioGroup *rgSepColuna;
    QLineEdit *medArqTexto;
    QLineEdit *medExtArqTexto;
    QPushButton *btnExportar;
    QPushButton *btnFechar;
};
