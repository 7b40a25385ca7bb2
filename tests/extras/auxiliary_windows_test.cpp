#include "base/data/program_folder.h"
#include "extras/url_recorder.h"
#include "ui/extras/arquivos_anexos_frm.h"
#include "ui/extras/help_window.h"
#include "ui/extras/sobre_frm.h"
#include "ui/widgets/radio_group.h"

#include <QApplication>
#include <QFile>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

bool shown(const QWidget &window, const char *name) {
    const auto *widget = window.findChild<QWidget *>(QLatin1String(name));
    return widget && widget->isVisibleTo(&window);
}

// Whether a control exists and lies inside its footer's visible height.
bool insideFooter(const QWidget &window, const char *name) {
    const auto *widget = window.findChild<QWidget *>(QLatin1String(name));
    const auto *footer = window.findChild<QWidget *>(QStringLiteral("pnlRodape"));
    return widget && footer->rect().contains(widget->geometry());
}

QString text(const QWidget &window, const char *name) { return window.findChild<QLabel *>(QLatin1String(name))->text(); }

} // namespace

TEST(About, SplashShowsTheTurnedLabelsAndOnlyTheShortFooter) {
    TSobre_Frm splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    EXPECT_EQ(splash.size(), QSize(430, 373));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash.findChild<QWidget *>(QStringLiteral("pnlRodape"))->height(), 63);
    EXPECT_TRUE(shown(splash, "lblVersao"));
    EXPECT_TRUE(shown(splash, "lblDireitos"));
    EXPECT_EQ(text(splash, "lblVersao"), QStringLiteral("Versão: 1.5"));
    EXPECT_FALSE(shown(splash, "lblRealizacao"));
    EXPECT_FALSE(shown(splash, "lblDesenvolvimento"));
    for (const char *below : {"imgLogoVarnik", "fcLabel1", "fcLabel2", "fcLabel3"})
        EXPECT_FALSE(insideFooter(splash, below)) << below;
    for (const char *above : {"imgLogoTebrix", "lblLinkTebrix", "Image2", "lblGoverno", "shpTraco"})
        EXPECT_TRUE(insideFooter(splash, above)) << above;
}

TEST(About, DialogModeShowsTheDevelopersLogoVersionAndRightsAndHidesTheTurnedLabels) {
    QPointer<TSobre_Frm> about = new TSobre_Frm;
    about->switchToDialogMode();
    about->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_FALSE(about->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Sobre o Projeto"));
    EXPECT_EQ(about->findChild<QWidget *>(QStringLiteral("pnlRodape"))->height(), 135);
    EXPECT_EQ(about->findChild<QWidget *>(QStringLiteral("Panel1"))->height(), 310);
    EXPECT_FALSE(shown(*about, "lblVersao"));
    EXPECT_FALSE(shown(*about, "lblDireitos"));
    EXPECT_TRUE(shown(*about, "lblRealizacao"));
    EXPECT_TRUE(shown(*about, "lblDesenvolvimento"));
    EXPECT_EQ(text(*about, "lblRealizacao"), QStringLiteral("Realização:"));
    EXPECT_EQ(text(*about, "lblDesenvolvimento"), QStringLiteral("Desenvolvimento:"));
    EXPECT_EQ(text(*about, "fcLabel1"), QStringLiteral("Versão: 1.5"));
    for (const char *below : {"imgLogoVarnik", "fcLabel1", "fcLabel2", "fcLabel3", "lblCreditos"})
        EXPECT_TRUE(insideFooter(*about, below)) << below;
    EXPECT_TRUE(text(*about, "fcLabel3").contains(QStringLiteral("dados de amostra")));
    EXPECT_TRUE(text(*about, "lblCreditos").contains(QStringLiteral("@svg-maps/brazil (CC BY 4.0)")));

    // Closing frees it.
    about->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
}

TEST(About, TheAddressLabelOpensTheAddressThroughTheShell) {
    UrlRecorder desktop;
    TSobre_Frm about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    auto *link = about.findChild<QLabel *>(QStringLiteral("lblLinkTebrix"));
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened.first().host(), QStringLiteral("www.example.org"));
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
}

TEST(Attachments, FindOpensTheChosenDocumentFromTheProgramFolderAndCloses) {
    const QString folder = QStringLiteral("/opt/solvane/");
    ProgramFolder::setPath(folder);
    const QString expected[] = {QStringLiteral("Anexos/Relatório_Solvane2005.pdf"), QStringLiteral("Anexos/Solvane2005_Anexo.pdf"),
                                QStringLiteral("Anexos/Solvane2005_Anexo.xlsx")};
    for (int item = 0; item < 3; ++item) {
        SCOPED_TRACE(item);
        UrlRecorder desktop;
        QPointer<TArquivos_Anexos_Frm> dialog = new TArquivos_Anexos_Frm;
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        auto *choice = dialog->findChild<RadioGroup *>(QStringLiteral("rgArquivo"));
        EXPECT_EQ(choice->itemIndex(), 0);
        QTest::mouseClick(choice->button(item), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnExportar")), Qt::LeftButton);
        ASSERT_EQ(desktop.opened.size(), 1);
        EXPECT_EQ(desktop.opened.first().toLocalFile(), folder + expected[item]);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(dialog.isNull());
    }
    ProgramFolder::setPath(QString());
}

TEST(Attachments, CloseOpensNothing) {
    UrlRecorder desktop;
    QPointer<TArquivos_Anexos_Frm> dialog = new TArquivos_Anexos_Frm;
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("SOLVANE NO BRASIL - ANÁLISE DOS RESULTADOS"));
    EXPECT_EQ(dialog->size(), QSize(434, 128));
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnFechar")), Qt::LeftButton);
    EXPECT_TRUE(desktop.opened.isEmpty());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

TEST(Help, OpensTheHelpFileAtTheAnchorOfItsContext) {
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("Ajuda"));
    const QString path = folder.filePath(QStringLiteral("Ajuda/Solvane_AJUDA.html"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><a name=\"1\"></a><h1>Ajuda</h1><p>Como usar.</p></body></html>");
    file.close();
    HelpWindow::setHelpFile(path);

    HelpWindow::showContext(1);
    HelpWindow *window = HelpWindow::instance();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->browser()->source().toLocalFile(), path);
    EXPECT_EQ(window->browser()->source().fragment(), QStringLiteral("1"));
    EXPECT_TRUE(window->browser()->toPlainText().contains(QStringLiteral("Como usar.")));

    // A second request reuses the open window.
    HelpWindow::showContext(1);
    EXPECT_EQ(HelpWindow::instance(), window);
    window->close();
    HelpWindow::setHelpFile(QString());
}
