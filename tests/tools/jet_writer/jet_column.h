#pragma once

#include "jet_format.h"
#include "source_column.h"
#include "source_value.h"

#include <QByteArray>
#include <QString>
#include <stdexcept>

// A column of a Jet table: its type, chosen from the source column's
// declared type and values, and the bytes each value takes in a row.
class JetColumn {
  public:
    // A value the column cannot hold, with the reason in Portuguese.
    class Rejected : public std::runtime_error {
      public:
        explicit Rejected(const QString &reason) : std::runtime_error(reason.toStdString()), m_reason(reason) {}
        const QString &reason() const { return m_reason; }

      private:
        QString m_reason;
    };

    // The declared type decides the kind: integer, real, text and the
    // names of the other Jet types. An integer column with a value beyond 32
    // bits or a fraction becomes Double, a text column with a value longer
    // than 255 characters Memo. Raises Rejected for a declared type it does
    // not know.
    static JetColumn fromSource(const SourceColumn &source);
    JetColumn(const QString &name, JetFormat::ColumnType type, int precision = 0, int scale = 0);

    const QString &name() const { return m_name; }
    JetFormat::ColumnType type() const { return m_type; }
    int precision() const { return m_precision; }
    int scale() const { return m_scale; }
    // Fixed columns live at a set place in every row; the others (text,
    // memo, OLE) follow them, as long as their value.
    bool isFixed() const;
    // The bytes the column takes in the table definition's length field.
    int length() const;
    // Whether text values may be stored compressed.
    bool isCompressible() const;

    // The value as the row stores it: a fixed column's bytes, or a variable
    // column's. A Boolean lives in the row's null mask: isTrue() tells it.
    // Raises Rejected for a value the type cannot hold exactly.
    QByteArray encode(const SourceValue &value) const;
    bool isTrue(const SourceValue &value) const;

  private:
    QString m_name;
    JetFormat::ColumnType m_type;
    int m_precision;
    int m_scale;
};
