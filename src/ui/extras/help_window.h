#pragma once

#include "ui/extras/help_search.h"

#include <QDialog>
#include <QString>
#include <optional>

class QLineEdit;
class QListWidget;
class QTextBrowser;
class QToolButton;

// The help viewer: the program's HTML help page in its own window, opened
// at a section: the anchor named by a help context's number ("1" for
// context 1, the start) or by the section's name ("pagina-mapa"). Beside the
// text, the list of the page's sections; above it, back and forward through
// the sections seen and a search line over the text. One window serves
// every request and is brought to the front again.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    // Points the help at another page (tests); an empty path restores the
    // program's own (ProgramFolder::helpFile).
    static void setHelpFile(const QString &path);
    static QString helpFile();

    // Opens the help page at a context or a section; a missing page is
    // reported in an information box that names it. Opened over a modal
    // dialog, the window belongs to that dialog, so that it takes input.
    static void showContext(int context, QWidget *parent = nullptr);
    static void showSection(const QString &anchor, QWidget *parent = nullptr);

    // The open help window, if any.
    static HelpWindow *instance();

    static QString anchorOf(int context) { return QString::number(context); }

    QTextBrowser *browser() const { return m_browser; }

private:
    explicit HelpWindow(QWidget *parent);

    void open(const QString &path, const QString &anchor);
    // The sections of the page: one entry per heading with an anchor.
    void listSections(const QString &path);
    void markSection(const QString &anchor);
    // Selects the next place holding the search line's text, from the
    // start of the current selection (as the text is typed) or from its end
    // (Enter, for the next one); from the top of the text in view when the
    // selection is out of view.
    void search(bool next);

    QToolButton *m_btnVoltar;
    QToolButton *m_btnAvancar;
    QLineEdit *m_edtProcurarAjuda;
    QListWidget *m_lstAssuntos;
    QTextBrowser *m_browser;
    QString m_listedPage;
    // The search over the text shown, made when first needed.
    std::optional<HelpSearch> m_search;
};
