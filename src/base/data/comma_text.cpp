#include "base/data/comma_text.h"

namespace CommaText {
namespace {

constexpr QChar kQuote = QLatin1Char('"');
constexpr QChar kComma = QLatin1Char(',');

// Every control character counts as a blank, NUL included: a line read from
// a file may hold one, and it must end an item like any other blank.
bool isBlank(QChar c) { return c.unicode() <= ' '; }

bool needsQuotes(const QString &item) {
    for (const QChar c : item)
        if (c.unicode() <= ' ' || c == kQuote || c == kComma)
            return true;
    return false;
}

QString quoted(QString item) {
    item.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + item + kQuote;
}

} // namespace

QString join(const QStringList &items) {
    if (items.size() == 1 && items.first().isEmpty())
        return QStringLiteral("\"\"");
    QStringList parts;
    parts.reserve(items.size());
    for (const QString &item : items)
        parts << (needsQuotes(item) ? quoted(item) : item);
    return parts.join(kComma);
}

QString joinQuoted(const QStringList &items) {
    QStringList parts;
    parts.reserve(items.size());
    for (const QString &item : items)
        parts << quoted(item);
    return parts.join(kComma);
}

QStringList split(const QString &line) {
    QStringList items;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n && isBlank(line[i]))
        ++i;
    while (i < n) {
        QString item;
        if (line[i] == kQuote) {
            ++i;
            while (i < n) {
                if (line[i] == kQuote) {
                    if (i + 1 < n && line[i + 1] == kQuote) {
                        item += kQuote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += line[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < n && line[i].unicode() > ' ' && line[i] != kComma)
                ++i;
            item = line.mid(start, i - start);
        }
        items << item;
        while (i < n && isBlank(line[i]))
            ++i;
        if (i < n && line[i] == kComma) {
            if (i + 1 == n)
                items << QString();
            ++i;
            while (i < n && isBlank(line[i]))
                ++i;
        }
    }
    return items;
}

} // namespace CommaText
