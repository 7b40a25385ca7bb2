#include "base/data/program_folder.h"
#include "extras/url_recorder.h"
#include "support/window_user.h"
#include "ui/map/legend_grid.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

// The program installed as a package installs it, under a prefix no user
// may write, and used by an ordinary user with an empty home: the exporter
// and the window write what they make into the user's folders, and not one
// installed file changes.
namespace {

const QString kBuild = QStringLiteral(SOLVANE_BUILD_DIR);

using Checksums = std::map<QString, QByteArray>;

// Every file and link under the folder, with the hash of its bytes (or
// where the link leads) and its mode.
Checksums checksums(const QString &folder) {
    Checksums sums;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat info {};
        ::lstat(QFile::encodeName(path).constData(), &info);
        QByteArray sum = QByteArray::number(info.st_mode, 8) + ' ';
        if (S_ISLNK(info.st_mode)) {
            sum += QFile::encodeName(QFile::symLinkTarget(path));
        } else if (S_ISREG(info.st_mode)) {
            QFile file(path);
            QCryptographicHash hash(QCryptographicHash::Sha256);
            if (file.open(QIODevice::ReadOnly))
                hash.addData(&file);
            sum += hash.result().toHex();
        }
        sums[path.mid(folder.size())] = sum;
    }
    return sums;
}

// Takes away every write permission, and lets everyone reach the tree.
bool makeReadOnly(const QString &folder) {
    bool done = ::chmod(QFile::encodeName(folder).constData(), 0555) == 0;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat info {};
        ::lstat(QFile::encodeName(path).constData(), &info);
        if (!S_ISLNK(info.st_mode))
            done = done && ::chmod(QFile::encodeName(path).constData(), (info.st_mode & 0111) || S_ISDIR(info.st_mode)
                                                                              ? 0555
                                                                              : 0444) == 0;
    }
    return done;
}

// A run of an installed program, what it said, and its status.
QString run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return QStringLiteral("%1 did not end").arg(program);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("%1 %2 ended with %3: %4")
            .arg(program, arguments.join(u' '))
            .arg(process.exitCode())
            .arg(QString::fromUtf8(process.readAllStandardError()));
    return QString();
}

class ReadOnlyInstallTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        ASSERT_EQ(::chmod(QFile::encodeName(m_root.path()).constData(), 0755), 0);
        QProcess install;
        install.start(QStringLiteral("cmake"), {QStringLiteral("--install"), kBuild, QStringLiteral("--prefix"), prefix()});
        ASSERT_TRUE(install.waitForFinished(120000));
        ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
        ASSERT_TRUE(makeReadOnly(prefix()));
    }
    void TearDown() override {
        // Writable again, so that the temporary folder can be removed.
        QDirIterator it(prefix(), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        ::chmod(QFile::encodeName(prefix()).constData(), 0755);
        while (it.hasNext())
            ::chmod(QFile::encodeName(it.next()).constData(), 0755);
        ProgramFolder::setPath(QString());
    }

    QString prefix() const { return m_root.path() + QStringLiteral("/usr"); }

    QTemporaryDir m_root;
};

