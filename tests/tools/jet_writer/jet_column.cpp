#include "jet_column.h"

#include "jet_text.h"

#include <QDate>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <cmath>
#include <cstring>
#include <limits>

using JetFormat::ColumnType;

namespace {

// Dates count days from this one, the time of day as the fraction.
const QDate kDayZero(1899, 12, 30);

// Memos longer than this are never compressed.
constexpr int kMaxCompressedMemo = 1024;

// Doubles hold every integer up to this one exactly.
constexpr qint64 kMaxExactInteger = qint64(1) << 53;

QString describe(const SourceValue &value) {
    switch (value.kind) {
    case SourceValue::Kind::Null:
        return QStringLiteral("o valor nulo");
    case SourceValue::Kind::Integer:
        return QStringLiteral("o número %1").arg(value.integer);
    case SourceValue::Kind::Real:
        return QStringLiteral("o número %1").arg(QString::number(value.real, 'g', QLocale::FloatingPointShortest));
    case SourceValue::Kind::Text: {
        const QString text = QString::fromUtf8(value.bytes);
        return QStringLiteral("o texto \"%1\"").arg(text.size() > 40 ? text.left(40) + QStringLiteral("…") : text);
    }
    case SourceValue::Kind::Blob:
        return QStringLiteral("o valor binário de %1 bytes").arg(value.bytes.size());
    }
    return {};
}

[[noreturn]] void reject(const SourceValue &value, const QString &why) {
    throw JetColumn::Rejected(describe(value) + QLatin1Char(' ') + why);
}

QByteArray littleEndian(quint64 value, int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((value >> (8 * i)) & 0xFF);
    return bytes;
}

QByteArray doubleBytes(double value) {
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return littleEndian(bits, 8);
}

double exactDouble(const SourceValue &value) {
    if (value.kind == SourceValue::Kind::Real)
        return value.real;
    if (value.kind != SourceValue::Kind::Integer)
        reject(value, QStringLiteral("não é um número"));
    if (value.integer > kMaxExactInteger || value.integer < -kMaxExactInteger)
        reject(value, QStringLiteral("não cabe exatamente num Double"));
    return double(value.integer);
}

qint64 integerIn(const SourceValue &value, qint64 low, qint64 high, const QString &typeName) {
    if (value.kind != SourceValue::Kind::Integer)
        reject(value, QStringLiteral("não é um número inteiro"));
    if (value.integer < low || value.integer > high)
        reject(value, QStringLiteral("não cabe num %1 (de %2 a %3)").arg(typeName).arg(low).arg(high));
    return value.integer;
}

// The value's decimal digits times 10^scale, when it is a decimal number with
// no more than scale decimals (trailing zeros aside) and fits 38 digits.
bool scaledDecimal(const SourceValue &value, int scale, __int128 &result) {
    QByteArray text;
    switch (value.kind) {
    case SourceValue::Kind::Integer:
        text = QByteArray::number(value.integer);
        break;
    case SourceValue::Kind::Real:
        // The shortest form SQLite itself shows for the value.
        text = QByteArray::number(value.real, 'g', 15);
        break;
    case SourceValue::Kind::Text:
        text = value.bytes.trimmed();
        break;
    default:
        return false;
    }
    qsizetype at = 0;
    const bool negative = text.startsWith('-');
    if (negative || text.startsWith('+'))
        ++at;
    QByteArray digits;
    int decimals = 0;
    bool point = false;
    for (; at < text.size() && text[at] != 'e' && text[at] != 'E'; ++at) {
        const char c = text[at];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits.append(c);
            decimals += point ? 1 : 0;
        } else {
            return false;
        }
    }
    int exponent = 0;
    if (at < text.size()) {
        bool ok = false;
        exponent = text.mid(at + 1).toInt(&ok);
        if (!ok || exponent > 100 || exponent < -100)
            return false;
    }
    if (digits.isEmpty())
        return false;
    const int shift = scale - decimals + exponent;
    if (shift < 0) {
        const QByteArray dropped = digits.right(-shift);
        if (dropped.size() < -shift || dropped.count('0') != dropped.size())
            return false;
        digits.chop(-shift);
    } else {
        digits.append(QByteArray(shift, '0'));
    }
    while (digits.size() > 1 && digits.startsWith('0'))
        digits.remove(0, 1);
    if (digits.size() > 38)
        return false;
    unsigned __int128 magnitude = 0;
    for (const char c : digits)
        magnitude = magnitude * 10 + unsigned(c - '0');
    result = negative ? -__int128(magnitude) : __int128(magnitude);
    return true;
}

