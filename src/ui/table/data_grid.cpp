#include "ui/table/data_grid.h"

#include "base/data/study_schema.h"
#include "base/table/current_result.h"
#include "base/table/result_table.h"
#include "core/drawing/windows_fonts.h"
#include "core/table/cell_colors.h"
#include "ui/table/group_header_view.h"
#include "ui/table/result_table_model.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHash>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

// The text of a cell as it fits in the given width. A number too wide for
// its column is shown as a row of "#", as spreadsheets do: cut at either end
// it would read as another number. A wider text ends in "…".
QString fittedText(const QString &text, bool numeric, const QFontMetrics &metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    if (!numeric)
        return metrics.elidedText(text, Qt::ElideRight, width);
    const int marks = qMax(1, width / metrics.horizontalAdvance(QLatin1Char('#')));
    return QString(marks, QLatin1Char('#'));
}

// Paints a cell: the coloured grid with its colours and no selection
// highlight, the plain one in the style's way; both fit the text to the
// cell.
class CellDelegate : public QStyledItemDelegate {
  public:
    CellDelegate(DataGrid *grid, bool coloured) : QStyledItemDelegate(grid), m_grid(grid), m_coloured(coloured) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        if (!m_coloured) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const DataGrid::Colors colors = m_grid->cellColors(index);
        const QRect textRect = option.rect.adjusted(kColouredTextMargin, 0, -kColouredTextMargin, 0);
        painter->save();
        painter->fillRect(option.rect, colors.brush);
        painter->setClipRect(option.rect);
        painter->setPen(colors.text);
        painter->setFont(option.font);
        painter->drawText(
            textRect, index.data(Qt::TextAlignmentRole).toInt(),
            fittedText(index.data().toString(), isNumeric(index), QFontMetrics(option.font), textRect.width()));
        painter->restore();
    }

  protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->rect.width() <= 0)
            return; // asked for a size, not painting
        const QStyle *style = option->widget ? option->widget->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1;
        option->text =
            fittedText(option->text, isNumeric(index), option->fontMetrics, option->rect.width() - 2 * margin);
    }

  private:
    bool isNumeric(const QModelIndex &index) const { return m_grid->tableModel()->field(index.column()).isNumeric(); }

    // The coloured grid draws its texts this far in from either edge.
    static constexpr int kColouredTextMargin = 2;

    DataGrid *m_grid;
    bool m_coloured;
};

constexpr int kIndicatorWidth = 12;
// Room beside a cell's text: the coloured grid draws it 2 pixels in from
// either edge of the cell, the plain one a little more, and the grid line
// takes a pixel.
constexpr int kCellMargins = 6;
constexpr int kTextMargins = 8;

} // namespace

DataGrid::DataGrid(bool coloured, const CurrentResult &result, QWidget *parent)
    : QTableView(parent), m_result(result), m_titles(new GroupHeaderView(this)), m_coloured(coloured) {
    setFont(WindowsFonts::pointFont(QStringLiteral("MS Sans Serif"), 8));
    setHorizontalHeader(m_titles);
    // A press on a title would make its column current; a title click marks
    // a figure column at most and leaves the current cell where it is.
    disconnect(m_titles, SIGNAL(sectionPressed(int)), this, SLOT(selectColumn(int)));
    disconnect(m_titles, SIGNAL(sectionEntered(int)), this, SLOT(_q_selectColumn(int)));
    // Group titles stay centred on the part of their span in view, so the
    // titles are drawn anew rather than shifted when the grid scrolls.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_titles->viewport(), qOverload<>(&QWidget::update));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    QPalette p = palette();
    p.setColor(QPalette::Base, CellColors::gridBackground());
    setPalette(p);
    setItemDelegate(new CellDelegate(this, m_coloured));

    // Rows all have one height, so nothing is measured per row.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setFixedWidth(kIndicatorWidth);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

void DataGrid::setTableModel(ResultTableModel *model) {
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    setModel(model);
    if (!model)
        return;
    connect(model, &QAbstractItemModel::modelReset, this, &DataGrid::layoutColumns);
    connect(&model->table(), &ResultTable::afterScroll, this, &DataGrid::followTable);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid() && m_model)
            m_model->table().moveTo(current.row());
    });
    layoutColumns();
}

