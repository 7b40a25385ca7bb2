#include "export/memory_workbook.h"

#include "data/app_error.h"
#include "data/color_number.h"
#include "data/safe_file.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <xlsxwriter.h>

namespace {

constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

// A number as the automation reads it from a text: point for decimals,
// commas between groups of three digits.
std::optional<double> automationNumber(const QString &text) {
    // Most texts are names: a first character that cannot start a number
    // settles it without the pattern.
    const auto first = std::find_if(text.cbegin(), text.cend(), [](QChar c) { return !c.isSpace(); });
    if (first == text.cend() || !(first->isDigit() || *first == u'+' || *first == u'-' || *first == u'.'))
        return std::nullopt;
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?(\\d{1,3}(,\\d{3})+|\\d+)?(\\.\\d+)?([eE][+-]?\\d+)?\\s*$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch() || (match.capturedLength(1) == 0 && match.capturedLength(3) == 0))
        return std::nullopt;
    bool ok = false;
    const double value = QString(text).remove(u',').trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A number format typed in the user's number format, in the file's notation:
// the locale's thousands separator becomes "," and its decimal separator
// ".". Quoted literals and escaped characters stay as they are.
QString fileNumberFormat(const QString &format, const QLocale &locale) {
    const QString group = locale.groupSeparator();
    const QString point = locale.decimalPoint();
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && c == u'\\' && i + 1 < format.size()) {
            result += c;
            result += format[++i];
            continue;
        } else if (!quoted && group.size() == 1 && c == group[0]) {
            result += u',';
            continue;
        } else if (!quoted && point.size() == 1 && c == point[0]) {
            result += u'.';
            continue;
        }
        result += c;
    }
    return result;
}

lxw_color_t rgb(int colorNumber) {
    const QColor color = ColorNumber::toColor(static_cast<quint32>(colorNumber));
    return static_cast<lxw_color_t>((color.red() << 16) | (color.green() << 8) | color.blue());
}

// Days since 30/12/1899, the date serial numbers of workbooks.
double dateSerial(const QDateTime &moment) {
    const QDate origin(1899, 12, 30);
    return static_cast<double>(origin.daysTo(moment.date())) + moment.time().msecsSinceStartOfDay() / 86400000.0;
}

QByteArray png(const QImage &image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void check(lxw_error error, const QString &doing) {
    if (error != LXW_NO_ERROR)
        throw AppError(QStringLiteral("%1: %2").arg(doing, QString::fromUtf8(lxw_strerror(error))));
}

} // namespace

MemoryWorkbook::MemoryWorkbook(const QLocale &locale) : m_locale(locale) {}

void MemoryWorkbook::addWorkbook() {
    m_hasWorkbook = true;
    m_rows.clear();
    m_widths.clear();
    m_merges.clear();
    m_pictures.clear();
    m_sheetName = QStringLiteral("Plan1");
    m_selected = QStringLiteral("A1");
}

void MemoryWorkbook::requireWorkbook() const {
    if (!m_hasWorkbook)
        throw AppError(QStringLiteral("Nenhuma pasta de trabalho aberta na planilha."));
}

void MemoryWorkbook::setSheetName(const QString &name) {
    requireWorkbook();
    static const QRegularExpression forbidden(QStringLiteral("[\\[\\]:*?/\\\\]"));
    if (name.isEmpty() || name.size() > 31 || name.contains(forbidden))
        throw AppError(QStringLiteral("Nome de planilha inválido: \"%1\"").arg(name));
    m_sheetName = name;
}

std::pair<int, int> MemoryWorkbook::position(const QString &address) {
    qsizetype i = 0;
    int column = 0;
    while (i < address.size() && address[i] >= u'A' && address[i] <= u'Z' && i < 3)
        column = column * 26 + (address[i++].unicode() - u'A' + 1);
    bool ok = false;
    const int row = QStringView(address).mid(i).toInt(&ok);
    if (i == 0 || !ok || row < 1 || row > kMaxRows || column > kMaxColumns || !address[i].isDigit())
        throw AppError(QStringLiteral("Endereço de célula inválido: \"%1\"").arg(address));
    return {row - 1, column - 1};
}

SheetCell &MemoryWorkbook::at(const QString &address) {
    requireWorkbook();
    const auto [row, column] = position(address);
    if (static_cast<size_t>(row) >= m_rows.size())
        m_rows.resize(row + 1);
    std::vector<std::optional<SheetCell>> &cells = m_rows[row];
    if (static_cast<size_t>(column) >= cells.size())
        cells.resize(column + 1);
    std::optional<SheetCell> &found = cells[column];
    if (!found)
        found.emplace();
    return *found;
}

