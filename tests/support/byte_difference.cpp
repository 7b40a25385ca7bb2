#include "support/byte_difference.h"

namespace {

QString around(const QByteArray &bytes, qsizetype at) {
    const qsizetype from = qMax<qsizetype>(0, at - 80);
    return QString::fromUtf8(bytes.mid(from, 160));
}

} // namespace

QString firstDifference(const QByteArray &expected, const QByteArray &actual) {
    if (expected == actual)
        return QString();
    qsizetype at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    const QString where =
        QStringLiteral("byte %1 differs (%2 and %3 bytes)").arg(at).arg(expected.size()).arg(actual.size());
    // Pictures and other binary files are named, not shown.
    if (expected.contains('\0') || actual.contains('\0'))
        return where;
    return where + QStringLiteral(":\n  %1\n  %2").arg(around(expected, at), around(actual, at));
}
