#include "base/data/format_float.h"

#include <QStringList>
#include <cmath>

namespace {

struct Picture {
    QString prefix;
    QString suffix;
    int minInteger = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool grouping = false;
};

bool isPlaceholder(QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#'); }

Picture parse(const QString &section) {
    Picture p;
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (isPlaceholder(c) || c == QLatin1Char(',') || c == QLatin1Char('.')) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0) {
        p.prefix = section;
        return p;
    }
    p.prefix = section.left(first);
    p.suffix = section.mid(last + 1);
    bool afterPoint = false;
    for (qsizetype i = first; i <= last; ++i) {
        const QChar c = section[i];
        if (c == QLatin1Char(',')) {
            p.grouping = true;
        } else if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (afterPoint) {
            ++p.maxDecimals;
            if (c == QLatin1Char('0'))
                p.minDecimals = p.maxDecimals;
        } else if (c == QLatin1Char('0') || p.minInteger > 0) {
            ++p.minInteger;
        }
    }
    return p;
}

// The digits of the magnitude rounded to the decimals, the decimal point
// left out. The value is taken as its shortest decimal form, the one that
// reads back as the same double (2.675, not 2.67499999999999982236431606),
// and that text is rounded, so a half rounds up as a reader of the figure
// expects, at any size and without scaling that could overflow.
QString scaledDigits(double magnitude, int decimals) {
    const QString shortest = QString::number(magnitude, 'f', QLocale::FloatingPointShortest);
    const qsizetype point = shortest.indexOf(QLatin1Char('.'));
    const QString fraction = point < 0 ? QString() : shortest.mid(point + 1);
    QString digits = (point < 0 ? shortest : shortest.left(point)) +
                     fraction.left(decimals).leftJustified(decimals, QLatin1Char('0'));
    if (fraction.size() > decimals && fraction[decimals] >= QLatin1Char('5')) {
        qsizetype i = digits.size() - 1;
        for (; i >= 0 && digits[i] == QLatin1Char('9'); --i)
            digits[i] = QLatin1Char('0');
        if (i < 0)
            digits.prepend(QLatin1Char('1'));
        else
            digits[i] = QChar(digits[i].unicode() + 1);
    }
    return digits;
}

QString render(const Picture &p, double magnitude, const QLocale &locale) {
    const QString digits = scaledDigits(magnitude, p.maxDecimals);
    QString integer = digits.left(qMax<qsizetype>(0, digits.size() - p.maxDecimals));
    QString decimals = digits.right(qMin<qsizetype>(digits.size(), p.maxDecimals))
                           .rightJustified(p.maxDecimals, QLatin1Char('0'));
    // Leading zeros go (a loop: a pattern compiled on every call would cost
    // more than the rest of the formatting, and charts format hundreds).
    qsizetype zeros = 0;
    while (zeros < integer.size() && integer[zeros] == QLatin1Char('0'))
        ++zeros;
    integer.remove(0, zeros);
    if (integer.size() < p.minInteger)
        integer = integer.rightJustified(p.minInteger, QLatin1Char('0'));
    if (p.grouping) {
        const QString separator = locale.groupSeparator();
        for (qsizetype i = integer.size() - 3; i > 0; i -= 3)
            integer.insert(i, separator);
    }
    while (decimals.size() > p.minDecimals && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    QString text = p.prefix + integer;
    if (!decimals.isEmpty())
        text += locale.decimalPoint() + decimals;
    return text + p.suffix;
}

} // namespace

QString FormatFloat(const QString &pattern, double value, const QLocale &locale) {
    if (!std::isfinite(value))
        return QString::number(value);
    const QStringList sections = pattern.split(QLatin1Char(';'));
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty())
        return render(parse(sections[1]), -value, locale);
    if (value == 0 && sections.size() >= 3 && !sections[2].isEmpty())
        return render(parse(sections[2]), 0, locale);
    const Picture picture = parse(sections[0]);
    const QString text = render(picture, std::fabs(value), locale);
    // A negative value that rounds to zero shows without its sign.
    if (value < 0 && text != render(picture, 0, locale))
        return QStringLiteral("-") + text;
    return text;
}
