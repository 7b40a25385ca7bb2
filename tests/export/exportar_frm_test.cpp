#include "base/data/program_folder.h"
#include "base/table/result_table.h"
#include "core/export/varnik_export.h"
#include "extras/url_recorder.h"
#include "support/modal_answerer.h"
#include "table_fixture.h"
#include "ui/export/exportar_frm.h"
#include "ui/widgets/radio_group.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QFile>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QStyleOptionGroupBox>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// A result of the small study: topic "01.01.02" (a group of a figure and
// a percentage, and a top-level figure), run with a selection.
struct SmallResult : TableFixture {
    SmallResult() { run(selection(0)); }
    void run(const SelectionState &selection) {
        tableRun.run(QStringLiteral("01.01.02"), selection);
        sources.database = &db;
        sources.result = &result;
    }
    TExportar_Frm::Sources sources;
};

class ExportDialogTest : public ::testing::Test {
  protected:
    ExportDialogTest() {
        ProgramFolder::setPath(m_program.path());
        m_startFolder = QDir::currentPath();
        QDir::setCurrent(m_current.path());
    }
    ~ExportDialogTest() override {
        QDir::setCurrent(m_startFolder);
        ProgramFolder::setPath(QString());
    }

    // The dialog on a page, pointed at the given folder.
    std::unique_ptr<TExportar_Frm> dialog(const QString &folder = QString(),
                                          ExportReport::Page page = ExportReport::kDataPage) {
        result.sources.page = page;
        auto d = std::make_unique<TExportar_Frm>(result.sources, exporter);
        d->prepareFor(page);
        d->show();
        if (!folder.isEmpty()) {
            auto *tree = d->findChild<QTreeView *>(QStringLiteral("dlbExportar"));
            auto *model = tree->model();
            // The folder view's own model finds the folder by its path.
            const QModelIndex index = static_cast<QFileSystemModel *>(model)->index(folder);
            tree->setCurrentIndex(index);
        }
        return d;
    }
    template <typename T> static T *child(QWidget &w, const char *name) {
        T *found = w.findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QByteArray contents(const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_program, m_current, m_target;
    QString m_startFolder;
    SmallResult result;
    TVarnikExport exporter;
};

TEST_F(ExportDialogTest, OpensOnTheExportadoFolderOrTheCurrentOne) {
    EXPECT_EQ(child<QLineEdit>(*dialog(), "medPasta")->text(), QDir::toNativeSeparators(m_current.path()));
    QDir(m_program.path()).mkdir(QStringLiteral("Exportado"));
    EXPECT_EQ(child<QLineEdit>(*dialog(), "medPasta")->text(),
              QDir::toNativeSeparators(m_program.filePath(QStringLiteral("Exportado"))));
}

// Nothing the user must read or pick is cut off: the separator items stand
// inside their group, the extensions inside their boxes, and the folder view
// opens the folders down to the chosen one.
TEST_F(ExportDialogTest, ItemsAndTextsShowWhole) {
    QDir(m_program.path()).mkdir(QStringLiteral("Exportado"));
    auto d = dialog();
    QTest::mouseClick(child<QRadioButton>(*d, "rbArqTexto"), Qt::LeftButton);
    auto *separators = child<RadioGroup>(*d, "rgSepColuna");
    QApplication::processEvents();
    for (int i = 0; i < separators->count(); ++i) {
        QRadioButton *item = separators->button(i);
        EXPECT_TRUE(separators->rect().contains(item->geometry())) << i;
        EXPECT_GE(item->width(), item->sizeHint().width()) << i;
        EXPECT_GE(item->height(), item->minimumSizeHint().height()) << i;
    }
    for (const char *name : {"medExtArqExcel", "medExtArqTexto"}) {
        auto *box = child<QLineEdit>(*d, name);
        box->setText(QStringLiteral(".Xlsx"));
        EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->text()) + 8) << name;
    }
    auto *folders = child<QTreeView>(*d, "dlbExportar");
    const auto *model = static_cast<QFileSystemModel *>(folders->model());
    EXPECT_EQ(model->filePath(folders->currentIndex()), m_program.filePath(QStringLiteral("Exportado")));
    for (QModelIndex folder = folders->currentIndex().parent(); folder.isValid(); folder = folder.parent())
        EXPECT_TRUE(folders->isExpanded(folder)) << model->filePath(folder).toStdString();
}