unsigned __int128 powerOfTen(int exponent) {
    unsigned __int128 power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

QByteArray currencyBytes(const SourceValue &value) {
    __int128 scaled = 0;
    if (!scaledDecimal(value, 4, scaled))
        reject(value, QStringLiteral("não é um valor monetário de até 4 casas decimais"));
    if (scaled > std::numeric_limits<qint64>::max() || scaled < std::numeric_limits<qint64>::min())
        reject(value, QStringLiteral("não cabe num Currency"));
    return littleEndian(quint64(qint64(scaled)), 8);
}

QByteArray numericBytes(const SourceValue &value, int precision, int scale) {
    __int128 scaled = 0;
    if (!scaledDecimal(value, scale, scaled))
        reject(value, QStringLiteral("não é um número de até %1 casas decimais").arg(scale));
    const unsigned __int128 magnitude = scaled < 0 ? -(unsigned __int128)scaled : (unsigned __int128)scaled;
    if (magnitude >= powerOfTen(precision))
        reject(value, QStringLiteral("tem mais de %1 algarismos").arg(precision));
    // A sign byte, then the magnitude as four 32-bit words, the most
    // significant first, each little-endian.
    QByteArray bytes(17, '\0');
    bytes[0] = scaled < 0 ? char(0x80) : '\0';
    for (int word = 0; word < 4; ++word) {
        const quint32 part = quint32(magnitude >> (32 * (3 - word)));
        for (int i = 0; i < 4; ++i)
            bytes[1 + 4 * word + i] = char((part >> (8 * i)) & 0xFF);
    }
    return bytes;
}

QByteArray dateTimeBytes(const SourceValue &value) {
    // A date, or a date and a time of day, as SQLite's date functions write
    // them; no time zone, which a Jet date has no place for.
    static const QRegularExpression form(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})(?:[ T](\\d{2}:\\d{2}(?::\\d{2}(?:\\.\\d{1,3})?)?))?$"));
    const QRegularExpressionMatch m =
        value.kind == SourceValue::Kind::Text ? form.match(QString::fromUtf8(value.bytes)) : QRegularExpressionMatch();
    const QDate date = m.hasMatch() ? QDate::fromString(m.captured(1), Qt::ISODate) : QDate();
    const QTime time = m.captured(2).isEmpty() ? QTime(0, 0) : QTime::fromString(m.captured(2), Qt::ISODateWithMs);
    if (!date.isValid() || !time.isValid())
        reject(value, QStringLiteral("não é uma data no formato AAAA-MM-DD ou AAAA-MM-DD HH:MM:SS"));
    // Before the day zero the whole days count back and the time of day
    // still counts forward, so its fraction is subtracted.
    const qint64 days = kDayZero.daysTo(date);
    const double fraction = time.msecsSinceStartOfDay() / 86400000.0;
    return doubleBytes(days >= 0 ? double(days) + fraction : double(days) - fraction);
}

QByteArray longValue(const QByteArray &data) {
    QByteArray bytes = littleEndian(JetFormat::kInlineLongValue | quint32(data.size()), 4);
    bytes.append(QByteArray(JetFormat::kLongValueHeader - 4, '\0'));
    bytes.append(data);
    return bytes;
}

QString textOf(const SourceValue &value) {
    if (value.kind != SourceValue::Kind::Text)
        reject(value, QStringLiteral("não é um texto"));
    return QString::fromUtf8(value.bytes);
}

} // namespace

JetColumn JetColumn::fromSource(const SourceColumn &source) {
    const QString declared = source.declaredType.simplified().toLower();
    static const QRegularExpression decimal(QStringLiteral("^(numeric|decimal) ?\\( ?(\\d+) ?, ?(\\d+) ?\\)$"));
    if (const QRegularExpressionMatch m = decimal.match(declared); m.hasMatch()) {
        const int precision = m.captured(2).toInt();
        const int scale = m.captured(3).toInt();
        if (precision < 1 || precision > JetFormat::kMaxNumericPrecision || scale > precision)
            throw Rejected(QStringLiteral("o tipo \"%1\" pede precisão de 1 a %2 e escala até a precisão")
                               .arg(source.declaredType)
                               .arg(JetFormat::kMaxNumericPrecision));
        return JetColumn(source.name, ColumnType::Numeric, precision, scale);
    }
    static const QHash<QString, ColumnType> named = {
        {QStringLiteral("byte"), ColumnType::Byte},         {QStringLiteral("smallint"), ColumnType::Integer},
        {QStringLiteral("single"), ColumnType::Single},     {QStringLiteral("float"), ColumnType::Single},
        {QStringLiteral("currency"), ColumnType::Currency}, {QStringLiteral("boolean"), ColumnType::Boolean},
        {QStringLiteral("bit"), ColumnType::Boolean},       {QStringLiteral("datetime"), ColumnType::DateTime},
        {QStringLiteral("date"), ColumnType::DateTime},     {QStringLiteral("blob"), ColumnType::Ole},
        {QStringLiteral("ole"), ColumnType::Ole},           {QStringLiteral("real"), ColumnType::Double},
        {QStringLiteral("double"), ColumnType::Double},
    };
    if (const auto it = named.constFind(declared); it != named.constEnd())
        return JetColumn(source.name, it.value());
    if (declared == QStringLiteral("integer") || declared == QStringLiteral("int")) {
        const bool beyond32Bits = source.integerCount > 0 && (source.minInteger < std::numeric_limits<qint32>::min() ||
                                                              source.maxInteger > std::numeric_limits<qint32>::max());
        return JetColumn(source.name, source.realCount > 0 || beyond32Bits ? ColumnType::Double : ColumnType::Long);
    }
    if (declared == QStringLiteral("text"))
        return JetColumn(source.name,
                         source.maxTextLength > JetFormat::kMaxTextLength ? ColumnType::Memo : ColumnType::Text);
    throw Rejected(QStringLiteral("o tipo declarado \"%1\" não tem tipo Jet correspondente").arg(source.declaredType));
}

