#pragma once

#include "core/export/export_report.h"

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
class CurrentResult;
class Database;
class RadioGroup;
class TVarnikExport;

// The export dialog: writes what the current page of the main window shows
// into a file of the chosen folder. The data page's table goes to a workbook
// or to a delimited text file; the map and the chart go to a workbook holding
// their picture or to a JPEG file.
class TExportar_Frm : public QDialog {
    Q_OBJECT

  public:
    // What the export writes: the current result of the study, and on the
    // map and chart pages the page's picture (the map, or the chart drawn
    // whole on white), read when the export starts.
    struct Sources {
        ExportReport::Page page = ExportReport::kDataPage;
        Database *database = nullptr;
        const CurrentResult *result = nullptr;
        std::function<QImage()> picture;
    };

    TExportar_Frm(const Sources &sources, TVarnikExport &btnExportaExcel, QWidget *parent = nullptr);

    // Caption, file names and, on the map and chart pages, the picture mode.
    void prepareFor(ExportReport::Page page);

    // The folder the dialog opens at, where the map page's "Salvar mapa
    // como…" opens too.
    static QString startFolder();

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
