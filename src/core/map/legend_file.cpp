#include "core/map/legend_file.h"

#include "base/data/app_error.h"
#include "base/data/file_case.h"
#include "base/data/ini_file.h"
#include "base/data/input_file.h"
#include "base/data/program_folder.h"
#include "base/data/safe_file.h"
#include "base/data/system_error.h"
#include "base/data/text_utils.h"
#include "base/data/user_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace {

const QString kSection = QStringLiteral("Legenda");
// A bound has at most some twenty characters; a much longer value is damage.
constexpr int kLongestBound = 100;

const QString kFolder = QStringLiteral("Mapas/Legendas");

QString relativePath(const QString &FCampoPercentual, int grouping) {
    const QString column = TextUtils::SubstituiTexto(QStringLiteral("."), FCampoPercentual, QString());
    return kFolder + QStringLiteral("/Lg%1_%2.Ini").arg(column).arg(grouping);
}

// The file in the study's own legend folder.
QString studyPath(const QString &FCampoPercentual, int grouping) {
    return ProgramFolder::file(relativePath(FCampoPercentual, grouping));
}

QString key(int k) { return QStringLiteral("Valor Final Faixa %1").arg(k); }

QByteArray withBounds(const MapLegend::Bounds &uppers, IniFile ini) {
    for (int k = 1; k <= MapLegend::kClasses; ++k)
        ini.setValue(kSection, key(k), uppers[k - 1]);
    return ini.toBytes();
}

// The user's legend folder is made with the first legend saved there (a
// study's is used only when it is there to be written).
void save(const QString &path, const QByteArray &bytes) {
    try {
        if (!QDir().mkpath(QFileInfo(path).path()))
            throw AppError(QStringLiteral("Não foi possível criar a pasta %1.").arg(QFileInfo(path).path()));
        SafeFile::write(path, bytes);
    } catch (const AppError &error) {
        throw AppError(QStringLiteral("Unable to write to %1\n%2").arg(path, error.message()));
    }
}

} // namespace

namespace LegendFile {

QString path(const QString &FCampoPercentual, int grouping) {
    if (UserFolders::writable(FileCase::find(ProgramFolder::file(kFolder))))
        return studyPath(FCampoPercentual, grouping);
    return UserFolders::dataPath() + relativePath(FCampoPercentual, grouping);
}

QString source(const QString &FCampoPercentual, int grouping) {
    const QString saved = path(FCampoPercentual, grouping);
    return QFileInfo::exists(FileCase::find(saved)) ? saved : studyPath(FCampoPercentual, grouping);
}

std::optional<MapLegend::Bounds> read(const QString &asked) {
    const QString path = FileCase::find(asked);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const QByteArray bytes = InputFile::read(path, QStringLiteral("Não foi possível ler a legenda %1").arg(path));
    if (bytes.isEmpty())
        return std::nullopt;
    try {
        const IniFile ini = IniFile::parse(bytes);
        if (!ini.hasSection(kSection))
            throw AppError(QStringLiteral("falta a seção [%1].").arg(kSection));
        MapLegend::Bounds uppers;
        for (int k = 1; k <= MapLegend::kClasses; ++k) {
            uppers[k - 1] = ini.value(kSection, key(k));
            if (uppers[k - 1].size() > kLongestBound)
                throw AppError(QStringLiteral("o valor de \"%1\" tem %2 caracteres (\"%3\").")
                                   .arg(key(k))
                                   .arg(uppers[k - 1].size())
                                   .arg(TextUtils::shortened(uppers[k - 1])));
        }
        return uppers;
    } catch (const AppError &error) {
        throw AppError(QStringLiteral("A legenda %1 está danificada: %2").arg(path, error.message()));
    }
}

QByteArray contents(const MapLegend::Bounds &uppers) { return withBounds(uppers, IniFile()); }

void write(const QString &path, const MapLegend::Bounds &uppers) {
    // Other sections and keys a saved file holds are kept; a damaged file
    // is replaced by a sound one.
    IniFile existing;
    QFile file(FileCase::find(path));
    if (InputFile::notRegular(path).isEmpty() && file.open(QIODevice::ReadOnly)) {
        try {
            existing = IniFile::parse(file.readAll());
        } catch (const AppError &) {
            existing = IniFile();
        }
    }
    save(path, withBounds(uppers, existing));
}

void remove(const QString &asked) {
    // Every file the legend could be read from, in any letter case.
    for (QString path = FileCase::find(asked); QFileInfo::exists(path); path = FileCase::find(asked)) {
        if (::unlink(QFile::encodeName(path).constData()) != 0)
            throw AppError(
                QStringLiteral("Não foi possível apagar a legenda %1: %2").arg(path, SystemError::text(errno)));
    }
}

void makeAutomatic(const QString &FCampoPercentual, int grouping) {
    const QString saved = path(FCampoPercentual, grouping);
    remove(saved);
    const QString study = studyPath(FCampoPercentual, grouping);
    if (saved != study && QFileInfo::exists(FileCase::find(study))) {
        save(saved, QByteArray());
    }
}

} // namespace LegendFile