JetColumn::JetColumn(const QString &name, ColumnType type, int precision, int scale)
    : m_name(name), m_type(type), m_precision(precision), m_scale(scale) {}

bool JetColumn::isFixed() const {
    return m_type != ColumnType::Text && m_type != ColumnType::Memo && m_type != ColumnType::Ole;
}

int JetColumn::length() const {
    switch (m_type) {
    case ColumnType::Boolean:
    case ColumnType::Memo:
    case ColumnType::Ole:
        return 0;
    case ColumnType::Byte:
        return 1;
    case ColumnType::Integer:
        return 2;
    case ColumnType::Long:
    case ColumnType::Single:
        return 4;
    case ColumnType::Currency:
    case ColumnType::Double:
    case ColumnType::DateTime:
        return 8;
    case ColumnType::Numeric:
        return 17;
    case ColumnType::Text:
        return JetFormat::kMaxTextLength * 2;
    }
    return 0;
}

bool JetColumn::isCompressible() const { return m_type == ColumnType::Text || m_type == ColumnType::Memo; }

QByteArray JetColumn::encode(const SourceValue &value) const {
    switch (m_type) {
    case ColumnType::Boolean:
        return {};
    case ColumnType::Byte:
        return littleEndian(quint64(integerIn(value, 0, 255, QStringLiteral("Byte"))), 1);
    case ColumnType::Integer:
        return littleEndian(quint64(integerIn(value, -32768, 32767, QStringLiteral("Integer"))), 2);
    case ColumnType::Long:
        return littleEndian(quint64(integerIn(value, std::numeric_limits<qint32>::min(),
                                              std::numeric_limits<qint32>::max(), QStringLiteral("Long Integer"))),
                            4);
    case ColumnType::Single: {
        const double number = exactDouble(value);
        if (std::fabs(number) > double(std::numeric_limits<float>::max()))
            reject(value, QStringLiteral("não cabe num Single"));
        const float single = float(number);
        quint32 bits = 0;
        std::memcpy(&bits, &single, sizeof bits);
        return littleEndian(bits, 4);
    }
    case ColumnType::Double:
        return doubleBytes(exactDouble(value));
    case ColumnType::Currency:
        return currencyBytes(value);
    case ColumnType::Numeric:
        return numericBytes(value, m_precision, m_scale);
    case ColumnType::DateTime:
        return dateTimeBytes(value);
    case ColumnType::Text: {
        const QString text = textOf(value);
        if (text.size() > JetFormat::kMaxTextLength)
            reject(value, QStringLiteral("tem mais de %1 caracteres").arg(JetFormat::kMaxTextLength));
        return JetText::compressedOrUcs2(text);
    }
    case ColumnType::Memo: {
        const QString text = textOf(value);
        return longValue(text.size() > kMaxCompressedMemo ? JetText::ucs2(text) : JetText::compressedOrUcs2(text));
    }
    case ColumnType::Ole:
        if (value.kind != SourceValue::Kind::Blob)
            reject(value, QStringLiteral("não é um valor binário"));
        return longValue(value.bytes);
    }
    return {};
}

bool JetColumn::isTrue(const SourceValue &value) const {
    // Jet keeps a Boolean in the null mask, so it has no null.
    if (value.kind == SourceValue::Kind::Null)
        reject(value, QStringLiteral("não cabe num Boolean: no Jet, um Boolean não pode ser nulo"));
    return integerIn(value, 0, 1, QStringLiteral("Boolean")) == 1;
}
