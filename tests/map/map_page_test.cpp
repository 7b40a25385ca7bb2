#include "base/data/program_folder.h"
#include "base/data/scope_guard.h"
#include "core/map/legend_file.h"
#include "core/map/legend_picture.h"
#include "sample_result.h"
#include "support/modal_answerer.h"
#include "support/window_user.h"
#include "ui/map/legend_grid.h"
#include "ui/map/map_page.h"
#include "ui/map/varnik_mapa.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QAction>
#include <gtest/gtest.h>

namespace {

// The map page on its own, over a copy of the sample study's Pernambuco
// municipality map in a program folder of its own (legend files go there).
class MapPageTest : public ::testing::Test, public SampleResult {
  protected:
    void SetUp() override {
        request = &run(selection(4, 26));
        QDir(folder.path()).mkpath(QStringLiteral("Mapas/Legendas"));
        QDir(folder.path()).mkpath(QStringLiteral("Mapas/Municipio"));
        for (const char *suffix : {".Bmp", ".Txt"})
            QFile::copy(kStudy + QStringLiteral("/Mapas/Municipio/PEMun") + QLatin1String(suffix),
                        folder.path() + QStringLiteral("/Mapas/Municipio/PEMun") + QLatin1String(suffix));
        ProgramFolder::setPath(folder.path());
        page.resize(800, 500);
        page.show();
    }

    template <class T> T *child(const char *name) { return page.findChild<T *>(QLatin1String(name)); }
    LegendGrid *grid() { return child<LegendGrid>("stgLegendaMapa"); }
    QString cell(int row, int column) { return grid()->item(row, column)->text(); }
    std::array<bool, 3> buttons() {
        return {child<QToolButton>("btnSalvar")->isEnabled(), child<QToolButton>("btnAutomatica")->isEnabled(),
                child<QToolButton>("btnAtualizarMapa")->isEnabled()};
    }
    // Types an upper bound into a class row as a user does.
    void type(int row, const QString &text) { WindowUser::typeInCell(grid(), row, 3, text); }

    QTemporaryDir folder;
    const CurrentResult *request = nullptr;
    MapPage page{db};
};

} // namespace

