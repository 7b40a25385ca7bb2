#include "app/main_window_fixture.h"
#include "base/data/query.h"
#include "base/table/current_result.h"
#include "support/modal_answerer.h"
#include "support/window_user.h"
#include "ui/app/main_frm.h"
#include "ui/app/topic_tree.h"
#include "ui/app/tree_index.h"
#include "ui/table/data_page.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QSplitter>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// The captions shown highlighted, by name.
QStringList highlightedLabels(MainWindowFixture &f) { return WindowUser::highlightedCaptions(f.window()); }

int page(MainWindowFixture &f) {
    return f.window().findChild<QStackedWidget *>(QStringLiteral("nbPrincipal"))->currentIndex();
}

// Closes whatever modal dialog shows, recording its object name.
ModalAnswerer::Handler closeDialog(QStringList &seen) {
    return [&seen](QWidget *dialog) {
        seen << dialog->objectName();
        dialog->close();
    };
}

} // namespace

TEST(MainWindow, StartsOnTheDataSectionWithTheTopLevelLoadedAndTwoNodesOpen) {
    MainWindowFixture f;
    TMain_Frm &w = f.window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Solvane"));

    QTreeWidget *tree = f.tree();
    ASSERT_EQ(tree->topLevelItemCount(), 4);
    QStringList titles;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        titles << tree->topLevelItem(i)->text(0);
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Déficit habitacional"), QStringLiteral("Inadequação"),
                                   QStringLiteral("Municípios selecionados"), QStringLiteral("Domicílios vagos")}));

    // Node 0 and node 13 (counted after the first expansion: "02") are open.
    QTreeWidgetItem *first = tree->topLevelItem(0);
    QTreeWidgetItem *second = tree->topLevelItem(1);
    EXPECT_TRUE(first->isExpanded());
    EXPECT_EQ(TreeIndex::indexOf(*second), 13);
    EXPECT_TRUE(second->isExpanded());
    EXPECT_EQ(TopicTree::picture(*first), TopicTree::OpenTopic);
    EXPECT_EQ(first->childCount(), 6);
    EXPECT_EQ(second->child(0)->text(0), QStringLiteral("Infraestrutura"));
    EXPECT_FALSE(tree->topLevelItem(3)->isExpanded());

    EXPECT_TRUE(tree->selectedItems().isEmpty());
    EXPECT_TRUE(w.nivelSelecionado().isEmpty());
    EXPECT_TRUE(w.currentResult().FCampoMarcado().isEmpty());
    EXPECT_TRUE(w.currentResult().FCampoPercentual().isEmpty());
    EXPECT_TRUE(w.currentResult().FAtributos().isEmpty());

    EXPECT_EQ(highlightedLabels(f), QStringList{QStringLiteral("lblDados")});
    EXPECT_EQ(page(f), 0);
    EXPECT_TRUE(f.label("pnlTituloDados")->text().isEmpty());
    EXPECT_EQ(f.label("pnlSemDados")->text(),
              QStringLiteral("Escolha o item a consultar na lista à esquerda ...... \nOu clique no botão Pesquisar."));

    // Showing the window gives the tree the focus without choosing a topic.
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(QApplication::focusWidget(), tree);
    EXPECT_TRUE(w.nivelSelecionado().isEmpty());
}

TEST(MainWindow, SharedTextFieldsAreCutToFiftyCharacters) {
    MainWindowFixture f;
    TMain_Frm &w = f.window();
    const QString longText(60, QLatin1Char('x'));
    w.setNivelExpandido(longText);
    w.setNivelSelecionado(longText);
    f.clickFigureTitle(longText, longText);
    for (const QString &value :
         {w.currentResult().FCampoMarcado(), w.currentResult().FCampoPercentual(), w.nivelSelecionado()})
        EXPECT_EQ(value, QString(50, QLatin1Char('x')));
}

// One click on a header control, as a user makes it.
struct SectionCase {
    const char *control;
    bool marked; // a grid column is marked
    QStringList messages;
    QStringList highlighted;
    int page;
};

TEST(MainWindow, SectionSwitchHighlightsRefusesAndChangesPage) {
    const SectionCase cases[] = {
        {"lblMapa", false, {QStringLiteral("Marque a coluna que deseja ver no mapa, clicando no titulo da mesma !")}, {}, 0},
        {"btnMapa", false, {QStringLiteral("Marque a coluna que deseja ver no mapa, clicando no titulo da mesma !")}, {}, 0},
        {"lblGrafico", false, {QStringLiteral("Marque a coluna que deseja ver no gráfico, clicando no titulo da mesma !")}, {}, 0},
        {"btnGrafico", false, {QStringLiteral("Marque a coluna que deseja ver no gráfico, clicando no titulo da mesma !")}, {}, 0},
        {"lblExportar", false, {QStringLiteral("Não existe dados para exportar !")}, {}, 0},
        {"btnExportar", true, {QStringLiteral("Não existe dados para exportar !")}, {}, 0},
        {"lblMapa", true, {}, {QStringLiteral("lblMapa")}, 1},
        {"btnGrafico", true, {}, {QStringLiteral("lblGrafico")}, 2},
        {"btnDados", true, {}, {QStringLiteral("lblDados")}, 0},
    };
    for (const SectionCase &c : cases) {
        SCOPED_TRACE(c.control);
        MainWindowFixture f;
        TMain_Frm &w = f.window();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        if (c.marked)
            f.clickFigureTitle();
        ModalAnswerer answerer;
        QTest::mouseClick(w.findChild<QWidget *>(QLatin1String(c.control)), Qt::LeftButton);
        EXPECT_EQ(answerer.messages(), c.messages);
        EXPECT_EQ(highlightedLabels(f), c.highlighted);
        EXPECT_EQ(page(f), c.page);
    }
}