void DataGrid::layoutColumns() {
    for (int c = 0; c < m_model->columnCount(); ++c) {
        setColumnHidden(c, m_model->field(c).isGroup());
        if (!m_model->field(c).isGroup())
            setColumnWidth(c, defaultColumnWidth(c));
    }
    m_titles->setFixedHeight(m_titles->sizeHint().height());
    followTable();
}

int DataGrid::defaultColumnWidth(int column) const {
    const ResultField &f = m_model->field(column);
    // A display width counts characters; names in capitals and accented
    // letters run wider than the font's average one, so each gets a pixel
    // more.
    const int data = f.displayWidth() * (fontMetrics().averageCharWidth() + 1) + kCellMargins;
    const int title = m_titles->fontMetrics().horizontalAdvance(f.displayLabel()) + kCellMargins;
    return std::max({data, title, widestText(column)});
}

// The table writes its own texts into territory columns ("TOT.", "TOTAL")
// and holds names longer than the display width: a text column is as wide
// as its widest text, so that none is cut. Shaping every name of a table
// of tens of thousands of rows would take seconds, so each text is first
// estimated by the sum of its characters' advances, which kerning moves by
// far less than a tenth, and only the texts whose estimate comes near the
// widest are measured.
int DataGrid::widestText(int column) const {
    const ResultField &f = m_model->field(column);
    if (f.kind() != FieldKind::Text)
        return 0;
    const ResultTable &table = m_model->table();
    const QFontMetricsF advances(font());
    QHash<char16_t, qreal> advance;
    std::vector<std::pair<qreal, QString>> estimates;
    for (int row = 0; row < table.recordCount(); ++row) {
        const QString text = f.onGetText() ? table.displayText(row, f.index()) : table.asString(row, f.index());
        if (text.isEmpty() || (!estimates.empty() && estimates.back().second == text))
            continue;
        qreal width = 0;
        for (const QChar c : text) {
            auto known = advance.constFind(c.unicode());
            if (known == advance.constEnd())
                known = advance.insert(c.unicode(), advances.horizontalAdvance(c));
            width += *known;
        }
        estimates.emplace_back(width, text);
    }
    std::sort(estimates.begin(), estimates.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (const auto &[estimate, text] : estimates) {
        if (estimate * 1.1 + kTextMargins < widest)
            break;
        widest = qMax(widest, metrics.horizontalAdvance(text) + kTextMargins);
    }
    return widest;
}

// The current cell follows the table's current row.
void DataGrid::followTable() {
    if (!m_model || m_model->rowCount() == 0)
        return;
    const int row = m_model->table().currentRow();
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() == row)
        return;
    int column = current.isValid() ? current.column() : 0;
    while (column < m_model->columnCount() && isColumnHidden(column))
        ++column;
    if (column >= m_model->columnCount())
        return;
    const QModelIndex index = m_model->index(row, column);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    scrollTo(index);
}

void DataGrid::setTag(int tag) {
    m_tag = tag;
    viewport()->update();
}

void DataGrid::setRowIndicator(bool shown) { verticalHeader()->setVisible(shown); }

bool DataGrid::hasRowIndicator() const { return !verticalHeader()->isHidden(); }

DataGrid::Colors DataGrid::cellColors(const QModelIndex &index) const {
    const ResultTable &table = m_model->table();
    const int kind = table.findField(StudySchema::kTipoRegistro);
    const bool total = kind >= 0 && table.asInteger(index.row(), kind) == m_result.totalKind();
    const bool marked = m_tag > 0 && index.column() == m_tag;
    return {CellColors::brush(total, index.row() + 1, marked), CellColors::text(index == currentIndex())};
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent *event) {
    QTableView::mouseDoubleClickEvent(event);
    emit dblClick();
}
