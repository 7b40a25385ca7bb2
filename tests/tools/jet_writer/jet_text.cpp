#include "jet_text.h"

namespace JetText {

QByteArray ucs2(const QString &text) {
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

QByteArray compressedOrUcs2(const QString &text) {
    for (const QChar c : text) {
        if ((c.unicode() & 0xFF) == 0)
            return ucs2(text);
    }
    QByteArray bytes("\xFF\xFE", 2);
    bool oneByte = true;
    for (const QChar c : text) {
        const bool fits = c.unicode() < 0x100;
        if (fits != oneByte) {
            bytes.append('\0');
            oneByte = fits;
        }
        bytes.append(char(c.unicode() & 0xFF));
        if (!fits)
            bytes.append(char(c.unicode() >> 8));
    }
    return bytes.size() < text.size() * 2 ? bytes : ucs2(text);
}

} // namespace JetText
