#include "base/data/import_process.h"

#include "base/data/app_error.h"
#include "base/data/program_folder.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

namespace {
const QString kImporter = QStringLiteral("solvane-import");
const QString kMessagePrefix = kImporter + QStringLiteral(": ");
} // namespace

ImportProcess::ImportProcess(const QString &published, const QString &target, QObject *parent)
    : QObject(parent), m_published(published), m_target(target) {
    m_process.setProgram(ProgramFolder::programsPath() + kImporter);
    m_process.setArguments({published, QStringLiteral("--saida"), target});
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    connect(&m_process, &QProcess::readyReadStandardError, this, &ImportProcess::readLines);
    connect(&m_process, &QProcess::finished, this, &ImportProcess::end);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            emit finished(QStringLiteral("Não foi possível iniciar o importador \"%1\" para ler o estudo \"%2\": %3")
                              .arg(m_process.program(), m_published, m_process.errorString()));
    });
}

// The user's data folder that may receive the study is made on first use.
void ImportProcess::start() {
    QDir().mkpath(QFileInfo(m_target).absolutePath());
    m_process.start();
}

void ImportProcess::cancel() {
    if (m_process.state() != QProcess::NotRunning)
        m_process.terminate();
}

void ImportProcess::readLines() {
    m_pending += m_process.readAllStandardError();
    for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n')) {
        const QString text = QString::fromUtf8(m_pending.left(end)).trimmed();
        m_pending.remove(0, end + 1);
        if (text.isEmpty())
            continue;
        if (text.startsWith(kMessagePrefix))
            m_lastMessage = text.mid(kMessagePrefix.size());
        emit line(text);
    }
}

void ImportProcess::end(int exitCode, QProcess::ExitStatus status) {
    readLines();
    if (status == QProcess::NormalExit && exitCode == 0) {
        emit finished(QString());
        return;
    }
    if (status == QProcess::NormalExit && !m_lastMessage.isEmpty()) {
        emit finished(m_lastMessage);
        return;
    }
    emit finished(QStringLiteral("Não foi possível importar o estudo \"%1\": o importador terminou sem gravá-lo "
                                 "(%2)")
                      .arg(m_published, status == QProcess::CrashExit ? m_process.errorString()
                                                                      : QStringLiteral("status %1").arg(exitCode)));
}

void ImportProcess::runToEnd(const std::function<void(const QString &)> &progress) {
    QEventLoop loop;
    QString failure;
    connect(this, &ImportProcess::line, &loop, [&progress](const QString &text) { progress(text); });
    connect(this, &ImportProcess::finished, &loop, [&](const QString &text) {
        failure = text;
        loop.quit();
    });
    start();
    loop.exec();
    if (!failure.isEmpty())
        throw AppError(failure);
}
