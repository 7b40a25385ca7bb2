#include "base/data/ini_file.h"

#include "base/data/app_error.h"
#include "base/data/windows1252.h"

#include <QStringList>

IniFile IniFile::parse(const QByteArray &bytes) {
    if (bytes.contains('\0'))
        throw AppError(QStringLiteral("o arquivo não é um texto INI (contém bytes nulos)."));
    IniFile ini;
    // A file saved by an editor that marks its UTF-8 with a byte-order mark
    // reads as UTF-8; any other as the program writes it.
    static const QByteArray utf8Mark("\xEF\xBB\xBF");
    QString text = bytes.startsWith(utf8Mark) ? QString::fromUtf8(bytes.mid(utf8Mark.size()))
                                              : Windows1252::decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            ini.m_sections.append({line.mid(1, line.size() - 2).trimmed(), {}});
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || ini.m_sections.isEmpty())
            throw AppError(QStringLiteral("a linha %1 não é uma linha de arquivo INI.").arg(i + 1));
        ini.m_sections.last().entries.append({line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
    }
    return ini;
}

qsizetype IniFile::findSection(const QString &section) const {
    for (qsizetype i = 0; i < m_sections.size(); ++i) {
        if (m_sections[i].name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString IniFile::value(const QString &section, const QString &key) const {
    const qsizetype s = findSection(section);
    if (s < 0)
        return QString();
    for (const Entry &entry : m_sections[s].entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return QString();
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value) {
    qsizetype s = findSection(section);
    if (s < 0) {
        m_sections.append({section, {}});
        s = m_sections.size() - 1;
    }
    for (Entry &entry : m_sections[s].entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0) {
            entry.value = value;
            return;
        }
    }
    m_sections[s].entries.append({key, value});
}

QByteArray IniFile::toBytes() const {
    QString text;
    for (const Section &section : m_sections) {
        text += QLatin1Char('[') + section.name + QStringLiteral("]\r\n");
        for (const Entry &entry : section.entries)
            text += entry.key + QLatin1Char('=') + entry.value + QStringLiteral("\r\n");
    }
    return Windows1252::encode(text);
}
