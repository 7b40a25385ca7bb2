#pragma once

#include <QString>
#include <QtGlobal>

// A column of a source table, with what a pass over its values found: the
// writer chooses the Jet type from both.
struct SourceColumn {
    QString name;
    QString declaredType;
    // Over the integer values; meaningful when integerCount > 0.
    qint64 minInteger = 0;
    qint64 maxInteger = 0;
    qint64 integerCount = 0;
    qint64 realCount = 0;
    // The longest text value, in characters.
    qint64 maxTextLength = 0;
};
