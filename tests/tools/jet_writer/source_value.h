#pragma once

#include <QByteArray>
#include <QtGlobal>

// One value of a source row, in the storage class SQLite gives it.
struct SourceValue {
    enum class Kind { Null, Integer, Real, Text, Blob };

    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
    // The UTF-8 text or the blob's bytes.
    QByteArray bytes;
};