const SheetCell *MemoryWorkbook::find(int row, int column) const {
    if (static_cast<size_t>(row) >= m_rows.size() || static_cast<size_t>(column) >= m_rows[row].size())
        return nullptr;
    const std::optional<SheetCell> &found = m_rows[row][column];
    return found ? &*found : nullptr;
}

const SheetCell *MemoryWorkbook::cell(const QString &address) const {
    const auto [row, column] = position(address);
    return find(row, column);
}

int MemoryWorkbook::rowCount() const {
    for (size_t row = m_rows.size(); row > 0; --row)
        for (const std::optional<SheetCell> &c : m_rows[row - 1])
            if (c)
                return static_cast<int>(row);
    return 0;
}

int MemoryWorkbook::columnCount() const {
    size_t count = 0;
    for (const auto &cells : m_rows)
        for (size_t column = cells.size(); column > count; --column)
            if (cells[column - 1]) {
                count = column;
                break;
            }
    return static_cast<int>(count);
}

double MemoryWorkbook::columnWidth(int column) const {
    const auto found = m_widths.find(column);
    return found == m_widths.end() ? 0 : found->second;
}

void MemoryWorkbook::paste(const QImage &picture) {
    requireWorkbook();
    m_pictures.push_back({picture, 0, 0});
}

void MemoryWorkbook::select(const QString &cell) {
    requireWorkbook();
    position(cell);
    m_selected = cell;
}

void MemoryWorkbook::pasteSpecial(const QImage &picture) {
    requireWorkbook();
    const auto [row, column] = position(m_selected);
    m_pictures.push_back({picture, row, column});
}

void MemoryWorkbook::setValue(const QString &address, const QVariant &value) {
    SheetCell &c = at(address);
    c.value = QVariant();
    switch (value.typeId()) {
    case QMetaType::QString: {
        const QString text = value.toString();
        if (text.isEmpty())
            break;
        const std::optional<double> number = automationNumber(text);
        c.value = number ? QVariant(*number) : QVariant(text);
        break;
    }
    case QMetaType::QDateTime:
        if (value.toDateTime().isValid())
            c.value = value.toDateTime();
        break;
    case QMetaType::QDate:
        if (value.toDate().isValid())
            c.value = QDateTime(value.toDate(), QTime(0, 0));
        break;
    default:
        if (value.isNull())
            break;
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok)
            throw AppError(QStringLiteral("Valor inválido para a célula %1").arg(address));
        if (std::isfinite(number))
            c.value = number;
    }
}

QVariant MemoryWorkbook::value(const QString &address) const {
    requireWorkbook();
    const SheetCell *c = cell(address);
    return c ? c->value : QVariant();
}

void MemoryWorkbook::setFontColor(const QString &cell, int color) { at(cell).fontColor = color; }
void MemoryWorkbook::setFontBold(const QString &cell, bool bold) { at(cell).bold = bold; }
void MemoryWorkbook::setInteriorColor(const QString &cell, int color) { at(cell).fill = color; }

void MemoryWorkbook::setNumberFormat(const QString &cell, const QString &format) {
    SheetCell &c = at(cell);
    if (format != m_lastFormat) {
        m_lastFileFormat = fileNumberFormat(format, m_locale);
        m_lastFormat = format;
    }
    c.numberFormat = m_lastFileFormat;
}

void MemoryWorkbook::setHorizontalAlignment(const QString &cell, int alignment) {
    if (alignment != xlLeft && alignment != xlRight && alignment != xlCenter)
        throw AppError(QStringLiteral("Alinhamento inválido para a célula %1").arg(cell));
    at(cell).alignment = alignment;
}

