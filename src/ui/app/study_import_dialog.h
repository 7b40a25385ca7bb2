#pragma once

#include <QProgressDialog>

class ImportProcess;

// The window's import of a published study: solvane-import as a child
// process behind a progress window that counts the tables copied, shows the
// importer's last line and offers to cancel. A failure, a crash of the child
// or a cancellation ends the dialog with the message, never the program.
class StudyImportDialog : public QProgressDialog {
    Q_OBJECT

  public:
    StudyImportDialog(const QString &published, const QString &target, QWidget *parent = nullptr);

    // Runs the import while the dialog shows; returns the message to show,
    // empty when the study was written.
    QString run();

  private:
    void showLine(const QString &text);

    ImportProcess *m_process;
};
