#pragma once

#include <QByteArray>
#include <QString>
#include <thread>

// A named pipe with a reader on a thread of its own, so a test can hand the
// pipe's path to a writer and then see what came through.
class PipeReader {
  public:
    // Makes the pipe at the path and starts reading it.
    explicit PipeReader(const QString &path);
    // A reader still waiting is released, so a test that stopped early
    // never hangs.
    ~PipeReader();
    PipeReader(const PipeReader &) = delete;
    PipeReader &operator=(const PipeReader &) = delete;

    // Whether the pipe could be made.
    bool made() const { return m_made; }
    // Waits for the writer to close the pipe; the bytes read.
    QByteArray finish();

  private:
    QString m_path;
    bool m_made = false;
    QByteArray m_read;
    std::thread m_reader;
};
