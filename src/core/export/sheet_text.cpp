#include "core/export/sheet_text.h"

#include <QLocale>

namespace SheetText {

namespace {

const QDateTime kFirstDate(QDate(1900, 1, 1), QTime(0, 0));

std::optional<QDateTime> readDateTime(const QString &text) {
    const QLocale locale;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    QDateTime moment = locale.toDateTime(trimmed, QLocale::ShortFormat);
    if (!moment.isValid())
        moment = locale.toDateTime(trimmed, locale.dateFormat(QLocale::ShortFormat) + QStringLiteral(" HH:mm:ss"));
    if (!moment.isValid()) {
        const QDate date = locale.toDate(trimmed, QLocale::ShortFormat);
        if (date.isValid())
            moment = QDateTime(date, QTime(0, 0));
    }
    if (!moment.isValid())
        return std::nullopt;
    return moment;
}

// The length of the text without its leading and trailing blanks: only that
// many characters from the start take part in the conversions.
qsizetype significantLength(const QString &text) { return text.trimmed().size(); }

// The thousands and decimal separators of a notation.
struct Separators {
    QChar group, point;
};

// The sheet automation's notation, which is also the one number formats are
// written in: commas between thousands, a point for decimals.
constexpr Separators kAutomation{u',', u'.'};

// The user's notation. With the Brazilian one, converting to or from the
// automation's swaps points and commas; with a notation that already has a
// decimal point it changes nothing.
Separators userSeparators() {
    const QLocale locale;
    const QString group = locale.groupSeparator();
    const QString point = locale.decimalPoint();
    return {group.size() == 1 ? group[0] : kAutomation.group, point.size() == 1 ? point[0] : kAutomation.point};
}

// Every separator of one notation among the first n characters becomes the
// other notation's.
QString convertSeparators(const QString &text, Separators from, Separators to) {
    QString result = text;
    const qsizetype n = significantLength(text);
    for (qsizetype i = 0; i < n && i < result.size(); ++i) {
        if (result[i] == from.group)
            result[i] = to.group;
        else if (result[i] == from.point)
            result[i] = to.point;
    }
    return result;
}

} // namespace

std::optional<QDateTime> dateAfter1900(const QString &text) {
    const std::optional<QDateTime> moment = readDateTime(text);
    if (moment && *moment > kFirstDate)
        return moment;
    return std::nullopt;
}

QString AjustaValor(const QString &text) {
    const std::optional<QDateTime> moment = readDateTime(text);
    if (moment && moment->date() >= kFirstDate.date())
        return text;
    const Separators user = userSeparators();
    QString digits = text.left(significantLength(text));
    digits.remove(user.group);
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    locale.toDouble(digits, &ok);
    return ok ? convertSeparators(text, user, kAutomation) : text;
}

QString TrocaSeparadores(const QString &text) { return convertSeparators(text, kAutomation, userSeparators()); }

} // namespace SheetText
