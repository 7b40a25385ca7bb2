#include "pictures/help_tour.h"

#include "support/modal_answerer.h"
#include "support/study_copy.h"
#include "support/window_user.h"
#include "ui/app/main_frm.h"
#include "ui/extras/help_window.h"
#include "ui/selection/filter_panel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QSize kPreviewSize(900, 640);
// The legend's row edited in its picture: the third class.
constexpr int kEditedRow = 4;

// Clicks a control that opens a modal dialog; while the dialog runs, the
// preparation runs on it once, the visitor sees it, and it is closed.
void visitDialog(QWidget *control, const std::function<void()> &click, const QString &picture,
                 const HelpTour::Visit &visit, const std::function<void(QDialog &)> &prepare = {}) {
    bool seen = false;
    ModalAnswerer answerer([&](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
        if (seen || !dialog)
            return;
        seen = true;
        if (prepare)
            prepare(*dialog);
        visit(picture, *dialog);
        dialog->reject();
    });
    ASSERT_NE(control, nullptr) << picture.toStdString();
    click();
    EXPECT_TRUE(seen) << picture.toStdString();
    EXPECT_EQ(answerer.messages(), QStringList()) << picture.toStdString();
}

void visitDialog(QWidget *control, const QString &picture, const HelpTour::Visit &visit,
                 const std::function<void(QDialog &)> &prepare = {}) {
    visitDialog(control, [control] { QTest::mouseClick(control, Qt::LeftButton); }, picture, visit, prepare);
}

} // namespace

namespace HelpTour {

QStringList pictures() {
    return {QStringLiteral("procurar.png"),   QStringLiteral("tabela.png"),     QStringLiteral("filtros.png"),
            QStringLiteral("coluna_marcada.png"), QStringLiteral("mapa.png"),   QStringLiteral("legenda.png"),
            QStringLiteral("grafico.png"),    QStringLiteral("exportar.png"),   QStringLiteral("municipios.png"),
            QStringLiteral("anexos.png"),     QStringLiteral("imprimir.png"),   QStringLiteral("ajuda.png")};
}

bool walk(const Visit &visit) {
    StudyCopy study;
    // The export dialog opens on the "Exportado" folder beside the program,
    // as in the build tree, not on the folder the tour was started from.
    if (!study.made() || !QDir(study.folder()).mkpath(QStringLiteral("Exportado")))
        return false;
    // The help page the build laid out beside the programs.
    HelpWindow::setHelpFile(QStringLiteral(SOLVANE_PROGRAM_DIR "/Ajuda/Solvane_AJUDA.html"));
    const auto ownHelp = qScopeGuard([] { HelpWindow::setHelpFile(QString()); });
    QPointer<TMain_Frm> window = new TMain_Frm;
    WindowUser user(*window);

    // A widget missing from its state fails the step, not the tour.
    const auto show = [&visit](const char *picture, QWidget *shown) {
        if (shown)
            visit(QLatin1String(picture), *shown);
        else
            ADD_FAILURE() << "nothing to show for " << picture;
    };

    // Typed, and Enter on it: the first topic found opens.
    auto *search = user.find<QLineEdit>("edtProcurarTopico");
    QTest::mouseClick(search, Qt::LeftButton);
    QTest::keyClicks(search, QStringLiteral("coabitacao"));
    QTest::keyClick(search, Qt::Key_Return);
    show("procurar.png", user.find("pnlTopicos"));
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Escape);
    // The cleared line's clear button fades out; the next pictures show the
    // line at rest, without it.
    if (const auto *clear = search->findChild<QToolButton *>())
        QTest::qWaitFor([clear] { return clear->property("opacity").toReal() == 0.0; }, 1000);

    user.chooseTopic(QStringLiteral("Déficit habitacional básico, por componente"));
    show("tabela.png", window);

    user.pick("cbAgrupar", QStringLiteral("Município"));
    user.pick("lckRegiao", QStringLiteral("Nordeste"));
    user.pick("lckUF", QStringLiteral("Pernambuco"));
    user.search();
    show("filtros.png", window->findChild<FilterPanel *>());

    user.markColumn(QStringLiteral("A01"));
    show("coluna_marcada.png", user.find("dbgDados"));

    EXPECT_EQ(user.click("lblMapa"), QStringList());
    show("mapa.png", user.find("pgMapa"));
    // A class's upper bound typed over: "Atualizar Mapa" waits for a click.
    if (auto *legend = user.find<QTableWidget>("stgLegendaMapa")) {
        WindowUser::typeInCell(legend, kEditedRow, 3, QStringLiteral("20000"));
        show("legenda.png", user.find("pnlLegenda"));
    }
    EXPECT_EQ(user.click("lblGrafico"), QStringList());
    show("grafico.png", user.find("pgGrafico"));

    EXPECT_EQ(user.click("lblDados"), QStringList());
    visitDialog(user.find("lblExportar"), QStringLiteral("exportar.png"), visit);
    // The picker opens on the state chosen in the filters.
    visitDialog(user.find("btnMunicipio"), QStringLiteral("municipios.png"), visit);
    visitDialog(user.find("lblImprimir"), QStringLiteral("anexos.png"), visit);

    QWidget *grid = user.find("dbgDados");
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    grid->setFocus();
    visitDialog(
        grid, [grid] { QTest::keyClick(grid, Qt::Key_P, Qt::ControlModifier); }, QStringLiteral("imprimir.png"),
        visit, [](QDialog &preview) {
            preview.resize(kPreviewSize);
            if (auto *pages = preview.findChild<QPrintPreviewWidget *>())
                pages->updatePreview();
        });

    // F1 on the data page, and a word looked up in the help.
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F1);
    if (HelpWindow *help = HelpWindow::instance()) {
        auto *words = help->findChild<QLineEdit *>(QStringLiteral("edtProcurarAjuda"));
        QTest::keyClicks(words, QStringLiteral("legenda"));
        show("ajuda.png", help);
        help->close();
    } else {
        ADD_FAILURE() << "F1 opened no help";
    }

    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return true;
}

} // namespace HelpTour
