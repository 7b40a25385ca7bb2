#pragma once

#include <QObject>
#include <QProcess>
#include <QString>

#include <functional>

// solvane-import run as a child process, beside the running executable:
// the window and the exporter never load the library that reads the Access
// file, so a damaged file can end only that child. Its progress lines come
// through line(); a failure, a crash of the child or a cancellation ends
// with the message to show (naming the file), never with this process.
class ImportProcess : public QObject {
    Q_OBJECT

  public:
    ImportProcess(const QString &published, const QString &target, QObject *parent = nullptr);

    void start();
    // Asks the importer to stop; it removes what it wrote and ends.
    void cancel();

    // Runs to the end, each progress line to progress; raises AppError with
    // the importer's message when no study was written.
    void runToEnd(const std::function<void(const QString &)> &progress);

  signals:
    void line(const QString &text);
    // failure is empty when the study was written.
    void finished(const QString &failure);

  private:
    void readLines();
    void end(int exitCode, QProcess::ExitStatus status);

    QString m_published;
    QString m_target;
    QProcess m_process;
    QByteArray m_pending;
    QString m_lastMessage;
};
