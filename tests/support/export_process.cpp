#include "support/export_process.h"

#include <QProcess>
#include <QProcessEnvironment>

ExportProcess ExportProcess::run(const QString &program, const QStringList &arguments) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_NUMERIC"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("pt_BR.UTF-8"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return {-1, {}, QStringLiteral("solvane-export did not finish: ") + process.errorString()};
    return {process.exitCode(), process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}
