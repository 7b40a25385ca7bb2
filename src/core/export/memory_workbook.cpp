#include "core/export/memory_workbook.h"

#include "base/data/app_error.h"
#include "base/data/input_file.h"
#include "base/data/safe_file.h"
#include "base/data/system_error.h"
#include "core/drawing/color_number.h"
#include "core/drawing/picture_bytes.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <new>
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

// The name of a cell, "A1" for (0, 0), up to the sheet's last column "XFD".
QString cellName(int row, int column) {
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters + QString::number(row + 1);
}

// The writer's failures as the reason of a sentence that says what was
// being written; the library's own text follows where it is the only one.
void check(lxw_error error) {
    switch (error) {
    case LXW_NO_ERROR:
        return;
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        throw AppError(SystemError::text(ENOMEM));
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        // The system's reason, where a call failed since the writer began
        // (memory or disk space running short), says more than the writer's.
        throw AppError(QStringLiteral("não foi possível compor o arquivo na pasta temporária: %1")
                           .arg(errno != 0 ? SystemError::text(errno) : QString::fromUtf8(lxw_strerror(error))));
    default:
        // A picture is staged by the writer in a temporary file of its own:
        // when the disk or the user's file-size limit cut that file short,
        // the writer only sees a picture it cannot read back.
        if (errno == EFBIG || errno == ENOSPC || errno == EDQUOT)
            throw AppError(QStringLiteral("não foi possível compor o arquivo na pasta temporária: %1")
                               .arg(SystemError::text(errno)));
        throw AppError(QStringLiteral("a biblioteca de planilhas recusou o conteúdo (%1)")
                           .arg(QString::fromUtf8(lxw_strerror(error))));
    }
}

// A text cell: one longer than a cell holds is named with its length.
void checkText(lxw_error error, int row, int column, const QString &text) {
    if (error == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED)
        throw AppError(QStringLiteral("o texto da célula %1 tem %2 caracteres, mais do que os 32.767 que uma célula "
                                      "guarda")
                           .arg(cellName(row, column))
                           .arg(text.size()));
    check(error);
}

} // namespace

bool SheetCell::operator<(const SheetCell &other) const {
    return std::tie(fontColor, bold, fill, numberFormat, alignment) <
           std::tie(other.fontColor, other.bold, other.fill, other.numberFormat, other.alignment);
}

MemoryWorkbook::MemoryWorkbook(const QLocale &locale) : m_locale(locale) {}

void MemoryWorkbook::addWorkbook() {
    m_hasWorkbook = true;
    m_rows.clear();
    m_boxed.clear();
    m_looks.assign(1, SheetCell());
    m_lookIndex = {{SheetCell(), 0}};
    m_columns.clear();
    m_widestRow = 0;
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
    // Up to three capital letters, then the row number in digits alone.
    const qsizetype size = address.size();
    qsizetype i = 0;
    int column = 0;
    while (i < size && i < 3 && address[i] >= u'A' && address[i] <= u'Z')
        column = column * 26 + (address[i++].unicode() - u'A' + 1);
    const qsizetype letters = i;
    int row = 0;
    while (i < size && address[i] >= u'0' && address[i] <= u'9' && row <= kMaxRows)
        row = row * 10 + (address[i++].unicode() - u'0');
    if (letters == 0 || i == letters || i != size || row < 1 || row > kMaxRows || column > kMaxColumns)
        throw AppError(QStringLiteral("Endereço de célula inválido: \"%1\"").arg(address));
    return {row - 1, column - 1};
}

MemoryWorkbook::Slot &MemoryWorkbook::at(const QString &address) {
    requireWorkbook();
    const auto [row, column] = position(address);
    return at(row, column);
}

MemoryWorkbook::Slot &MemoryWorkbook::at(int row, int column) {
    if (static_cast<size_t>(row) >= m_rows.size())
        m_rows.resize(row + 1);
    std::vector<Slot> &cells = m_rows[row];
    const auto size = static_cast<size_t>(column) + 1;
    if (size > cells.size()) {
        if (size > cells.capacity())
            cells.reserve(std::max({size, m_widestRow, 2 * cells.capacity()}));
        cells.resize(size);
        m_widestRow = std::max(m_widestRow, size);
    }
    Slot &found = cells[column];
    if (found.content == Slot::Content::Untouched)
        found.content = Slot::Content::Empty;
    return found;
}