void MemoryWorkbook::mergeCells(const QString &firstCell, const QString &lastCell) {
    requireWorkbook();
    const auto [r1, c1] = position(firstCell);
    const auto [r2, c2] = position(lastCell);
    const Merge merge{std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
    if (merge.firstRow == merge.lastRow && merge.firstColumn == merge.lastColumn)
        return; // a single cell is not a merge
    // A merge over cells already merged replaces them, as the automation does.
    std::erase_if(m_merges, [&](const Merge &m) {
        return m.firstRow <= merge.lastRow && merge.firstRow <= m.lastRow && m.firstColumn <= merge.lastColumn &&
               merge.firstColumn <= m.lastColumn;
    });
    m_merges.push_back(merge);
}

void MemoryWorkbook::setColumnWidth(const QString &cell, double width) {
    requireWorkbook();
    if (!std::isfinite(width) || width < 0)
        throw AppError(QStringLiteral("Largura inválida para a coluna da célula %1").arg(cell));
    m_widths[position(cell).second] = std::min(width, 255.0);
}

void MemoryWorkbook::saveAs(const QString &path) {
    requireWorkbook();
    SafeFile::write(path, xlsx());
    m_savedPath = path;
}

QByteArray MemoryWorkbook::xlsx() const {
    requireWorkbook();
    // The writer composes the file under a name of its own; the bytes are
    // then read back so that the target is replaced in one safe step.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw AppError(QStringLiteral("Não foi possível criar uma pasta temporária: %1").arg(scratch.errorString()));
    const QString file = scratch.filePath(QStringLiteral("pasta.xlsx"));
    const QByteArray fileName = QFile::encodeName(file);
    const QString doing = QStringLiteral("Gravando a planilha");

    lxw_workbook *workbook = workbook_new(fileName.constData());
    if (!workbook)
        throw AppError(QStringLiteral("%1: não foi possível criar a pasta de trabalho").arg(doing));
    const QByteArray sheetName = m_sheetName.toUtf8();
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, sheetName.constData());
    std::vector<QByteArray> pictures;
    bool closed = false;
    try {
        if (!sheet)
            throw AppError(QStringLiteral("%1: nome de planilha recusado").arg(doing));

        // One format per distinct look; a cell without any takes none.
        using Style = std::tuple<std::optional<int>, bool, std::optional<int>, int, QString>;
        std::map<Style, lxw_format *> formats;
        const QString dateFormat = QStringLiteral("dd/mm/yyyy hh:mm");
        const auto formatOf = [&](const SheetCell &c, bool isDate) -> lxw_format * {
            const QString &numberFormat = isDate && c.numberFormat.isEmpty() ? dateFormat : c.numberFormat;
            if (!c.fontColor && !c.bold && !c.fill && c.alignment == 0 && numberFormat.isEmpty())
                return nullptr;
            lxw_format *&format = formats[Style(c.fontColor, c.bold, c.fill, c.alignment, numberFormat)];
            if (!format) {
                format = workbook_add_format(workbook);
                if (c.fontColor)
                    format_set_font_color(format, rgb(*c.fontColor));
                if (c.bold)
                    format_set_bold(format);
                if (c.fill)
                    format_set_bg_color(format, rgb(*c.fill));
                if (!numberFormat.isEmpty())
                    format_set_num_format(format, numberFormat.toUtf8().constData());
                if (c.alignment == xlLeft)
                    format_set_align(format, LXW_ALIGN_LEFT);
                else if (c.alignment == xlRight)
                    format_set_align(format, LXW_ALIGN_RIGHT);
                else if (c.alignment == xlCenter)
                    format_set_align(format, LXW_ALIGN_CENTER);
            }
            return format;
        };

        for (const auto &[column, width] : m_widths)
            check(worksheet_set_column(sheet, column, column, width, nullptr), doing);
        const SheetCell blank;
        for (const Merge &m : m_merges) {
            const SheetCell *found = find(m.firstRow, m.firstColumn);
            const SheetCell &first = found ? *found : blank;
            check(worksheet_merge_range(sheet, m.firstRow, m.firstColumn, m.lastRow, m.lastColumn, "",
                                        formatOf(first, false)),
                  doing);
        }
        for (size_t r = 0; r < m_rows.size(); ++r) {
            for (size_t col = 0; col < m_rows[r].size(); ++col) {
                if (!m_rows[r][col])
                    continue;
                const SheetCell &c = *m_rows[r][col];
                const auto row = static_cast<lxw_row_t>(r);
                const auto column = static_cast<lxw_col_t>(col);
                switch (c.value.typeId()) {
                case QMetaType::Double:
                    check(worksheet_write_number(sheet, row, column, c.value.toDouble(), formatOf(c, false)), doing);
                    break;
                case QMetaType::QString:
                    check(worksheet_write_string(sheet, row, column, c.value.toString().toUtf8().constData(),
                                                 formatOf(c, false)),
                          doing);
                    break;
                case QMetaType::QDateTime:
                    check(
                        worksheet_write_number(sheet, row, column, dateSerial(c.value.toDateTime()), formatOf(c, true)),
                        doing);
                    break;
                default:
                    if (lxw_format *format = formatOf(c, false))
                        check(worksheet_write_blank(sheet, row, column, format), doing);
                }
            }
        }
        pictures.reserve(m_pictures.size());
        for (const Picture &p : m_pictures) {
            pictures.push_back(png(p.image));
            const QByteArray &bytes = pictures.back();
            check(worksheet_insert_image_buffer(sheet, p.row, p.column,
                                                reinterpret_cast<const unsigned char *>(bytes.constData()),
                                                static_cast<size_t>(bytes.size())),
                  doing);
        }
        closed = true;
        check(workbook_close(workbook), doing);
    } catch (...) {
        if (!closed)
            workbook_close(workbook);
        throw;
    }
    QFile written(file);
    if (!written.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("%1: %2").arg(doing, written.errorString()));
    return written.readAll();
}