TEST_F(ExportDialogTest, StatesFollowTheChosenFormat) {
    auto d = dialog();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Exportação dos Dados ...."));
    EXPECT_EQ(child<QLineEdit>(*d, "medArqExcel")->text(), QStringLiteral("DADOS_Solvane_2000"));
    EXPECT_EQ(child<QLineEdit>(*d, "medExtArqExcel")->text(), QStringLiteral(".Xlsx"));
    EXPECT_TRUE(child<QRadioButton>(*d, "rbArqExcel")->isChecked());
    EXPECT_FALSE(child<QWidget>(*d, "gbArqTexto")->isEnabled());
    EXPECT_FALSE(child<QWidget>(*d, "rgSepColuna")->isEnabled());
    EXPECT_TRUE(child<QWidget>(*d, "rbArqTexto")->isEnabled()); // usable while its group is not

    QTest::mouseClick(child<QRadioButton>(*d, "rbArqTexto"), Qt::LeftButton);
    EXPECT_FALSE(child<QRadioButton>(*d, "rbArqExcel")->isChecked());
    EXPECT_TRUE(child<QWidget>(*d, "gbArqTexto")->isEnabled());
    EXPECT_FALSE(child<QWidget>(*d, "gbArqExcel")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(*d, "medArqExcel")->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(child<QLineEdit>(*d, "medArqTexto")->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Base));
}

TEST_F(ExportDialogTest, ExtensionWithoutItsPointKeepsTheFocus) {
    for (const char *typed : {"Xls", ""}) {
        auto d = dialog();
        QApplication::setActiveWindow(d.get());
        auto *extension = child<QLineEdit>(*d, "medExtArqExcel");
        extension->setFocus();
        extension->setText(QLatin1String(typed));
        ModalAnswerer answerer;
        child<QLineEdit>(*d, "medArqExcel")->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(answerer.messages(),
                  QStringList{QStringLiteral("ATENÇÃO: A extensão do arquivo deve conter o ponto (.?\?\?)")})
            << typed;
        EXPECT_EQ(d->focusWidget(), extension) << typed;
    }
}

TEST_F(ExportDialogTest, TextFileWithEachSeparator) {
    const struct {
        int item;
        QByteArray bytes;
    } cases[] = {
        {0, "Regi\xE3o;Total geral;Percentual;Amostra\r\nNordeste;2564,5;28;1715\r\nNorte;300;10;99\r\n"
            "TOTAL;2864,5;25;1814\r\n"},
        {2, "Regi\xE3o\tTotal geral\tPercentual\tAmostra\r\nNordeste\t2564,5\t28\t1715\r\nNorte\t300\t10\t99\r\n"
            "TOTAL\t2864,5\t25\t1814\r\n"},
    };
    for (const auto &c : cases) {
        auto d = dialog(m_target.path());
        QTest::mouseClick(child<QRadioButton>(*d, "rbArqTexto"), Qt::LeftButton);
        child<RadioGroup>(*d, "rgSepColuna")->button(c.item)->click();
        ModalAnswerer answerer;
        QTest::mouseClick(child<QPushButton>(*d, "btnExportar"), Qt::LeftButton);
        EXPECT_EQ(answerer.messages(), QStringList{QStringLiteral("Exportação Efetuada com Sucesso !")});
        EXPECT_EQ(contents(m_target.filePath(QStringLiteral("DADOS_Solvane_2000.Txt"))), c.bytes);
        EXPECT_EQ(d->result(), QDialog::Accepted);
        EXPECT_FALSE(d->isVisible());
    }
}

TEST_F(ExportDialogTest, WorkbookOfTheDataPageOpensInTheSpreadsheetProgram) {
    result.run(selection(1, 2, 26));
    auto d = dialog(m_target.path());
    UrlRecorder desktop;
    ModalAnswerer answerer;
    QTest::keyClick(d.get(), Qt::Key_Return); // Enter exports
    EXPECT_EQ(answerer.messages(), QStringList{QStringLiteral("Exportação Efetuada com Sucesso !")});
    const QString path = m_target.filePath(QStringLiteral("DADOS_Solvane_2000.Xlsx"));
    EXPECT_TRUE(contents(path).startsWith("PK"));
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(path)});

    const MemoryWorkbook &book = *exporter.workbook();
    // The topic's title, the grouping and the narrowest filter of the run,
    // the group and figure titles and the row of Pernambuco.
    EXPECT_EQ(book.value(QStringLiteral("B5")), QStringLiteral("Déficit por faixa de renda"));
    EXPECT_EQ(book.value(QStringLiteral("B7")), QStringLiteral("Agrupado por: Unidade Federação"));
    EXPECT_EQ(book.value(QStringLiteral("E7")), QStringLiteral("Unidade Federação: Pernambuco"));
    EXPECT_EQ(book.value(QStringLiteral("A9")), QStringLiteral("Domicílios rústicos"));
    EXPECT_EQ(book.value(QStringLiteral("C9")), QStringLiteral("Total geral"));
    EXPECT_EQ(book.value(QStringLiteral("A11")), 30.0);
    EXPECT_EQ(book.value(QStringLiteral("C11")), 1854.5);
    EXPECT_EQ(exporter.GridExportado, nullptr); // the grid of one export is not kept
}

