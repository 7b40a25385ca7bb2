#pragma once

#include <QObject>
#include <QString>

class QWidget;

// F1 in a modal window (a dialog, a message box) opens the help at that
// window's section. The main window answers F1 itself with the section of
// its page in view; while a modal window runs, the main window takes no
// keys, so this filter of the application's events answers for it.
class HelpKey : public QObject {
    Q_OBJECT

public:
    // Installs the filter on the application, once.
    static void install();

    // The help section of a modal window: by its object name for the
    // program's dialogs, the messages' section for a message box, and
    // the start of the help for any other.
    static QString sectionOf(const QWidget &modal);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
