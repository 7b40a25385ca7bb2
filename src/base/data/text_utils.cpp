#include "base/data/text_utils.h"

namespace TextUtils {

QString cut(const QString &text, int maxLength) { return text.left(maxLength); }

QString doubleQuotes(const QString &text) {
    QString result = text;
    return result.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString SubstituiTexto(const QString &search, const QString &text, const QString &replacement) {
    if (search.isEmpty())
        return text;
    const qsizetype step = replacement.contains(search) ? qMax<qsizetype>(1, replacement.size()) : 1;
    QString result = text;
    qsizetype pos = 0;
    while (pos < result.size()) {
        if (QStringView(result).mid(pos).startsWith(search)) {
            result = result.left(pos) + replacement + result.mid(pos + search.size());
            pos += step;
        } else {
            ++pos;
        }
    }
    return result;
}

QString shortened(const QString &text) {
    constexpr int kShown = 60;
    return text.size() > kShown ? text.left(kShown) + QStringLiteral("...") : text;
}

} // namespace TextUtils