const MemoryWorkbook::Slot *MemoryWorkbook::find(int row, int column) const {
    if (static_cast<size_t>(row) >= m_rows.size() || static_cast<size_t>(column) >= m_rows[row].size())
        return nullptr;
    const Slot &found = m_rows[row][column];
    return found.content == Slot::Content::Untouched ? nullptr : &found;
}

const SheetCell *MemoryWorkbook::cell(const QString &address) const {
    const auto [row, column] = position(address);
    const Slot *found = find(row, column);
    return found ? &m_looks[found->look] : nullptr;
}

int MemoryWorkbook::rowCount() const {
    for (size_t row = m_rows.size(); row > 0; --row)
        for (const Slot &c : m_rows[row - 1])
            if (c.content != Slot::Content::Untouched)
                return static_cast<int>(row);
    return 0;
}

int MemoryWorkbook::columnCount() const {
    size_t count = 0;
    for (const auto &cells : m_rows)
        for (size_t column = cells.size(); column > count; --column)
            if (cells[column - 1].content != Slot::Content::Untouched) {
                count = column;
                break;
            }
    return static_cast<int>(count);
}

double MemoryWorkbook::columnWidth(int column) const {
    if (column < 0 || static_cast<size_t>(column) >= m_columns.size())
        return 0;
    return m_columns[column].width.value_or(0);
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
    Slot &c = at(address);
    const auto put = [&](double number) {
        c.number = number;
        c.content = Slot::Content::Number;
    };
    const auto box = [&](QVariant boxed) {
        // A cell that held a text or a date reuses its place.
        if (c.content != Slot::Content::Boxed) {
            c.boxed = static_cast<quint32>(m_boxed.size());
            m_boxed.emplace_back();
        }
        m_boxed[c.boxed] = std::move(boxed);
        c.content = Slot::Content::Boxed;
    };
    switch (value.typeId()) {
    case QMetaType::Double: {
        // The figures of a table, most of the cells: read without conversion.
        const double number = *static_cast<const double *>(value.constData());
        if (std::isfinite(number)) {
            put(number);
            return;
        }
        break;
    }
    case QMetaType::QString: {
        const QString text = value.toString();
        if (text.isEmpty())
            break;
        if (const std::optional<double> number = automationNumber(text))
            put(*number);
        else
            box(text);
        return;
    }
    case QMetaType::QDateTime:
        if (value.toDateTime().isValid()) {
            box(value.toDateTime());
            return;
        }
        break;
    case QMetaType::QDate:
        if (value.toDate().isValid()) {
            box(QDateTime(value.toDate(), QTime(0, 0)));
            return;
        }
        break;
    default:
        if (value.isNull())
            break;
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok)
            throw AppError(QStringLiteral("Valor inválido para a célula %1").arg(address));
        if (std::isfinite(number)) {
            put(number);
            return;
        }
    }
    // Emptied: a text or date the cell held stays in its place, unused,
    // so the places of the other cells hold.
    if (c.content != Slot::Content::Boxed)
        c.content = Slot::Content::Empty;
    else
        m_boxed[c.boxed] = QVariant();
}

QVariant MemoryWorkbook::value(const QString &address) const {
    requireWorkbook();
    const auto [row, column] = position(address);
    const Slot *c = find(row, column);
    if (!c)
        return QVariant();
    switch (c->content) {
    case Slot::Content::Number:
        return c->number;
    case Slot::Content::Boxed:
        return m_boxed[c->boxed];
    default:
        return QVariant();
    }
}

MemoryWorkbook::Column &MemoryWorkbook::columnAt(int index) {
    if (static_cast<size_t>(index) >= m_columns.size())
        m_columns.resize(index + 1);
    return m_columns[index];
}

template <typename Change> void MemoryWorkbook::restyle(int row, int column, Change change) {
    Slot &c = at(row, column);
    SheetCell look = m_looks[c.look];
    change(look);
    Column &last = columnAt(column);
    if (look != m_looks[last.look]) {
        const auto [found, added] = m_lookIndex.try_emplace(look, static_cast<quint32>(m_looks.size()));
        if (added)
            m_looks.push_back(look);
        last.look = found->second;
    }
    c.look = last.look;
}

void MemoryWorkbook::setFontColor(const QString &cell, int color) {
    requireWorkbook();
    const auto [row, column] = position(cell);
    restyle(row, column, [color](SheetCell &look) { look.fontColor = color; });
}

