#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A small INI text: "[section]" lines followed by "key=value" lines. Names
// of sections and keys compare ignoring letter case, and blanks around
// names and values are dropped when reading. Written back, every line is
// "key=value" with no blanks around "=", in Windows-1252, each ending in
// CR LF. (Keys may hold blanks, as "Valor Final Faixa 1"; they are written
// as they are.)
class IniFile {
  public:
    // Reads the bytes of a file. Raises AppError when they are not an INI
    // text: a NUL byte (another encoding), or a line that is neither a
    // section, a key, a comment (";") nor blank.
    static IniFile parse(const QByteArray &bytes);

    bool hasSection(const QString &section) const { return findSection(section) >= 0; }
    // The value of a key; empty when the section or the key is missing.
    QString value(const QString &section, const QString &key) const;
    // Sets a key, adding the section or the key at its end when missing.
    void setValue(const QString &section, const QString &key, const QString &value);

    QByteArray toBytes() const;

  private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QList<Entry> entries;
    };
    qsizetype findSection(const QString &section) const;

    QList<Section> m_sections;
};
