#include "pictures/help_picture.h"
#include "pictures/help_tour.h"
#include "support/qstring_printer.h"
#include "base/table/topic_search.h"
#include "ui/app/main_frm.h"
#include "ui/chart/chart_view.h"
#include "ui/extras/help_window.h"
#include "ui/map/map_page.h"
#include "ui/table/data_grid.h"
#include "ui/table/result_table_model.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>
#include <map>

// The pictures of the windows that the build takes for the help.
namespace {

const QString kPictures = QStringLiteral(SOLVANE_PROGRAM_DIR "/Ajuda/imagens/");
constexpr qint64 kMostPerPicture = 150 * 1024;
constexpr qint64 kMostInAll = 3 * 1024 * 1024;
constexpr double kAlike = 0.97;
#ifdef SOLVANE_HELP_PICTURES
constexpr bool kPicturesTaken = true;
#else
constexpr bool kPicturesTaken = false; // the sanitizer and fuzzing builds
#endif

QStringList picturesTheHelpNames() {
    QFile page(QStringLiteral(SOLVANE_HELP_SOURCE));
    EXPECT_TRUE(page.open(QIODevice::ReadOnly));
    QStringList names;
    static const QRegularExpression picture(QStringLiteral("<img src=\"imagens/([^\"]+)\""));
    for (auto it = picture.globalMatch(QString::fromUtf8(page.readAll())); it.hasNext();)
        names << it.next().captured(1);
    return names;
}

// The share of the pixels in a part of two pictures of one size that are alike.
double alike(const QImage &a, const QImage &b, const QRect &part) {
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    qint64 same = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            same += left.pixel(x, y) == right.pixel(x, y);
    return double(same) / (qint64(part.width()) * part.height());
}

// The part of a picture that shows the same in every walk: all of it, but
// in the export dialog the folders, which list what the machine holds at
// the time (the temporary folders among them), are left out.
QRect steadyPart(const QString &picture, QWidget &shown) {
    if (picture != QLatin1String("exportar.png"))
        return shown.rect();
    QWidget *types = shown.findChild<QWidget *>(QStringLiteral("gbArqExcel"));
    const int top = types ? types->mapTo(&shown, QPoint()).y() : 0;
    return QRect(0, top, shown.width(), shown.height() - top);
}

template <class T> T *child(QWidget &shown, const char *name) {
    return shown.findChild<T *>(QLatin1String(name));
}

// What only each task's state shows, checked on the widget its picture shows.
void expectState(const QString &picture, QWidget &shown) {
    if (picture == QLatin1String("procurar.png")) {
        auto *tree = child<QTreeWidget>(shown, "tvOpcoes");
        int tables = 0;
        // A topic shown holds the word, or lies under a heading that does.
        const auto found = [](const QTreeWidgetItem *item) {
            for (; item; item = item->parent())
                if (TopicSearch::folded(item->text(0)).contains(QStringLiteral("coabitacao")))
                    return true;
            return false;
        };
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if (!(*it)->isHidden() && (*it)->childCount() == 0) {
                ++tables;
                EXPECT_TRUE(found(*it)) << (*it)->text(0).toStdString();
            }
        EXPECT_GT(tables, 0);
    } else if (picture == QLatin1String("tabela.png") || picture == QLatin1String("coluna_marcada.png")) {
        auto *grid = qobject_cast<DataGrid *>(&shown) ? qobject_cast<DataGrid *>(&shown) : child<DataGrid>(shown, "dbgDados");
        ASSERT_NE(grid, nullptr);
        EXPECT_GT(grid->tableModel()->rowCount(), 0);
        // Only the second has a column marked.
        EXPECT_EQ(grid->tag() != 0, picture == QLatin1String("coluna_marcada.png"));
    } else if (picture == QLatin1String("filtros.png")) {
        EXPECT_EQ(child<QComboBox>(shown, "lckUF")->currentText(), QStringLiteral("Pernambuco"));
        EXPECT_EQ(child<QComboBox>(shown, "cbAgrupar")->currentText(), QStringLiteral("Município"));
    } else if (picture == QLatin1String("mapa.png")) {
        EXPECT_FALSE(static_cast<MapPage &>(shown).picture().isNull());
        auto *legend = child<QTableWidget>(shown, "stgLegendaMapa");
        int bounds = 0;
        for (int row = 2; row < legend->rowCount(); ++row)
            bounds += legend->item(row, 3) && !legend->item(row, 3)->text().isEmpty();
        EXPECT_GE(bounds, 2);
    } else if (picture == QLatin1String("legenda.png")) {
        EXPECT_EQ(child<QTableWidget>(shown, "stgLegendaMapa")->item(4, 3)->text(), QStringLiteral("20000"));
        EXPECT_TRUE(child<QWidget>(shown, "btnAtualizarMapa")->isEnabled());
    } else if (picture == QLatin1String("grafico.png")) {
        EXPECT_GT(child<ChartView>(shown, "dbchtGrafico")->renderer().settings().points.size(), 0u);
    } else if (picture == QLatin1String("exportar.png")) {
        EXPECT_EQ(shown.objectName(), QStringLiteral("Exportar_Frm"));
        EXPECT_TRUE(shown.isVisible());
    } else if (picture == QLatin1String("municipios.png")) {
        EXPECT_EQ(shown.objectName(), QStringLiteral("Sel_Municipio_Frm"));
        EXPECT_EQ(child<QComboBox>(shown, "lckUF")->currentText(), QStringLiteral("Pernambuco"));
        EXPECT_GT(child<QListWidget>(shown, "clbSelMunicipio")->count(), 0);
    } else if (picture == QLatin1String("anexos.png")) {
        EXPECT_EQ(shown.objectName(), QStringLiteral("Arquivos_Anexos_Frm"));
    } else if (picture == QLatin1String("imprimir.png")) {
        EXPECT_EQ(shown.objectName(), QStringLiteral("dlgImprimir"));
        EXPECT_GE(shown.findChild<QPrintPreviewWidget *>()->pageCount(), 2);
    } else if (picture == QLatin1String("ajuda.png")) {
        auto &help = static_cast<HelpWindow &>(shown);
        EXPECT_EQ(help.browser()->source().fragment(), QStringLiteral("pagina-dados"));
        EXPECT_EQ(help.browser()->textCursor().selectedText().toLower(), QStringLiteral("legenda"));
        // Found from the section shown on, not from the top of the page.
        const QTextDocument *text = help.browser()->document();
        const int section = text->find(QStringLiteral("A página Dados"), text->characterCount(),
                                       QTextDocument::FindBackward | QTextDocument::FindCaseSensitively)
                                .position();
        EXPECT_GT(help.browser()->textCursor().selectionStart(), section);
    } else {
        ADD_FAILURE() << "no state known for " << picture.toStdString();
    }
}

} // namespace