TEST_F(MapPageTest, EnteringDrawsTheMapWithTheComputedLegend) {
    page.enter(*request);
    auto *vkMapa = child<TVarnikMapa>("vkMapa");
    EXPECT_EQ(page.picture().size(), QSize(620, 460));
    EXPECT_EQ(vkMapa->picture(), page.picture());
    EXPECT_EQ(vkMapa->Tag(), 40);
    EXPECT_EQ(child<QLabel>("lblMapaDe")->text(), QStringLiteral("Município"));
    EXPECT_EQ(child<QLabel>("lblNomeLocal")->text(), QStringLiteral("Unidade Federação:"));
    EXPECT_EQ(child<QLineEdit>("edtNomeLocal")->text(), QStringLiteral("Pernambuco"));
    EXPECT_TRUE(child<QLineEdit>("edtNomeLocal")->isVisible());
    EXPECT_EQ(buttons(), (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(cell(1, 3), QStringLiteral("Ate"));
    for (int column = 0; column < LegendPicture::kColumns; ++column)
        EXPECT_EQ(grid()->columnWidth(column), LegendPicture::kColumnWidths[column] + 1 + (column == 3)) << column;
    EXPECT_EQ(cell(2, 1), QStringLiteral("0"));
    EXPECT_EQ(cell(2, 2), QStringLiteral("a"));
    EXPECT_EQ(cell(2, 3), page.legend().upper(1));
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(grid()->currentColumn(), 3);
    EXPECT_TRUE(grid()->item(2, 3)->toolTip().endsWith(QStringLiteral("áreas")) ||
                grid()->item(2, 3)->toolTip().contains(QStringLiteral("área")));

    // Leaving empties the classes and the picture.
    page.leave();
    EXPECT_TRUE(page.picture().isNull());
    EXPECT_TRUE(vkMapa->picture().isNull());
    EXPECT_EQ(cell(2, 3), QString());
    EXPECT_EQ(cell(2, 1), QString());
    EXPECT_EQ(grid()->item(2, 3)->toolTip(), QString());
}

// The tool-tips count the areas of each class, and those in none.
TEST_F(MapPageTest, ClassRowsCountTheirAreas) {
    // Class 1 ends at the middle value of the table.
    std::vector<qint64> values;
    const int a01 = cdsDados.fieldByName(QStringLiteral("A01")).index();
    for (int row = 0; row < cdsDados.recordCount(); ++row)
        values.push_back(cdsDados.asInteger(row, a01));
    std::sort(values.begin(), values.end());
    MapLegend::Bounds bounds;
    bounds[0] = QString::number(values[values.size() / 2]);
    LegendFile::write(LegendFile::path(QStringLiteral("A01"), 4), bounds);
    page.enter(*request);
    EXPECT_EQ(buttons(), (std::array<bool, 3>{false, true, false}));
    int inFirst = 0;
    int inNone = 0;
    for (const QString &line : child<TVarnikMapa>("vkMapa")->VKCorAreasMapa())
        (line.endsWith(QStringLiteral("=0")) ? inNone : inFirst)++;
    ASSERT_GT(inFirst, 1);
    ASSERT_GT(inNone, 1);
    const QString none = QStringLiteral("\n%1 áreas sem classe").arg(inNone);
    EXPECT_EQ(grid()->item(2, 0)->toolTip(), QStringLiteral("%1 áreas").arg(inFirst) + none);
    EXPECT_EQ(grid()->item(3, 3)->toolTip(), QStringLiteral("0 áreas") + none);
}

TEST_F(MapPageTest, TypingABoundMovesTheNextClassAndEnablesTheButtons) {
    page.enter(*request);
    type(3, QStringLiteral("1500"));
    EXPECT_EQ(cell(3, 3), QStringLiteral("1500"));
    EXPECT_EQ(cell(4, 1), QStringLiteral("1501"));
    EXPECT_EQ(buttons(), (std::array<bool, 3>{true, true, true}));

    // Delete clears the row's bounds only.
    grid()->setCurrentCell(5, 3);
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(cell(5, 1), QString());
    EXPECT_EQ(cell(5, 3), QString());
    EXPECT_FALSE(cell(6, 3).isEmpty());
}

// Blanking class 3 and redrawing empties classes 3 to 8 and paints every
// area above class 2 black.
TEST_F(MapPageTest, AtualizarMapaRedrawsWithTheGridsClasses) {
    page.enter(*request);
    type(4, QString());
    QTest::mouseClick(child<QToolButton>("btnAtualizarMapa"), Qt::LeftButton);
    for (int row = 4; row <= 9; ++row)
        EXPECT_EQ(cell(row, 3), QString()) << row;
    EXPECT_EQ(buttons(), (std::array<bool, 3>{true, true, false}));
    const double top = page.legend().upper(2).toDouble();
    const ResultTable &table = cdsDados;
    const int value = table.fieldByName(QStringLiteral("A01")).index();
    const int name = table.fieldByName(QStringLiteral("Municipio")).index();
    const QStringList colors = child<TVarnikMapa>("vkMapa")->VKCorAreasMapa();
    int black = 0;
    for (int row = 0; row < table.recordCount(); ++row) {
        const QString line = colors.filter(QRegularExpression(QStringLiteral("^%1=").arg(
                                               QRegularExpression::escape(table.asString(row, name)))))
                                 .value(0);
        if (!line.isEmpty() && table.asFloat(row, value) > top) {
            EXPECT_TRUE(line.endsWith(QStringLiteral("=0"))) << line.toStdString();
            ++black;
        }
    }
    EXPECT_GT(black, 0);
}

TEST_F(MapPageTest, SavingValidatesWritesAndRedraws) {
    page.enter(*request);
    const QString file = LegendFile::path(QStringLiteral("A01"), 4);

    // Class 3 ending where it begins names its colour and saves nothing.
    ModalAnswerer answerer;
    const QString bound = QString::number(cell(4, 1).toLongLong() + 1000);
    type(4, cell(4, 1));
    QTest::mouseClick(child<QToolButton>("btnSalvar"), Qt::LeftButton);
    EXPECT_EQ(answerer.messages(),
              QStringList{QStringLiteral("Legenda não pode ser salva, os dados da [faixa Azul Claro] estão inconsistentes !")});
    EXPECT_FALSE(QFile::exists(file));

    type(4, bound);
    type(5, QString());
    QTest::mouseClick(child<QToolButton>("btnSalvar"), Qt::LeftButton);
    EXPECT_EQ(answerer.messages().size(), 1);
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ((*LegendFile::read(file))[2], bound);
    EXPECT_EQ((*LegendFile::read(file))[3], QString());
    EXPECT_EQ(buttons(), (std::array<bool, 3>{false, true, false}));

    // Automática deletes the file and computes the classes again.
    QTest::mouseClick(child<QToolButton>("btnAutomatica"), Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(cell(9, 3).isEmpty());
    EXPECT_EQ(buttons(), (std::array<bool, 3>{false, false, false}));
}

// A folder that cannot take the legend stops the save: the message names
// the file, the map is not redrawn and the buttons keep their states.
TEST_F(MapPageTest, AFailedSaveChangesNothing) {
    page.enter(*request);
    // No legend folder in the study, and a file where the user's data
    // folder should be.
    QDir(folder.path() + QStringLiteral("/Mapas/Legendas")).removeRecursively();
    const QByteArray userData = qgetenv("XDG_DATA_HOME");
    const QString notAFolder = folder.path() + QStringLiteral("/arquivo");
    QFile(notAFolder).open(QIODevice::WriteOnly);
    qputenv("XDG_DATA_HOME", QFile::encodeName(notAFolder));
    ScopeGuard restore([&] { qputenv("XDG_DATA_HOME", userData); });
    type(3, QString::number(cell(3, 1).toLongLong() + 100));
    const QImage before = page.picture();
    ModalAnswerer answerer;
    QTest::mouseClick(child<QToolButton>("btnSalvar"), Qt::LeftButton);
    ASSERT_EQ(answerer.messages().size(), 1);
    EXPECT_TRUE(answerer.messages()[0].startsWith(QStringLiteral("Unable to write to ") +
                                                  LegendFile::path(QStringLiteral("A01"), 4)))
        << answerer.messages()[0].toStdString();
    EXPECT_EQ(page.picture(), before);
    EXPECT_EQ(buttons(), (std::array<bool, 3>{true, true, true}));
}

TEST_F(MapPageTest, ARefusalAsksTheWindowToGoBackFirst) {
    request = &run(selection(3));
    QStringList order;
    QObject::connect(&page, &MapPage::dataSectionRequested, [&] { order << QStringLiteral("refused"); });
    ModalAnswerer answerer;
    // Each line of the refusal shows whole, on a line of its own.
    QStringList cutLines;
    answerer.onMessage = [&cutLines](QMessageBox *box) {
        const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        for (const QString &line : box->text().split(QLatin1Char('\n')))
            if (label->fontMetrics().horizontalAdvance(line) > label->contentsRect().width())
                cutLines << line;
    };
    page.enter(*request);
    EXPECT_EQ(cutLines, QStringList());
    EXPECT_EQ(order, QStringList{QStringLiteral("refused")});
    ASSERT_EQ(answerer.messages().size(), 1);
    EXPECT_TRUE(answerer.messages()[0].contains(QStringLiteral("por [Município]")));
    EXPECT_TRUE(page.picture().isNull());
}

// The grid's context menu makes the classes by a method: the grid shows
// them and the map is redrawn with them, unsaved until "Salvar"; "dobro"
// brings back the study's own computed classes.
TEST_F(MapPageTest, TheContextMenuMakesTheClassesByAMethod) {
    page.enter(*request);
    const QImage doubling = page.picture();
    const MapLegend::Bounds computed = page.legend().uppers();
    QStringList offered;
    for (QAction *action : grid()->actions())
        offered << action->text();
    EXPECT_EQ(offered, (QStringList{"Classes: dobro", "Classes: intervalos iguais", "Classes: quantis",
                                    "Classes: quebras naturais"}));
    EXPECT_EQ(grid()->contextMenuPolicy(), Qt::ActionsContextMenu);

    grid()->actions()[2]->trigger();
    MapLegend quantiles;
    MapDrawing::computeClasses(db, *request, request->mark(), ClassMethod::Quantiles, quantiles);
    EXPECT_EQ(page.legend().uppers(), quantiles.uppers());
    for (int k = 1; k <= MapLegend::kClasses; ++k)
        EXPECT_EQ(cell(k + 1, 3), quantiles.upper(k)) << k;
    EXPECT_NE(page.picture(), doubling);
    EXPECT_EQ(buttons(), (std::array<bool, 3>{true, true, false}));
    EXPECT_FALSE(QFile::exists(LegendFile::path(QStringLiteral("A01"), 4)));

    grid()->actions()[0]->trigger();
    EXPECT_EQ(page.legend().uppers(), computed);
    EXPECT_EQ(page.picture(), doubling);
}

// Hovering names the area; one the table has no row for is named with
// " (sem dado)" after it.
TEST_F(MapPageTest, HoverSaysWhenAnAreaHasNoFigure) {
    SelectionState picked = selection(4, 26);
    picked.municipiosSelecionados = {QStringLiteral("/2611606")};
    page.enter(run(picked));
    auto *map = child<TVarnikMapa>("vkMapa");
    const AreaList colors(map->VKCorAreasMapa());
    ASSERT_EQ(colors.lines().size(), 1);
    int shown[2] = {0, 0};
    for (const QString &line : map->VKAreasMapa()) {
        const QString name = AreaList::nameOf(line);
        const QPoint at = AreaList::seedOf(line) + QPoint(0, MapPicture::kTitleBand);
        if (!map->rect().contains(at))
            continue;
        const QPoint onPage = map->mapTo(&page, at);
        QTest::mouseMove(page.windowHandle(), onPage + QPoint(1, 1));
        QTest::mouseMove(page.windowHandle(), onPage);
        const bool hasFigure = colors.indexOfName(name) >= 0;
        EXPECT_EQ(child<QLabel>("pnlNomeArea")->text(), hasFigure ? name : name + QStringLiteral(" (sem dado)"));
        ++shown[hasFigure];
    }
    EXPECT_EQ(shown[1], 1);
    EXPECT_GT(shown[0], 100);
}

// "Salvar mapa como…" in the map's context menu writes the map in the
// format the file's name or the chosen kind asks for.
TEST_F(MapPageTest, SaveMapAsWritesTheChosenFormat) {
    auto *map = child<TVarnikMapa>("vkMapa");
    const auto chooseFromMenu = [&](bool expectEnabled) {
        bool seen = false;
        QTimer::singleShot(50, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            auto *action = menu->findChild<QAction *>(QStringLiteral("actSalvarMapaComo"));
            ASSERT_NE(action, nullptr);
            seen = true;
            EXPECT_EQ(action->text(), QStringLiteral("Salvar mapa como…"));
            EXPECT_EQ(action->isEnabled(), expectEnabled);
            if (expectEnabled) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
            } else {
                menu->close();
            }
        });
        emit map->customContextMenuRequested(QPoint(100, 100));
        EXPECT_TRUE(seen);
    };
    chooseFromMenu(false); // no map drawn yet

    page.enter(*request);
    const struct {
        QString typed;
        int kind; // the file dialog's kind, -1: as it opens
        QString written;
        QByteArray head;
    } cases[] = {
        {QStringLiteral("mapa.svg"), -1, QStringLiteral("mapa.svg"), "<?xml"},
        {QStringLiteral("mapa.pdf"), -1, QStringLiteral("mapa.pdf"), "%PDF"},
        {QStringLiteral("mapa.png"), -1, QStringLiteral("mapa.png"), "\x89PNG"},
        {QStringLiteral("vetores"), 2, QStringLiteral("vetores.svg"), "<?xml"},
        {QStringLiteral("foto"), 1, QStringLiteral("foto.jpg"), "\xFF\xD8\xFF"},
    };
    for (const auto &c : cases) {
        const QString typed = folder.filePath(c.typed);
        ModalAnswerer answerer([&](QWidget *dialog) {
            auto *files = qobject_cast<QFileDialog *>(dialog);
            ASSERT_NE(files, nullptr);
            EXPECT_EQ(files->nameFilters().size(), 4);
            if (c.kind >= 0) {
                auto *kinds = files->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
                ASSERT_NE(kinds, nullptr);
                kinds->setCurrentIndex(c.kind);
                emit kinds->activated(c.kind);
            }
            // Typed into the name box, as a user types it; the dialog's own
            // selection follows its folder's listing, which may still load.
            auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(typed);
            QMetaObject::invokeMethod(files, "accept");
        });
        chooseFromMenu(true);
        QFile written(folder.filePath(c.written));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << c.written.toStdString();
        EXPECT_TRUE(written.readAll().startsWith(c.head)) << c.written.toStdString();
    }
    EXPECT_EQ(QImage(folder.filePath(QStringLiteral("mapa.png"))).convertToFormat(QImage::Format_RGB32),
              page.picture());
}
