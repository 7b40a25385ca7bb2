#include "jet_writer_run.h"

#include <QProcess>

JetWriterRun JetWriterRun::run(const QStringList &arguments) {
    QProcess process;
    process.start(QStringLiteral(JET_WRITER), arguments);
    if (!process.waitForFinished(120000))
        return {-1, QStringLiteral("jet_writer did not finish: ") + process.errorString()};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}
