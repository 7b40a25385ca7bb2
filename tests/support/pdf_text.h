#pragma once

#include <QByteArray>
#include <QStringList>

// The texts of a PDF as Qt's PDF writer writes them, read back without a
// PDF library: each text object (BT … ET) of the page streams, its glyphs
// turned into characters through the ToUnicode map of the font it uses.
// Streams may be Flate-compressed; ligatures read as their letters. Enough to check that a picture's texts
// stayed texts.
namespace PdfText {

QStringList texts(const QByteArray &pdf);

} // namespace PdfText
