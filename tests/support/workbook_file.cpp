#include "support/workbook_file.h"

#include "support/byte_difference.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

const QString kSheet = QStringLiteral("xl/worksheets/sheet1.xml");
const QString kProperties = QStringLiteral("docProps/core.xml");

// The document's properties without the moments the file was made and
// changed, which differ from one run to the next.
QByteArray withoutTimes(const QByteArray &properties) {
    static const QRegularExpression times(QStringLiteral("<dcterms:(created|modified)[^>]*>[^<]*</dcterms:\\1>"));
    return QString::fromUtf8(properties).remove(times).toUtf8();
}

} // namespace

WorkbookFile::WorkbookFile(const QString &path) {
    QTemporaryDir unpacked;
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-m"), QStringLiteral("zipfile"), QStringLiteral("-e"), path, unpacked.path()});
    if (!python.waitForFinished(60000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        m_error = QStringLiteral("could not unpack %1: %2 %3")
                      .arg(path, python.errorString(), QString::fromUtf8(python.readAllStandardError()));
        return;
    }
    const QString root = unpacked.path() + QLatin1Char('/');
    for (QDirIterator it(unpacked.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        QFile entry(it.next());
        if (!entry.open(QIODevice::ReadOnly)) {
            m_error = QStringLiteral("could not read %1").arg(entry.fileName());
            return;
        }
        m_entries[entry.fileName().mid(root.size())] = entry.readAll();
    }
    if (m_entries.find(kSheet) == m_entries.end()) {
        m_error = QStringLiteral("%1 holds no %2").arg(path, kSheet);
        return;
    }
    readCells();
}

// The sheet's cells: numbers in <v>, texts inline in <is><t> (the writer
// keeps no table of shared strings).
void WorkbookFile::readCells() {
    QXmlStreamReader xml(m_entries.at(kSheet));
    QString address;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("c"))
            address = xml.attributes().value(QLatin1String("r")).toString();
        else if (xml.name() == QLatin1String("v") || xml.name() == QLatin1String("t"))
            m_cells[address] += xml.readElementText();
    }
    if (xml.hasError())
        m_error = QStringLiteral("%1: %2").arg(kSheet, xml.errorString());
}

QString WorkbookFile::cell(const QString &address) const {
    const auto found = m_cells.find(address);
    return found == m_cells.end() ? QString() : found->second;
}

QString WorkbookFile::differenceFrom(const WorkbookFile &other) const {
    QStringList names, otherNames;
    for (const auto &entry : m_entries)
        names << entry.first;
    for (const auto &entry : other.m_entries)
        otherNames << entry.first;
    if (names != otherNames)
        return QStringLiteral("entries differ:\n  %1\n  %2").arg(names.join(u' '), otherNames.join(u' '));
    for (const auto &[name, bytes] : m_entries) {
        QByteArray mine = bytes;
        QByteArray theirs = other.m_entries.at(name);
        if (name == kProperties) {
            mine = withoutTimes(mine);
            theirs = withoutTimes(theirs);
        }
        if (const QString difference = firstDifference(mine, theirs); !difference.isEmpty())
            return name + QStringLiteral(": ") + difference;
    }
    return QString();
}