TEST_F(ExportDialogTest, EscapeClosesWithoutExporting) {
    auto d = dialog(m_target.path());
    QTest::keyClick(d.get(), Qt::Key_Escape);
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_TRUE(QDir(m_target.path()).isEmpty());
    EXPECT_EQ(exporter.workbook(), nullptr);
}

TEST_F(ExportDialogTest, FailedExportShowsItsErrorInsteadOfSuccessAndCloses) {
    const struct {
        const char *folder;
        const char *extension;
        const char *error;
    } cases[] = {
        {"falta", ".Xlsx", "falta"},                  // a missing folder
        {"", ".Txt", "nada foi gravado"},             // a name the workbook is not saved under
    };
    for (const auto &c : cases) {
        auto d = dialog(m_target.path());
        auto *folder = child<QLineEdit>(*d, "medPasta");
        folder->setText(QDir(m_target.path()).filePath(QLatin1String(c.folder)));
        child<QLineEdit>(*d, "medExtArqExcel")->setText(QLatin1String(c.extension));
        ModalAnswerer answerer;
        QTest::keyClick(d.get(), Qt::Key_Return);
        ASSERT_EQ(answerer.messages().size(), 1) << c.error;
        EXPECT_TRUE(answerer.messages()[0].contains(QLatin1String(c.error))) << answerer.messages()[0].toStdString();
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

// The map and chart pages export their picture; the scratch bitmaps go to
// a temporary folder of their own.
class PictureExportTest : public ExportDialogTest {
  protected:
    PictureExportTest() : m_savedTemp(qgetenv("TMPDIR")) {
        qputenv("TMPDIR", m_temp.path().toLocal8Bit());
        m_picture.fill(QColor(30, 90, 200));
        result.sources.picture = [this] { return m_picture; };
    }
    ~PictureExportTest() override { qputenv("TMPDIR", m_savedTemp); }

    // Nothing is left behind in the temporary folder nor in the program's.
    void expectNoScratchFiles() const {
        EXPECT_TRUE(QDir(m_temp.path()).isEmpty());
        EXPECT_TRUE(QDir(m_program.path()).isEmpty());
    }

    QTemporaryDir m_temp;
    QByteArray m_savedTemp;
    QImage m_picture{300, 190, QImage::Format_RGB32};
};

TEST_F(PictureExportTest, JpegOfTheMapAndTheChart) {
    const struct {
        ExportReport::Page page;
        const char *caption, *name;
    } cases[] = {{ExportReport::kMapPage, "Exportação do Mapa ....", "MAPA_Solvane_2000"},
                 {ExportReport::kChartPage, "Exportação do Gráfico ....", "GRAFICO_Solvane_2000"}};
    for (const auto &c : cases) {
        auto d = dialog(m_target.path(), c.page);
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(child<QRadioButton>(*d, "rbArqTexto")->text(), QStringLiteral(" Arquivo JPeg  |"));
        EXPECT_FALSE(child<QWidget>(*d, "rgSepColuna")->isVisible());
        EXPECT_TRUE(child<QWidget>(*d, "ImgArqJPeg")->isVisible());
        EXPECT_FALSE(child<QWidget>(*d, "imgArqTexto")->isVisible());
        EXPECT_EQ(child<QLineEdit>(*d, "medArqTexto")->y(), child<QLineEdit>(*d, "medArqExcel")->y());
        EXPECT_EQ(child<QWidget>(*d, "gbArqTexto")->height(), child<QWidget>(*d, "gbArqExcel")->height());
        EXPECT_EQ(child<QLineEdit>(*d, "medExtArqTexto")->text(), QStringLiteral(".Jpg"));

        QTest::mouseClick(child<QRadioButton>(*d, "rbArqTexto"), Qt::LeftButton);
        ModalAnswerer answerer;
        QTest::keyClick(d.get(), Qt::Key_Return);
        EXPECT_EQ(answerer.messages(), QStringList{QStringLiteral("Exportação Efetuada com Sucesso !")});
        // The extension is replaced by ".JPG".
        EXPECT_EQ(QDir(m_target.path()).entryList(QDir::Files), QStringList{QLatin1String(c.name) + ".JPG"});
        const QImage written(m_target.filePath(QLatin1String(c.name) + ".JPG"), "JPG");
        EXPECT_EQ(written.size(), m_picture.size());
        expectNoScratchFiles();
        QFile::remove(m_target.filePath(QLatin1String(c.name) + ".JPG"));
    }
}

TEST_F(PictureExportTest, WorkbookHoldsThePictureAtA1AndTheFooterFromRow31) {
    result.run(selection(4, 0, 0, 0, 0, 2611606));
    for (const ExportReport::Page page : {ExportReport::kMapPage, ExportReport::kChartPage}) {
        auto d = dialog(m_target.path(), page);
        UrlRecorder desktop;
        ModalAnswerer answerer;
        QTest::keyClick(d.get(), Qt::Key_Return);
        EXPECT_EQ(answerer.messages(), QStringList{QStringLiteral("Exportação Efetuada com Sucesso !")});
        EXPECT_EQ(desktop.opened.size(), 1);

        const MemoryWorkbook &book = *exporter.workbook();
        ASSERT_EQ(book.pictures().size(), 1u);
        EXPECT_EQ(book.pictures()[0].row, 0);
        EXPECT_EQ(book.pictures()[0].column, 0);
        EXPECT_EQ(book.pictures()[0].image.size(), m_picture.size());
        EXPECT_EQ(book.pictures()[0].image.pixelColor(10, 10), QColor(30, 90, 200));
        if (page == ExportReport::kMapPage) {
            EXPECT_EQ(book.value(QStringLiteral("A31")), QStringLiteral(" - - - Fonte - - -"));
        } else {
            EXPECT_EQ(book.value(QStringLiteral("A31")), QStringLiteral("Agrupado por: Município"));
            EXPECT_EQ(book.value(QStringLiteral("D31")), QStringLiteral("Município: Recife"));
            EXPECT_EQ(book.value(QStringLiteral("A33")), QStringLiteral(" - - - Fonte - - -"));
        }
        // The topic's notes close the footer.
        EXPECT_EQ(book.value(QStringLiteral("A%1").arg(book.rowCount())), QStringLiteral("Linha 4"));
        expectNoScratchFiles();
    }
}

TEST_F(PictureExportTest, NoPictureBringsAnErrorAndNoFile) {
    m_picture = QImage();
    auto d = dialog(m_target.path(), ExportReport::kMapPage);
    QTest::mouseClick(child<QRadioButton>(*d, "rbArqTexto"), Qt::LeftButton);
    ModalAnswerer answerer;
    QTest::keyClick(d.get(), Qt::Key_Return);
    ASSERT_EQ(answerer.messages().size(), 1);
    EXPECT_TRUE(answerer.messages()[0].contains(QStringLiteral("não há imagem a gravar")));
    EXPECT_TRUE(QDir(m_target.path()).isEmpty());
    EXPECT_FALSE(d->isVisible());
}

} // namespace

namespace {

// The title of a group as the style draws it, in the dialog's coordinates.
QRect titleOf(const QGroupBox *group, const QWidget *dialog) {
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    return title.translated(group->mapTo(dialog, QPoint()));
}

} // namespace

// Each band's caption reads "| Arquivo Excel |": the radio button stands on
// the line of the group's own bar, right after it, on the dialog's ground;
// the separators' title stays below the text band's caption, on or under its
// frame line.
TEST_F(ExportDialogTest, BandCaptionsReadAsOneAndTheSeparatorsStayInTheirBand) {
    auto d = dialog();
    QApplication::processEvents();
    const QImage shown = d->grab().toImage();
    const QColor ground = d->palette().color(QPalette::Window);
    for (const auto &[groupName, radioName] : {std::pair{"gbArqExcel", "rbArqExcel"}, {"gbArqTexto", "rbArqTexto"}}) {
        auto *group = child<QGroupBox>(*d, groupName);
        auto *radio = child<QRadioButton>(*d, radioName);
        const QRect bar = titleOf(group, d.get());
        EXPECT_TRUE(radio->geometry().contains(QPoint(radio->x() + 1, bar.center().y()))) << radioName;
        EXPECT_GE(radio->x(), bar.right()) << radioName;
        EXPECT_LE(radio->x(), bar.right() + 4) << radioName;
        EXPECT_EQ(shown.pixelColor(radio->geometry().topRight() + QPoint(-1, 1)), ground) << radioName;
    }
    // The frame line of the text band, found where its right edge starts.
    auto *band = child<QGroupBox>(*d, "gbArqTexto");
    const int x = band->geometry().right() - 2;
    int frameLine = band->y();
    while (frameLine < band->geometry().bottom() && shown.pixelColor(x, frameLine) == ground)
        ++frameLine;
    const QRect separatorTitle = titleOf(child<QGroupBox>(*d, "rgSepColuna"), d.get());
    EXPECT_GE(separatorTitle.center().y(), frameLine);
    EXPECT_GT(separatorTitle.top(), child<QRadioButton>(*d, "rbArqTexto")->geometry().center().y());
}
