#include "ui/map/legend_grid.h"

#include "core/drawing/windows_fonts.h"
#include "core/map/legend_picture.h"
#include "core/map/map_legend.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int kFirstClassRow = 2;
constexpr int kBoundColumn = 3;

bool isClassRow(int row) { return row >= kFirstClassRow && row < LegendPicture::kRows; }

// Draws the cells as the map picture shows the legend, and edits an upper
// bound in a line edit that turns a typed "," or "." into the locale's
// decimal separator and reports every change of its text.
class LegendDelegate : public QStyledItemDelegate {
  public:
    LegendDelegate(LegendGrid &grid, const MapLegend &legend) : QStyledItemDelegate(&grid), m_grid(grid), m_legend(legend) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        painter->save();
        if (index.row() == 0) {
            painter->translate(option.rect.topLeft());
            painter->setClipRect(QRect(QPoint(0, 0), option.rect.size()));
            LegendPicture::paintTitle(*painter, option.rect.width());
        } else {
            LegendPicture::paintCell(*painter, option.rect, index.row(), index.column(), index.data().toString());
            if (option.state & QStyle::State_HasFocus && isClassRow(index.row()) && index.column() == kBoundColumn) {
                painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
                painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
            }
        }
        painter->restore();
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override {
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setFont(WindowsFonts::pixelFont(QStringLiteral("MS Sans Serif"), 11));
        const int row = index.row();
        QObject::connect(editor, &QLineEdit::textEdited, editor, [this, editor, row](const QString &text) {
            const QString typed = m_legend.typedText(text);
            if (typed != text) {
                const int cursor = editor->cursorPosition();
                editor->setText(typed);
                editor->setCursorPosition(cursor);
            }
            m_grid.stgLegendaMapaSetEditText(row, typed);
        });
        return editor;
    }

    // The grid follows the legend while a bound is typed; the editor keeps
    // its text and cursor then.
    void setEditorData(QWidget *editor, const QModelIndex &index) const override {
        auto *line = static_cast<QLineEdit *>(editor);
        const QString text = index.data().toString();
        if (line->text() != text)
            line->setText(text);
    }

  private:
    LegendGrid &m_grid;
    const MapLegend &m_legend;
};

QString areas(int count) {
    return count == 1 ? QStringLiteral("1 área") : QStringLiteral("%1 áreas").arg(count);
}

} // namespace

LegendGrid::LegendGrid(MapLegend &legend, QWidget *parent) : QTableWidget(LegendPicture::kRows, LegendPicture::kColumns, parent), m_legend(legend) {
    setObjectName(QStringLiteral("stgLegendaMapa"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setShowGrid(true);
    setAutoScroll(false);
    setStyleSheet(QStringLiteral("QTableWidget { gridline-color: rgb(160, 160, 160); background: rgb(242, 241, 238); }"));
    setFont(WindowsFonts::pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);
    setItemDelegate(new LegendDelegate(*this, legend));
    // Each section holds its cell and the grid line after it; the last ones
    // also the outer line, so the grid fills its 152 x 192 pixels. The
    // style's minimum section size would widen the narrow "a" column.
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    for (int column = 0; column < LegendPicture::kColumns; ++column)
        horizontalHeader()->resizeSection(column, LegendPicture::kColumnWidths[column] + 1 +
                                                      (column == LegendPicture::kColumns - 1 ? 1 : 0));
    for (int row = 0; row < LegendPicture::kRows; ++row)
        verticalHeader()->resizeSection(row, LegendPicture::kRowHeights[row] + 1 +
                                                 (row == LegendPicture::kRows - 1 ? 1 : 0));
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSpan(0, 0, 1, LegendPicture::kColumns);
    setFixedSize(LegendPicture::kSize);

    // The methods go in the context menu: there is no room under the grid.
    setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const ClassMethod method :
         {ClassMethod::Doubling, ClassMethod::EqualIntervals, ClassMethod::Quantiles, ClassMethod::NaturalBreaks}) {
        auto *choice = new QAction(QStringLiteral("Classes: %1").arg(ClassBreaks::menuName(method)), this);
        connect(choice, &QAction::triggered, this, [this, method] { emit classesChosen(method); });
        addAction(choice);
    }

    for (int row = 0; row < LegendPicture::kRows; ++row) {
        for (int column = 0; column < LegendPicture::kColumns; ++column) {
            auto *cell = new QTableWidgetItem;
            const bool editable = isClassRow(row) && column == kBoundColumn;
            cell->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::ItemIsEnabled);
            setItem(row, column, cell);
        }
    }
    refresh();
}

void LegendGrid::refresh() {
    for (int row = 1; row < LegendPicture::kRows; ++row)
        for (int column = 0; column < LegendPicture::kColumns; ++column)
            item(row, column)->setText(LegendPicture::cellText(m_legend, row, column));
}

void LegendGrid::setAreaCounts(const std::array<int, 9> &counts) {
    const QString none = counts[0] > 0 ? QStringLiteral("\n%1 sem classe").arg(areas(counts[0])) : QString();
    for (int row = kFirstClassRow; row < LegendPicture::kRows; ++row) {
        const QString tip = areas(counts[row - 1]) + none;
        for (int column = 0; column < LegendPicture::kColumns; ++column)
            item(row, column)->setToolTip(tip);
    }
}

void LegendGrid::clearAreaCounts() {
    for (int row = kFirstClassRow; row < LegendPicture::kRows; ++row)
        for (int column = 0; column < LegendPicture::kColumns; ++column)
            item(row, column)->setToolTip(QString());
}

void LegendGrid::stgLegendaMapaSetEditText(int row, const QString &text) {
    if (!isClassRow(row))
        return;
    m_legend.setUpper(row - 1, text);
    item(row, 3)->setText(text);
    for (int r = row; r <= std::min(row + 1, LegendPicture::kRows - 1); ++r)
        item(r, 1)->setText(LegendPicture::cellText(m_legend, r, 1));
    emit edited();
}

void LegendGrid::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState && isClassRow(currentRow())) {
        m_legend.clearClass(currentRow() - 1);
        refresh();
        return;
    }
    QTableWidget::keyPressEvent(event);
}
