#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The single-byte code page of the study's text files (area lists, legend
// files, the delimited export). Bytes 0x80..0x9F carry the typographic
// characters of that code page, not the Latin-1 controls; the five bytes it
// leaves undefined decode to the control of the same number.
namespace Windows1252 {

QString decode(const QByteArray &bytes);

// Characters the code page cannot hold become '?'.
QByteArray encode(const QString &text);

// The same, one byte per character written at out, which has room for
// text.size() bytes; returns the end of what was written.
char *append(char *out, QStringView text);

} // namespace Windows1252