void MemoryWorkbook::setFontBold(const QString &cell, bool bold) {
    requireWorkbook();
    const auto [row, column] = position(cell);
    restyle(row, column, [bold](SheetCell &look) { look.bold = bold; });
}

void MemoryWorkbook::setInteriorColor(const QString &cell, int color) {
    requireWorkbook();
    const auto [row, column] = position(cell);
    restyle(row, column, [color](SheetCell &look) { look.fill = color; });
}

void MemoryWorkbook::setNumberFormat(const QString &cell, const QString &format) {
    requireWorkbook();
    const auto [row, column] = position(cell);
    Column &last = columnAt(column);
    if (format != last.typedFormat) {
        last.fileFormat = fileNumberFormat(format, m_locale);
        last.typedFormat = format;
        last.formattedFrom = kNoLook;
    }
    // A column gives its cells one format row after row: a cell that looks as
    // the last one did takes the look that one took.
    Slot &c = at(row, column);
    if (c.look == last.formattedFrom) {
        c.look = last.formattedTo;
        return;
    }
    last.formattedFrom = c.look;
    const QString fileFormat = last.fileFormat;
    restyle(row, column, [&fileFormat](SheetCell &look) { look.numberFormat = fileFormat; });
    last.formattedTo = c.look;
}

void MemoryWorkbook::setHorizontalAlignment(const QString &cell, int alignment) {
    if (alignment != xlLeft && alignment != xlRight && alignment != xlCenter)
        throw AppError(QStringLiteral("Alinhamento inválido para a célula %1").arg(cell));
    requireWorkbook();
    const auto [row, column] = position(cell);
    restyle(row, column, [alignment](SheetCell &look) { look.alignment = alignment; });
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
    columnAt(position(cell).second).width = std::min(width, 255.0);
}

void MemoryWorkbook::saveAs(const QString &path) {
    requireWorkbook();
    QByteArray bytes;
    try {
        bytes = xlsx();
    } catch (const AppError &error) {
        throw AppError(QStringLiteral("Não foi possível compor a planilha \"%1\": %2").arg(path, error.message()));
    } catch (const std::bad_alloc &) {
        throw AppError(
            QStringLiteral("Não foi possível compor a planilha \"%1\": %2").arg(path, SystemError::text(ENOMEM)));
    }
    SafeFile::write(path, bytes);
    m_savedPath = path;
}

struct MemoryWorkbook::Writing {
    lxw_workbook *workbook;
    lxw_worksheet *sheet;
    const std::vector<SheetCell> &looks;
    // The format of each look, made when first used: [look][as a date].
    std::vector<std::array<lxw_format *, 2>> formats = std::vector<std::array<lxw_format *, 2>>(looks.size());

    // Nothing for a cell that looks as the sheet's default.
    lxw_format *format(quint32 look, bool isDate) {
        lxw_format *&made = formats[look][isDate ? 1 : 0];
        if (made)
            return made;
        const SheetCell &c = looks[look];
        const QString numberFormat =
            isDate && c.numberFormat.isEmpty() ? QStringLiteral("dd/mm/yyyy hh:mm") : c.numberFormat;
        if (!c.fontColor && !c.bold && !c.fill && c.alignment == 0 && numberFormat.isEmpty())
            return nullptr;
        made = workbook_add_format(workbook);
        if (c.fontColor)
            format_set_font_color(made, rgb(*c.fontColor));
        if (c.bold)
            format_set_bold(made);
        if (c.fill)
            format_set_bg_color(made, rgb(*c.fill));
        if (!numberFormat.isEmpty())
            format_set_num_format(made, numberFormat.toUtf8().constData());
        if (c.alignment == xlLeft)
            format_set_align(made, LXW_ALIGN_LEFT);
        else if (c.alignment == xlRight)
            format_set_align(made, LXW_ALIGN_RIGHT);
        else if (c.alignment == xlCenter)
            format_set_align(made, LXW_ALIGN_CENTER);
        return made;
    }
};

