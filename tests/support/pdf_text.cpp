#include "support/pdf_text.h"

#include <QHash>
#include <QRegularExpression>
#include <QtEndian>

namespace PdfText {
namespace {

using GlyphMap = QHash<uint, QString>;

QByteArray objectBody(const QByteArray &pdf, int number) {
    const QRegularExpression start(QStringLiteral("(?:^|\\s)%1 0 obj\\b").arg(number));
    const QRegularExpressionMatch found = start.match(QString::fromLatin1(pdf));
    if (!found.hasMatch())
        return {};
    const qsizetype from = found.capturedEnd();
    return pdf.mid(from, pdf.indexOf("endobj", from) - from);
}

// The bytes of an object's stream, inflated when it is Flate-compressed.
QByteArray streamOf(const QByteArray &object) {
    qsizetype from = object.indexOf("stream");
    if (from < 0)
        return {};
    from += 6;
    while (from < object.size() && (object[from] == '\r' || object[from] == '\n'))
        ++from;
    QByteArray data = object.mid(from, object.lastIndexOf("endstream") - from);
    if (!object.left(from).contains("/FlateDecode"))
        return data;
    // qUncompress reads zlib data behind a four-byte size it starts from.
    QByteArray sized(4, '\0');
    qToBigEndian<quint32>(quint32(data.size() * 50 + 1024), sized.data());
    return qUncompress(sized + data);
}

QString unicodeOf(const QByteArray &hex) {
    QString text;
    for (qsizetype i = 0; i + 4 <= hex.size(); i += 4)
        text += QChar(char16_t(hex.mid(i, 4).toUInt(nullptr, 16)));
    return text;
}

GlyphMap glyphMap(const QByteArray &cmap) {
    GlyphMap map;
    static const QRegularExpression range(
        QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>\\s*(\\[[^\\]]*\\]|<[0-9A-Fa-f]+>)"));
    static const QRegularExpression hex(QStringLiteral("<([0-9A-Fa-f]+)>"));
    const QString text = QString::fromLatin1(cmap);
    for (const QString &section : text.split(QStringLiteral("beginbf")).mid(1)) {
        const bool isRange = section.startsWith(QLatin1String("range"));
        const QString body = section.left(section.indexOf(QLatin1String("endbf")));
        if (isRange) {
            for (const QRegularExpressionMatch &m : range.globalMatch(body)) {
                const uint first = m.captured(1).toUInt(nullptr, 16);
                const QString target = m.captured(3);
                if (target.startsWith(QLatin1Char('['))) {
                    uint glyph = first;
                    for (const QRegularExpressionMatch &u : hex.globalMatch(target))
                        map.insert(glyph++, unicodeOf(u.captured(1).toLatin1()));
                } else {
                    const uint last = m.captured(2).toUInt(nullptr, 16);
                    const uint base = target.mid(1, target.size() - 2).toUInt(nullptr, 16);
                    for (uint glyph = first; glyph <= last; ++glyph)
                        map.insert(glyph, QString(QChar(char16_t(base + glyph - first))));
                }
            }
        } else {
            QList<QRegularExpressionMatch> pairs;
            for (const QRegularExpressionMatch &m : hex.globalMatch(body))
                pairs << m;
            for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
                map.insert(pairs[i].captured(1).toUInt(nullptr, 16), unicodeOf(pairs[i + 1].captured(1).toLatin1()));
        }
    }
    return map;
}

} // namespace

QStringList texts(const QByteArray &pdf) {
    // Font resource names and the ToUnicode map of each font object.
    QHash<QString, GlyphMap> fonts;
    static const QRegularExpression resource(QStringLiteral("/(F\\d+)\\s+(\\d+) 0 R"));
    static const QRegularExpression toUnicode(QStringLiteral("/ToUnicode (\\d+) 0 R"));
    const QString whole = QString::fromLatin1(pdf);
    for (const QRegularExpressionMatch &m : resource.globalMatch(whole)) {
        if (fonts.contains(m.captured(1)))
            continue;
        const QRegularExpressionMatch map =
            toUnicode.match(QString::fromLatin1(objectBody(pdf, m.captured(2).toInt())));
        if (map.hasMatch())
            fonts.insert(m.captured(1), glyphMap(streamOf(objectBody(pdf, map.captured(1).toInt()))));
    }

    QStringList found;
    static const QRegularExpression object(QStringLiteral("(\\d+) 0 obj\\b"));
    static const QRegularExpression operation(
        QStringLiteral("/(F\\d+)\\s+[\\d.]+\\s+Tf|<([0-9A-Fa-f]*)>\\s*Tj|\\bET\\b"));
    for (const QRegularExpressionMatch &m : object.globalMatch(whole)) {
        const QByteArray content = streamOf(objectBody(pdf, m.captured(1).toInt()));
        if (!content.contains("BT"))
            continue;
        const GlyphMap *font = nullptr;
        QString text;
        for (const QRegularExpressionMatch &op : operation.globalMatch(QString::fromLatin1(content))) {
            if (!op.captured(1).isEmpty()) {
                font = &fonts[op.captured(1)];
            } else if (op.capturedView().startsWith(QLatin1Char('<'))) {
                const QString glyphs = op.captured(2);
                for (qsizetype i = 0; font && i + 4 <= glyphs.size(); i += 4)
                    text += font->value(glyphs.mid(i, 4).toUInt(nullptr, 16), QStringLiteral("?"));
            } else if (!text.isEmpty()) {
                // Qt's maps give the blank's glyph as a tab, and a
                // ligature's glyph as the ligature's character ("ﬁ").
                found << text.replace(QLatin1Char('\t'), QLatin1Char(' ')).normalized(QString::NormalizationForm_KC);
                text.clear();
            }
        }
    }
    return found;
}

} // namespace PdfText
