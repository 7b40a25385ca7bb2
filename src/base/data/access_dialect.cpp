#include "base/data/access_dialect.h"

#include "base/data/portuguese_collation.h"

#include <QRegularExpression>

namespace AccessDialect {
namespace {

// Length of the quoted run (single or double quotes, doubled quote as escape)
// that starts at pos; an unterminated run reaches the end.
qsizetype quotedLength(const QString &s, qsizetype pos) {
    const QChar quote = s[pos];
    qsizetype i = pos + 1;
    while (i < s.size()) {
        if (s[i] == quote) {
            if (i + 1 < s.size() && s[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1 - pos;
        }
        ++i;
    }
    return s.size() - pos;
}

bool isQuote(QChar c) { return c == QLatin1Char('\'') || c == QLatin1Char('"'); }

QString rewriteCode(QString code) {
    static const QRegularExpression left(QStringLiteral("\\bLeft\\s*\\("),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression digitTable(QStringLiteral("\\b(from\\s+)([0-9]+)(?![0-9A-Za-z_])"),
                                               QRegularExpression::CaseInsensitiveOption);
    code.replace(left, QLatin1String(kLeftFunction) + QLatin1Char('('));
    code.replace(digitTable, QStringLiteral("\\1\"\\2\""));
    return code;
}

// Appends the collation to one ORDER BY term, keeping its blanks and an
// ASC/DESC after it.
QString collateTerm(const QString &term) {
    static const QRegularExpression shape(QStringLiteral("^(\\s*)(.*?)(\\s+(?:asc|desc))?(\\s*)$"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const auto m = shape.match(term);
    if (m.captured(2).trimmed().isEmpty())
        return term;
    return m.captured(1) + m.captured(2) + QStringLiteral(" COLLATE ") + QLatin1String(PortugueseCollation::kName) +
           m.captured(3) + m.captured(4);
}

// The ORDER BY terms after position start, each given the collation.
QString collateOrderBy(const QString &tail) {
    QString out;
    QString term;
    int depth = 0;
    for (qsizetype i = 0; i < tail.size(); ++i) {
        const QChar c = tail[i];
        if (isQuote(c)) {
            const qsizetype n = quotedLength(tail, i);
            term += tail.mid(i, n);
            i += n - 1;
            continue;
        }
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        if (c == QLatin1Char(',') && depth == 0) {
            out += collateTerm(term) + c;
            term.clear();
        } else {
            term += c;
        }
    }
    return out + collateTerm(term);
}

} // namespace

QString toSqlite(const QString &statement) {
    QString out;
    out.reserve(statement.size() + 32);
    qsizetype codeStart = 0;
    auto flushCode = [&](qsizetype end) { out += rewriteCode(statement.mid(codeStart, end - codeStart)); };
    for (qsizetype i = 0; i < statement.size(); ++i) {
        if (!isQuote(statement[i]))
            continue;
        flushCode(i);
        const qsizetype n = quotedLength(statement, i);
        out += statement.mid(i, n);
        i += n - 1;
        codeStart = i + 1;
    }
    flushCode(statement.size());

    // The last ORDER BY outside literals at the top level orders the result.
    static const QRegularExpression orderBy(QStringLiteral("\\border\\s+by\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    qsizetype orderEnd = -1;
    int depth = 0;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out[i];
        if (isQuote(c)) {
            i += quotedLength(out, i) - 1;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (depth == 0 && (c == QLatin1Char('o') || c == QLatin1Char('O'))) {
            const auto m = orderBy.match(out, i, QRegularExpression::NormalMatch,
                                         QRegularExpression::AnchorAtOffsetMatchOption);
            if (m.hasMatch()) {
                orderEnd = m.capturedEnd();
                i = orderEnd - 1;
            }
        }
    }
    if (orderEnd < 0)
        return out;
    return out.left(orderEnd) + collateOrderBy(out.mid(orderEnd));
}

} // namespace AccessDialect
