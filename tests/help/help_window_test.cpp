#include "base/data/program_folder.h"
#include "base/table/topic_search.h"
#include "support/qstring_printer.h"
#include "ui/extras/help_key.h"
#include "ui/extras/help_window.h"

#include <QApplication>
#include <QDialog>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <gtest/gtest.h>

// The help window on the program's own help page, as the build lays it out
// beside the programs.
namespace {

const QString kHelpPage = QStringLiteral(SOLVANE_PROGRAM_DIR "/Ajuda/Solvane_AJUDA.html");

QString readText(const QString &path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

QStringList captures(const QString &text, const QString &pattern) {
    QStringList found;
    const QRegularExpression expression(pattern, QRegularExpression::DotMatchesEverythingOption);
    for (auto it = expression.globalMatch(text); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

class HelpWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HelpWindow::setHelpFile(kHelpPage);
        HelpWindow::showContext(1);
        m_window = HelpWindow::instance();
        ASSERT_NE(m_window, nullptr);
        m_contents = m_window->findChild<QListWidget *>(QStringLiteral("lstAssuntos"));
        ASSERT_NE(m_contents, nullptr);
    }
    void TearDown() override {
        if (HelpWindow::instance())
            HelpWindow::instance()->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        HelpWindow::setHelpFile(QString());
    }

    QString fragment() const { return m_window->browser()->source().fragment(); }
    QListWidgetItem *entry(const QString &title) const {
        const auto items = m_contents->findItems(title, Qt::MatchExactly);
        return items.isEmpty() ? nullptr : items.first();
    }
    void clickEntry(const QString &title) const {
        QListWidgetItem *item = entry(title);
        ASSERT_NE(item, nullptr) << title.toStdString();
        m_contents->scrollToItem(item);
        QTest::mouseClick(m_contents->viewport(), Qt::LeftButton, {}, m_contents->visualItemRect(item).center());
    }
    void press(const char *button) const {
        QTest::mouseClick(m_window->findChild<QToolButton *>(QLatin1String(button)), Qt::LeftButton);
    }

    HelpWindow *m_window = nullptr;
    QListWidget *m_contents = nullptr;
};

} // namespace

// The page opens at context 1, its top, and says the study is a sample;
// every link inside it reaches an anchor, and every section F1 asks for in
// a dialog exists.
TEST(HelpPage, OpensAtContextOneAndEveryLinkAndDialogSectionHasItsAnchor) {
    const QString page = readText(kHelpPage);
    EXPECT_EQ(page, readText(QStringLiteral(SOLVANE_HELP_SOURCE)));
    EXPECT_TRUE(page.contains(QStringLiteral("<a name=\"1\"></a>\n<h1>")));
    EXPECT_TRUE(page.contains(QStringLiteral("estudo de exemplo")));
    const QStringList named = captures(page, QStringLiteral("<a name=\"([^\"]+)\""));
    const QSet<QString> anchors(named.cbegin(), named.cend());
    const QStringList links = captures(page, QStringLiteral("href=\"#([^\"]+)\""));
    EXPECT_GT(links.size(), 30);
    for (const QString &link : links)
        EXPECT_TRUE(anchors.contains(link)) << link.toStdString();

    for (const char *name : {"Exportar_Frm", "Sel_Municipio_Frm", "Arquivos_Anexos_Frm", "Sobre_Frm", "dlgImprimir"}) {
        QDialog dialog;
        dialog.setObjectName(QLatin1String(name));
        const QString section = HelpKey::sectionOf(dialog);
        EXPECT_NE(section, QStringLiteral("1")) << name;
        EXPECT_TRUE(anchors.contains(section)) << name;
    }
    QMessageBox box;
    EXPECT_TRUE(anchors.contains(HelpKey::sectionOf(box)));
}

// Every message the help explains is one the program shows: each piece of
// its text (the parts the program fills in left out, as "…") is in the
// program's code, so a reworded message is noticed here.
TEST(HelpPage, TheMessagesItExplainsAreThoseTheProgramShows) {
    QString code;
    for (QDirIterator it(QStringLiteral(SOLVANE_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                         QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        code += readText(it.next());
    code.replace(QStringLiteral("\\\""), QStringLiteral("\"")).replace(QStringLiteral("\\?"), QStringLiteral("?"));

    const QStringList messages = captures(readText(kHelpPage), QStringLiteral("<td class=\"msg\">(.*?)</td>"));
    EXPECT_GE(messages.size(), 15);
    for (const QString &message : messages) {
        const QString text = QTextDocumentFragment::fromHtml(message).toPlainText().simplified();
        for (const QString &piece : text.split(QChar(0x2026))) {
            if (piece.trimmed().size() >= 10) {
                EXPECT_TRUE(code.contains(piece.trimmed())) << piece.toStdString();
            }
        }
    }
}

// The glossary has the study's terms as the issue of the help lists them.
TEST(HelpPage, TheGlossaryHasTheStudysTerms) {
    const QString page = readText(kHelpPage);
    const QString glossary = page.mid(page.indexOf(QStringLiteral("<a name=\"glossario\">")));
    for (const char *term : {"Déficit habitacional", "Inadequação", "Coabitação familiar", "Domicílios improvisados",
                             "Domicílios rústicos", "Adensamento excessivo", "Ônus excessivo com aluguel",
                             "Carência de serviços"})
        EXPECT_TRUE(glossary.contains(QStringLiteral("<dt><b>") + QString::fromUtf8(term))) << term;
}

// The help is the program's: pointing the program at another study (as
// --estudo does) leaves it where it was, beside the programs or installed
// with them.
TEST(HelpPage, ComesWithTheProgramWhateverStudyIsOpen) {
    const QString own = ProgramFolder::helpFile();
    EXPECT_TRUE(own.endsWith(QStringLiteral("/Ajuda/Solvane_AJUDA.html"))) << own.toStdString();
    EXPECT_EQ(HelpWindow::helpFile(), own);
    QTemporaryDir study;
    ProgramFolder::setPath(study.path());
    EXPECT_EQ(ProgramFolder::helpFile(), own);
    ProgramFolder::setPath(QString());
}

// The contents list names the page's sections; a click shows one, and back
// and forward walk the sections seen, the list following.
TEST_F(HelpWindowTest, TheContentsListLeadsToASectionAndBackAndForwardReturn) {
    EXPECT_EQ(fragment(), QStringLiteral("1"));
    ASSERT_NE(entry(QStringLiteral("Início")), nullptr);
    for (const char *title : {"Consultar a tabela de um tópico", "A página Mapa", "Teclas de atalho",
                              "Mensagens do programa", "Glossário"})
        EXPECT_NE(entry(QString::fromUtf8(title)), nullptr) << title;
    EXPECT_EQ(m_contents->currentItem(), entry(QStringLiteral("Início")));

    clickEntry(QStringLiteral("Glossário"));
    EXPECT_EQ(fragment(), QStringLiteral("glossario"));
    clickEntry(QStringLiteral("A página Mapa"));
    EXPECT_EQ(fragment(), QStringLiteral("pagina-mapa"));
    // The section's heading at the top of the text shown.
    const QTextDocument *text = m_window->browser()->document();
    const int heading = text->find(QStringLiteral("A página Mapa"), text->characterCount(),
                                   QTextDocument::FindBackward | QTextDocument::FindCaseSensitively)
                            .position();
    EXPECT_NEAR(m_window->browser()->cursorForPosition(QPoint(0, 0)).position(), heading, 40);

    press("btnVoltar");
    EXPECT_EQ(fragment(), QStringLiteral("glossario"));
    EXPECT_EQ(m_contents->currentItem(), entry(QStringLiteral("Glossário")));
    press("btnVoltar");
    EXPECT_EQ(fragment(), QStringLiteral("1"));
    EXPECT_FALSE(m_window->findChild<QToolButton *>(QStringLiteral("btnVoltar"))->isEnabled());
    press("btnAvancar");
    EXPECT_EQ(fragment(), QStringLiteral("glossario"));

    // A section asked for by the program is listed as the one shown, and
    // shown, also by a window opened for it.
    m_window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    HelpWindow::showSection(QStringLiteral("dialogo-exportar"));
    m_window = HelpWindow::instance();
    m_contents = m_window->findChild<QListWidget *>(QStringLiteral("lstAssuntos"));
    text = m_window->browser()->document();
    const int dialog = text->find(QStringLiteral("A janela Exportar Dados"), text->characterCount(),
                                  QTextDocument::FindBackward | QTextDocument::FindCaseSensitively)
                           .position();
    EXPECT_NEAR(m_window->browser()->cursorForPosition(QPoint(0, 0)).position(), dialog, 40);
    EXPECT_EQ(m_contents->currentItem(), entry(QStringLiteral("A janela Exportar Dados")));
}

// The search line finds "coabitação" typed without accents, and Enter goes
// on to the next place; a word the help does not hold changes nothing.
TEST_F(HelpWindowTest, TheSearchFindsCoabitacaoTypedWithoutAccents) {
    auto *line = m_window->findChild<QLineEdit *>(QStringLiteral("edtProcurarAjuda"));
    ASSERT_NE(line, nullptr);
    QTest::keyClicks(line, QStringLiteral("coabitacao"));
    const auto selected = [this] { return m_window->browser()->textCursor(); };
    EXPECT_EQ(TopicSearch::folded(selected().selectedText()), QStringLiteral("coabitacao"));

    // The help also shows the word typed plainly, as an example: Enter goes
    // on until the word as the study writes it.
    int last = selected().selectionStart();
    for (int presses = 0; presses < 10 && selected().selectedText().toLower() != QStringLiteral("coabitação");
         ++presses) {
        QTest::keyClick(line, Qt::Key_Return);
        EXPECT_GT(selected().selectionStart(), last);
        last = selected().selectionStart();
    }
    EXPECT_EQ(selected().selectedText().toLower(), QStringLiteral("coabitação"));

    QTest::keyClicks(line, QStringLiteral("x"));
    EXPECT_EQ(selected().selectionStart(), last);
    EXPECT_EQ(line->palette().color(QPalette::Text), QColor(Qt::red));

    // Gone on to the glossary, the reader finds the word there, not where
    // the last search left off.
    HelpWindow::showSection(QStringLiteral("glossario"));
    line->clear();
    QTest::keyClicks(line, QStringLiteral("coabitacao"));
    const QTextDocument *text = m_window->browser()->document();
    const int glossary =
        text->find(QStringLiteral("Glossário"), text->characterCount(), QTextDocument::FindBackward).position();
    EXPECT_GT(selected().selectionStart(), glossary);
    EXPECT_EQ(selected().selectedText().toLower(), QStringLiteral("coabitação"));
}