TEST(MainWindow, ClickingTheShownViewAgainHighlightsItAgain) {
    MainWindowFixture f;
    TMain_Frm &w = f.window();
    f.clickFigureTitle();
    auto *notebook = w.findChild<QStackedWidget *>(QStringLiteral("nbPrincipal"));
    int pageChanges = 0;
    QObject::connect(notebook, &QStackedWidget::currentChanged, [&pageChanges] { ++pageChanges; });

    for (const char *control : {"lblMapa", "btnMapa", "lblGrafico", "lblGrafico"}) {
        QTest::mouseClick(w.findChild<QWidget *>(QLatin1String(control)), Qt::LeftButton);
        EXPECT_EQ(highlightedLabels(f).size(), 1);
    }
    EXPECT_EQ(highlightedLabels(f), QStringList{QStringLiteral("lblGrafico")});
    EXPECT_EQ(pageChanges, 2);

    // A refused request afterwards leaves nothing highlighted and the page as it was.
    f.clickFigureTitle(); // the second click removes the mark
    ModalAnswerer answerer;
    QTest::mouseClick(f.label("lblMapa"), Qt::LeftButton);
    EXPECT_EQ(answerer.answered(), 1);
    EXPECT_TRUE(highlightedLabels(f).isEmpty());
    EXPECT_EQ(page(f), 2);
}

TEST(MainWindow, AttachmentsAndAboutKeepTheirCaptionHighlightedAfterClosing) {
    for (const char *control : {"btnImprimir", "lblSobre"}) {
        SCOPED_TRACE(control);
        MainWindowFixture f;
        QStringList seen;
        ModalAnswerer answerer(closeDialog(seen));
        QTest::mouseClick(f.window().findChild<QWidget *>(QLatin1String(control)), Qt::LeftButton);
        const bool about = QLatin1String(control) == QLatin1String("lblSobre");
        EXPECT_EQ(seen, QStringList{about ? QStringLiteral("Sobre_Frm") : QStringLiteral("Arquivos_Anexos_Frm")});
        EXPECT_EQ(highlightedLabels(f), QStringList{about ? QStringLiteral("lblSobre") : QStringLiteral("lblImprimir")});
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(f.window().findChildren<QDialog *>().isEmpty());
    }
}

TEST(MainWindow, HelpLeavesNoCaptionHighlighted) {
    MainWindowFixture f;
    ModalAnswerer answerer; // no help file in the fixture: the box names it
    QTest::mouseClick(f.label("lblAjuda"), Qt::LeftButton);
    ASSERT_EQ(answerer.messages().size(), 1);
    EXPECT_TRUE(answerer.messages().first().contains(QStringLiteral("Ajuda/Solvane_AJUDA.html")));
    EXPECT_TRUE(highlightedLabels(f).isEmpty());
}

TEST(MainWindow, ExitClosesQueriesTreesAndConnectionThenFreesTheWindow) {
    MainWindowFixture f;
    TMain_Frm &w = f.window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.dataPage().MontaDados(QStringLiteral("01.01.01"));
    ASSERT_EQ(w.currentResult().FAtributos().size(), 2);
    QTest::mouseClick(f.label("lblSair"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.findChild<Query *>(QStringLiteral("qNivelInf"))->isActive());
    EXPECT_EQ(f.tree(), nullptr);
    EXPECT_EQ(f.codes(), nullptr);
    EXPECT_TRUE(w.currentResult().FAtributos().isEmpty());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.pointer().isNull());
}

TEST(MainWindow, ClosedTopicPanelKeepsATwoPixelStrip) {
    MainWindowFixture f;
    TMain_Frm &w = f.window();
    ASSERT_TRUE(f.show());
    auto *splitter = w.findChild<QSplitter *>(QStringLiteral("Splitter1"));
    QWidget *panel = w.findChild<QWidget *>(QStringLiteral("pnlTopicos"));
    EXPECT_EQ(panel->width(), 169);
    // Drag the handle to the window's left edge: the panel snaps shut.
    QSplitterHandle *handle = splitter->handle(1);
    const QPoint grip(handle->width() / 2, handle->height() / 2);
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, handle->mapFrom(&w, QPoint(0, grip.y() + handle->y())));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFrom(&w, QPoint(0, grip.y() + handle->y())));
    QApplication::processEvents();
    EXPECT_EQ(panel->width(), 2);
    EXPECT_TRUE(panel->isVisible());
    // The strip shows: the handle and the pages start right of it.
    EXPECT_EQ(panel->x(), 0);
    EXPECT_EQ(handle->x(), 2);
    EXPECT_EQ(splitter->widget(1)->x(), 2 + handle->width());
}

// A narrow window keeps the topic panel's width: the pages, whose controls
// need more room, scroll instead of squeezing it.
TEST(MainWindow, TopicPanelKeepsItsWidthInANarrowWindow) {
    MainWindowFixture f;
    TMain_Frm &w = f.window();
    ASSERT_TRUE(f.show());
    QWidget *panel = w.findChild<QWidget *>(QStringLiteral("pnlTopicos"));
    for (const int width : {900, 640, 1024}) {
        w.resize(width, 600);
        QApplication::processEvents();
        EXPECT_EQ(panel->width(), 169) << width;
        EXPECT_LE(w.width(), width) << "the window takes the width it is given";
    }
}
