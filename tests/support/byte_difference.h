#pragma once

#include <QByteArray>
#include <QString>

// Where two files' bytes part: empty when they are the same, else the
// offset of the first byte that differs, both sizes and, for texts, the
// text around it, so that a failing comparison of long files reads at a
// glance.
QString firstDifference(const QByteArray &expected, const QByteArray &actual);
