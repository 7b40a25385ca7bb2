#include "base/data/windows1252.h"

namespace Windows1252 {
namespace {

constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t toUnicode(unsigned char b) { return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char16_t(b); }

} // namespace

QString decode(const QByteArray &bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(toUnicode(static_cast<unsigned char>(bytes[i])));
    return text;
}

QByteArray encode(const QString &text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    append(bytes.data(), text);
    return bytes;
}

char *append(char *out, QStringView text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *out++ = static_cast<char>(u);
            continue;
        }
        char byte = '?';
        for (int k = 0; k < 32; ++k) {
            if (kHigh[k] == u) {
                byte = static_cast<char>(0x80 + k);
                break;
            }
        }
        *out++ = byte;
    }
    return out;
}

} // namespace Windows1252
