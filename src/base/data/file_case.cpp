#include "base/data/file_case.h"

#include <QDir>
#include <QFileInfo>

namespace FileCase {

QString find(const QString &path) {
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const QString clean = QDir::cleanPath(path);
    QString found = clean.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    for (const QString &part : clean.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QString folder = found.isEmpty() ? QStringLiteral(".") : found;
        const QString exact = QDir(folder).filePath(part);
        if (QFileInfo::exists(exact) || part == QLatin1String("..")) {
            found = found.isEmpty() ? part : exact;
            continue;
        }
        const QStringList entries =
            QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        const auto match = std::find_if(entries.cbegin(), entries.cend(), [&](const QString &entry) {
            return entry.compare(part, Qt::CaseInsensitive) == 0;
        });
        if (match == entries.cend())
            return path;
        found = found.isEmpty() ? *match : QDir(folder).filePath(*match);
    }
    return found;
}

} // namespace FileCase
