#pragma once

#include <QByteArray>
#include <QtGlobal>

// The constants of the Jet 4 file format that the writer needs: page size,
// page kinds, column kinds and the limits a Jet 4 file holds.
namespace JetFormat {

constexpr int kPageSize = 4096;

// The first byte of every page.
constexpr char kHeaderPage = 0x00;
constexpr char kDataPage = 0x01;
constexpr char kTableDefinitionPage = 0x02;
constexpr char kUsageBitmapPage = 0x05;

// The column kinds, as the table definition stores them.
enum class ColumnType : quint8 {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
    Numeric = 0x10,
};

// A data page: kind, a constant 1, free space, owning table definition, four
// unknown bytes, the number of rows, then one two-byte offset per row.
constexpr int kDataPageRowCount = 12;
constexpr int kDataPageHeader = 14;
// Jet keeps at most 255 rows on a page (a row's address gives its number one
// byte), and no row longer than this.
constexpr int kMaxRowsPerPage = 255;
constexpr int kMaxRowSize = 4060;

// The longest names and the most columns a table may have.
constexpr int kMaxNameLength = 64;
constexpr int kMaxColumns = 255;
constexpr int kMaxTextLength = 255;
constexpr int kMaxNumericPrecision = 28;

// The usage map of a table: a map that holds its own bitmap covers the pages
// from its first page on; one that points to bitmap pages covers the whole
// file, each bitmap page a fixed span of pages.
constexpr int kUsageMapSize = 64;
constexpr int kInlineMapPages = (kUsageMapSize - 5) * 8;
constexpr int kBitmapPageSpan = (kPageSize - 4) * 8;
constexpr int kMaxBitmapPages = (kUsageMapSize - 1) / 4;

// A long value (memo or OLE) stored in its row: a twelve-byte header whose
// length carries this flag, then the bytes.
constexpr quint32 kInlineLongValue = 0x80000000u;
constexpr int kLongValueHeader = 12;

// Catalogue entries: a table's object type, and the flags that mark a
// system table.
constexpr int kTableObject = 1;
constexpr quint32 kSystemObjectFlags = 0x80000002u;
constexpr quint32 kCatalogueDefinitionPage = 2;

// The general sort order of text columns, and the code page of the file.
constexpr quint16 kGeneralSortOrder = 0x0409;
constexpr quint16 kCodePage = 1252;

inline void put16(QByteArray &bytes, int offset, quint16 value) {
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char(value >> 8);
}

inline void put32(QByteArray &bytes, int offset, quint32 value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

inline void append16(QByteArray &bytes, quint16 value) {
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
}

// A row's address as other pages store it: the page in the upper three
// bytes, the row in the lowest.
inline quint32 rowAddress(quint32 page, int row) { return (page << 8) | quint32(row); }

} // namespace JetFormat
