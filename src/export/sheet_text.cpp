#include "export/sheet_text.h"

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

QString swapSeparators(const QString &text) {
    QString result = text;
    const qsizetype n = significantLength(text);
    for (qsizetype i = 0; i < n && i < result.size(); ++i) {
        if (result[i] == u'.')
            result[i] = u',';
        else if (result[i] == u',')
            result[i] = u'.';
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
    QString digits = text.left(significantLength(text));
    digits.remove(u'.');
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    locale.toDouble(digits, &ok);
    return ok ? swapSeparators(text) : text;
}

QString TrocaSeparadores(const QString &text) { return swapSeparators(text); }

} // namespace SheetText
