#include "base/data/study_location.h"

#include "base/data/app_error.h"
#include "base/data/file_case.h"
#include "base/data/user_folders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kDatabaseName = QStringLiteral("Solvane.db");
const QString kPublishedName = QStringLiteral("Solvane.Mdb");

// The Access file of a data folder, its name (and the folder's) in any
// letter case; empty when there is none.
QString publishedIn(const QString &dataFolder) {
    const QString found = FileCase::find(dataFolder + QLatin1Char('/') + kPublishedName);
    return QFileInfo(found).isFile() ? found : QString();
}

QString userCopyOf(const QString &published) {
    const QByteArray key = QCryptographicHash::hash(QFileInfo(published).canonicalFilePath().toUtf8(),
                                                    QCryptographicHash::Sha1)
                               .toHex()
                               .left(16);
    return UserFolders::dataPath() + QStringLiteral("Estudos/") +
           QString::fromLatin1(key) + QLatin1Char('/') + kDatabaseName;
}

// An imported study is current while the Access file is not newer.
bool current(const QString &database, const QFileInfo &published) {
    const QFileInfo info(database);
    return info.isFile() && info.lastModified() >= published.lastModified();
}

} // namespace

namespace StudyLocation {

QString importTarget(const QString &published) {
    const QString folder = QFileInfo(published).absolutePath();
    if (UserFolders::writable(folder))
        return folder + QLatin1Char('/') + kDatabaseName;
    return userCopyOf(published);
}

Found find(const QString &folder) {
    const QString dataFolder = QDir(folder).filePath(QStringLiteral("Dados"));
    const QString beside = dataFolder + QLatin1Char('/') + kDatabaseName;
    Found found;
    found.published = publishedIn(dataFolder);
    if (found.published.isEmpty()) {
        if (!QFileInfo::exists(beside))
            throw AppError(
                QStringLiteral("Nenhum estudo foi encontrado na pasta \"%1\": não existe \"%2\" nem \"%3\". Indique "
                               "a pasta de um estudo (a que contém a pasta Dados) com a opção --estudo PASTA.")
                    .arg(QDir::toNativeSeparators(QDir(folder).absolutePath()), beside,
                         dataFolder + QLatin1Char('/') + QStringLiteral("Solvane.Mdb")));
        found.database = beside;
        return found;
    }
    const QFileInfo published(found.published);
    for (const QString &candidate : {beside, userCopyOf(found.published)}) {
        if (current(candidate, published)) {
            found.database = candidate;
            return found;
        }
    }
    found.database = importTarget(found.published);
    found.importDue = true;
    return found;
}

} // namespace StudyLocation
