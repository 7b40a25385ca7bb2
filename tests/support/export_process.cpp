#include "support/export_process.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

// Fontconfig short of memory rewrites the font caches it could not read with
// the little it could scan: under a memory limit it would leave every program
// on the machine with fonts missing. A program run under a limit reads the
// machine's caches but writes into caches of its own, in folder.
void keepFontCachesApart(QProcessEnvironment &env, const QTemporaryDir &folder) {
    const QString config = folder.filePath(QStringLiteral("fonts.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n<fontconfig>\n"
               "  <cachedir>" +
               QFile::encodeName(folder.filePath(QStringLiteral("cache"))) +
               "</cachedir>\n"
               "  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n</fontconfig>\n");
    env.insert(QStringLiteral("FONTCONFIG_FILE"), config);
    env.insert(QStringLiteral("XDG_CACHE_HOME"), folder.filePath(QStringLiteral("xdg")));
}

} // namespace

ExportProcess ExportProcess::run(const QString &program, const QStringList &arguments, qint64 addressSpace) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_NUMERIC"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("pt_BR.UTF-8"));
    QTemporaryDir fontCaches;
    if (addressSpace > 0) {
        keepFontCachesApart(env, fontCaches);
        process.setChildProcessModifier([addressSpace] {
            const rlimit limit{rlim_t(addressSpace), rlim_t(addressSpace)};
            ::setrlimit(RLIMIT_AS, &limit);
        });
    }
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, QStringLiteral("solvane-export did not finish: ") + process.errorString()};
    }
    const int status = process.exitStatus() == QProcess::CrashExit ? 128 + process.exitCode() : process.exitCode();
    return {status, process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}