// The tour takes exactly the pictures the help page names, each once.
TEST(HelpPictures, TheTourTakesThePicturesTheHelpNames) {
    QStringList named = picturesTheHelpNames();
    QStringList taken = HelpTour::pictures();
    named.sort();
    taken.sort();
    EXPECT_EQ(named, taken);
    EXPECT_EQ(named.removeDuplicates(), 0);
}

// Every picture the help names was written by the build, small enough.
TEST(HelpPictures, EveryPictureTheHelpNamesExistsAndIsSmall) {
    if (!kPicturesTaken)
        GTEST_SKIP() << "this build takes no pictures";
    qint64 total = 0;
    for (const QString &name : picturesTheHelpNames()) {
        const QFileInfo file(kPictures + name);
        ASSERT_TRUE(file.isFile()) << name.toStdString();
        EXPECT_LT(file.size(), kMostPerPicture) << name.toStdString();
        total += file.size();
        EXPECT_FALSE(QImage(file.filePath()).isNull()) << name.toStdString();
    }
    EXPECT_LT(total, kMostInAll);
}

// Walked again, each state of the tour shows what only that task shows, and
// the picture the build wrote is that state's: the same size and nearly
// every pixel alike, taken alike (a text cursor may blink between the two,
// and a busy machine may catch a window before it shows itself active).
// A build that takes no pictures still walks the tour, for its states.
TEST(HelpPictures, EachPictureShowsItsTasksState) {
    std::map<QString, int> visits;
    ASSERT_TRUE(HelpTour::walk([&](const QString &picture, QWidget &shown) {
        SCOPED_TRACE(picture.toStdString());
        ++visits[picture];
        expectState(picture, shown);
        if (!kPicturesTaken)
            return;
        const QImage written(kPictures + picture);
        const QImage now = HelpPicture::paletted(shown.grab().toImage());
        ASSERT_EQ(written.size(), now.size());
        EXPECT_GT(alike(written, now, steadyPart(picture, shown)), kAlike);
    }));
    EXPECT_EQ(visits.size(), size_t(HelpTour::pictures().size()));
}
