#pragma once

#include <QByteArray>
#include <QString>

// Text as a Jet 4 file stores it: UCS-2, little-endian. A column marked for
// compression may store a value in the compressed form instead: the marker
// FF FE, then the characters whose upper byte is zero as their lower byte
// alone, a zero byte switching to and from two-byte characters.
namespace JetText {

QByteArray ucs2(const QString &text);

// The compressed form when it is shorter and can be read back: a character
// whose lower byte is zero would read as a switch, so such a text stays
// UCS-2.
QByteArray compressedOrUcs2(const QString &text);

} // namespace JetText
