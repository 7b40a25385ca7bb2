#include "support/export_process.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <sys/resource.h>

ExportProcess ExportProcess::run(const QString &program, const QStringList &arguments, qint64 addressSpace) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_NUMERIC"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("pt_BR.UTF-8"));
    process.setProcessEnvironment(env);
    if (addressSpace > 0) {
        process.setChildProcessModifier([addressSpace] {
            const rlimit limit{rlim_t(addressSpace), rlim_t(addressSpace)};
            ::setrlimit(RLIMIT_AS, &limit);
        });
    }
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, QStringLiteral("solvane-export did not finish: ") + process.errorString()};
    }
    const int status = process.exitStatus() == QProcess::CrashExit ? 128 + process.exitCode() : process.exitCode();
    return {status, process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}