// The user's work, in the empty home it was given: what it reports, one
// line a step; an empty line is a step that went as it should.
QStringList usersWork(const QString &prefix) {
    const QString home = QDir::homePath();
    // The test process's own data folder is not the user's.
    qunsetenv("XDG_DATA_HOME");
    QStringList report;

    // The exporter: a table on the standard output, a map and a workbook
    // into the folder it was given.
    const QString exporter = prefix + QStringLiteral("/bin/solvane-export");
    const QStringList pernambuco{"--topico", "01.01.01", "--agrupar", "municipio", "--uf", "26"};
    report << run(exporter, {QStringLiteral("--topico"), QStringLiteral("01.01.01")});
    report << run(exporter, pernambuco + QStringList{"--coluna", "A01", "--mapa", home + QStringLiteral("/mapa.png")});
    report << run(exporter, pernambuco + QStringList{"--planilha", home + QStringLiteral("/tabela.xlsx")});
    for (const char *written : {"mapa.png", "tabela.xlsx"})
        report << (QFileInfo(home + QLatin1Char('/') + QLatin1String(written)).size() > 0
                       ? QString()
                       : QStringLiteral("the exporter wrote no %1").arg(QLatin1String(written)));

    // The window on the installed study: a legend saved, then the map page
    // exported to the folder the dialog proposes.
    ProgramFolder::setPath(prefix + QStringLiteral("/share/solvane"));
    UrlRecorder desktop;
    TMain_Frm window;
    WindowUser user(window);
    user.chooseTopic(QStringLiteral("Déficit habitacional básico, por componente"));
    user.pick("cbAgrupar", QStringLiteral("Município"));
    user.pick("lckUF", QStringLiteral("Pernambuco"));
    user.search();
    user.markColumn(QStringLiteral("A01"));
    report << user.click("lblMapa").join(u'|');
    auto *classes = user.find<LegendGrid>("stgLegendaMapa");
    WindowUser::typeInCell(classes, 4, 3, QString::number(classes->item(4, 1)->text().toLongLong() + 1000));
    WindowUser::typeInCell(classes, 5, 3, QString());
    QTest::mouseClick(user.find("btnSalvar"), Qt::LeftButton);
    const QString legend = home + QStringLiteral("/.local/share/Solvane/Mapas/Legendas/LgA01_4.Ini");
    report << (QFileInfo(legend).size() > 0 ? QString() : QStringLiteral("no legend in %1").arg(legend));
    const WindowUser::Export sent = user.exportThroughHeader([](TExportar_Frm &) {});
    report << sent.messages.join(u'|');
    const QStringList exported = QDir(home + QStringLiteral("/Documents/Solvane")).entryList(QDir::Files);
    report << exported.join(u'|');
    return report;
}

} // namespace

// The ordinary user's side, run only by the test below, as a process of its
// own under the user's ids (the window's libraries do not survive a fork).
TEST(ReadOnlyInstallUser, DISABLED_WorksInTheUsersFolders) {
    const QString prefix = qEnvironmentVariable("SOLVANE_INSTALLED_PREFIX");
    ASSERT_FALSE(prefix.isEmpty());
    const QStringList report = usersWork(prefix);
    ASSERT_EQ(report.size(), 9) << report.join(u'\n').toStdString();
    for (int step = 0; step < 7; ++step)
        EXPECT_EQ(report[step], QString()) << "step " << step << ": " << report[step].toStdString();
    EXPECT_EQ(report[7], QStringLiteral("Exportação Efetuada com Sucesso !"));
    EXPECT_EQ(report[8], QStringLiteral("MAPA_Solvane_2000.Xlsx"));
}

TEST_F(ReadOnlyInstallTest, AnOrdinaryUsersFilesGoToTheUsersFoldersAndTheInstalledOnesStay) {
    const Checksums before = checksums(prefix());
    ASSERT_GT(before.size(), 20u);
    // As root every read-only check would pass untested: the user's side
    // runs under the unprivileged ids, with a home of its own.
    QStringList command{QStringLiteral("--gtest_filter=ReadOnlyInstallUser.*"),
                        QStringLiteral("--gtest_also_run_disabled_tests")};
    QString program = QCoreApplication::applicationFilePath();
    if (::geteuid() == 0) {
        command = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + command;
        program = QStringLiteral("setpriv");
    }
    QTemporaryDir home;
    ASSERT_EQ(::chown(QFile::encodeName(home.path()).constData(), 65534, 65534) == 0 || ::geteuid() != 0, true);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("SOLVANE_INSTALLED_PREFIX"), prefix());
    for (const char *variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
        environment.remove(QLatin1String(variable));
    QProcess user;
    user.setProcessEnvironment(environment);
    user.setProcessChannelMode(QProcess::MergedChannels);
    user.start(program, command);
    ASSERT_TRUE(user.waitForFinished(300000));
    const QString said = QString::fromUtf8(user.readAll());
    EXPECT_EQ(user.exitCode(), 0) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("[  PASSED  ] 1 test"))) << said.toStdString();
    EXPECT_TRUE(before == checksums(prefix())) << "an installed file changed";
}