void MemoryWorkbook::writeCells(Writing &w) const {
    // The writer keeps only the row it is on, so every row is written
    // whole, in order. The cells of a merged area take the look of its first
    // cell unless they have one of their own; the merge itself is declared on
    // its last row, where the writer pads that row and keeps the area.
    int rows = static_cast<int>(m_rows.size());
    for (const Merge &m : m_merges)
        rows = std::max(rows, m.lastRow + 1);
    const auto firstLook = [&](const Merge &m) {
        const Slot *first = find(m.firstRow, m.firstColumn);
        return first ? first->look : 0;
    };
    for (int r = 0; r < rows; ++r) {
        const auto row = static_cast<lxw_row_t>(r);
        for (const Merge &m : m_merges) {
            if (r < m.firstRow || r > m.lastRow)
                continue;
            lxw_format *format = w.format(firstLook(m), false);
            if (r == m.lastRow) {
                check(worksheet_merge_range(w.sheet, m.firstRow, m.firstColumn, m.lastRow, m.lastColumn, "", format));
                continue;
            }
            if (!format)
                continue;
            for (int col = m.firstColumn; col <= m.lastColumn; ++col)
                check(worksheet_write_blank(w.sheet, row, static_cast<lxw_col_t>(col), format));
        }
        if (static_cast<size_t>(r) >= m_rows.size())
            continue;
        const std::vector<Slot> &cells = m_rows[r];
        for (size_t col = 0; col < cells.size(); ++col) {
            const Slot &c = cells[col];
            const auto column = static_cast<lxw_col_t>(col);
            switch (c.content) {
            case Slot::Content::Untouched:
                break;
            case Slot::Content::Number:
                check(worksheet_write_number(w.sheet, row, column, c.number, w.format(c.look, false)));
                break;
            case Slot::Content::Boxed: {
                const QVariant &boxed = m_boxed[c.boxed];
                if (boxed.typeId() == QMetaType::QDateTime) {
                    check(worksheet_write_number(w.sheet, row, column, dateSerial(boxed.toDateTime()),
                                                 w.format(c.look, true)));
                    break;
                }
                if (boxed.typeId() == QMetaType::QString) {
                    const QString text = boxed.toString();
                    checkText(worksheet_write_string(w.sheet, row, column, text.toUtf8().constData(),
                                                     w.format(c.look, false)),
                              r, static_cast<int>(col), text);
                    break;
                }
                [[fallthrough]];
            }
            case Slot::Content::Empty:
                if (lxw_format *format = w.format(c.look, false))
                    check(worksheet_write_blank(w.sheet, row, column, format));
                break;
            }
        }
    }
}

QByteArray MemoryWorkbook::xlsx() const {
    requireWorkbook();
    // The writer composes the file under a name of its own, keeping only the
    // row it is on in memory; the bytes are then read back so that the target
    // is replaced in one safe step.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw AppError(QStringLiteral("não foi possível criar uma pasta temporária (%1)").arg(scratch.errorString()));
    const QString file = scratch.filePath(QStringLiteral("pasta.xlsx"));
    const QByteArray fileName = QFile::encodeName(file);
    QByteArray scratchPath = QFile::encodeName(scratch.path());

    errno = 0;
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = scratchPath.data();
    lxw_workbook *workbook = workbook_new_opt(fileName.constData(), &options);
    if (!workbook)
        throw AppError(
            QStringLiteral("não foi possível criar a pasta de trabalho na pasta temporária %1").arg(scratch.path()));
    const QByteArray sheetName = m_sheetName.toUtf8();
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, sheetName.constData());
    std::vector<QByteArray> pictures;
    bool closed = false;
    try {
        if (!sheet)
            throw AppError(QStringLiteral("nome de planilha recusado: \"%1\"").arg(m_sheetName));
        for (size_t c = 0; c < m_columns.size(); ++c)
            if (const std::optional<double> width = m_columns[c].width)
                check(
                    worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), *width, nullptr));
        Writing writing{workbook, sheet, m_looks};
        writeCells(writing);
        pictures.reserve(m_pictures.size());
        for (const Picture &p : m_pictures) {
            pictures.push_back(PictureBytes::encode(p.image, "PNG"));
            const QByteArray &bytes = pictures.back();
            check(worksheet_insert_image_buffer(sheet, p.row, p.column,
                                                reinterpret_cast<const unsigned char *>(bytes.constData()),
                                                static_cast<size_t>(bytes.size())));
        }
        closed = true;
        check(workbook_close(workbook));
    } catch (...) {
        if (!closed)
            workbook_close(workbook);
        throw;
    }
    return InputFile::read(file, QStringLiteral("não foi possível ler o arquivo composto %1").arg(file));
}
