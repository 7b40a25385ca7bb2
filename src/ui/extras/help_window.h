#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

// The help viewer: the application's HTML help file in its own window,
// opened at the anchor of a help context: the anchor named by the context's
// number ("1" for context 1). One window serves every request and is
// brought to the front again.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    static void setHelpFile(const QString &path);
    static QString helpFile();

    // Opens the help file at a context; a missing file is reported in an
    // information box that names it.
    static void showContext(int context, QWidget *parent = nullptr);

    // The open help window, if any.
    static HelpWindow *instance();

    static QString anchorOf(int context) { return QString::number(context); }

    QTextBrowser *browser() const { return m_browser; }

private:
    explicit HelpWindow(QWidget *parent);

    QTextBrowser *m_browser;
};
