#include "ui/table/table_area.h"

#include "base/data/scope_guard.h"
#include "base/table/result_table.h"
#include "base/table/topic_code.h"
#include "ui/table/data_grid.h"
#include "ui/table/group_header_view.h"
#include "ui/table/result_table_model.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr int kFrozenWidth = 161;
// The progress gauge repaints at most this often, about the pace of a film.
constexpr qint64 kGaugeRepaintMs = 40;
} // namespace

TableArea::TableArea(Database &database, QWidget *parent)
    : QWidget(parent), m_run(database), m_model(new ResultTableModel(m_run.cdsDados(), this)),
      m_grids(new QWidget(this)), m_dbgDados(new DataGrid(true, m_run.result(), m_grids)),
      m_dbgDados2(new DataGrid(false, m_run.result(), m_grids)) {
    buildPanels();

    m_dbgDados->setTableModel(m_model);
    connect(m_dbgDados->titles(), &GroupHeaderView::titleClicked, this, &TableArea::dbgDadosTitleClick);
    connect(m_dbgDados, &DataGrid::dblClick, this, &TableArea::dbgDadosDblClick);
    connect(&m_run.cdsDados(), &ResultTable::afterScroll, this, &TableArea::cdsDadosAfterScroll);
    connect(&m_run.cdsDados(), &ResultTable::afterClose, this, &TableArea::cdsDadosAfterClose);
    // The frozen grid takes no input: it scrolls with the main grid.
    connect(m_dbgDados->verticalScrollBar(), &QScrollBar::valueChanged, m_dbgDados2->verticalScrollBar(),
            &QScrollBar::setValue);
}

// The grids and their model read the result table, which the query run
// holds as a member: they go first, before the members do.
TableArea::~TableArea() {
    delete m_grids;
    delete m_model;
}

void TableArea::buildPanels() {
    m_dbgDados->setObjectName(QStringLiteral("dbgDados"));
    m_dbgDados2->setObjectName(QStringLiteral("dbgDados2"));
    m_dbgDados2->setFixedWidth(kFrozenWidth);
    m_dbgDados2->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_dbgDados2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_dbgDados2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Disabled, it still shows its cells in their normal colours.
    QPalette frozen = m_dbgDados2->palette();
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::Base, QPalette::Button,
                            QPalette::ButtonText, QPalette::Window})
        frozen.setColor(QPalette::Disabled, role, frozen.color(QPalette::Active, role));
    m_dbgDados2->setPalette(frozen);
    m_dbgDados2->setEnabled(false);
    m_dbgDados2->hide();

    auto *grids = new QHBoxLayout(m_grids);
    grids->setContentsMargins(0, 0, 0, 0);
    grids->setSpacing(0);
    grids->addWidget(m_dbgDados2);
    grids->addWidget(m_dbgDados);

    m_pnlGauge = new QFrame(this);
    m_pnlGauge->setObjectName(QStringLiteral("pnlGauge"));
    m_gauRegistro = new QProgressBar(m_pnlGauge);
    m_gauRegistro->setObjectName(QStringLiteral("gauRegistro"));
    auto *gauge = new QHBoxLayout(m_pnlGauge);
    gauge->setContentsMargins(4, 2, 4, 2);
    gauge->addWidget(m_gauRegistro);
    m_pnlGauge->hide();

    m_pnlNota1 = new QFrame(this);
    m_pnlNota1->setObjectName(QStringLiteral("pnlNota1"));
    auto *caption = new QLabel(QStringLiteral(" Nota(s):"), m_pnlNota1);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    m_lblNota20000 = new QLabel(TopicNotes::kNota20000, m_pnlNota1);
    m_lblNota20000->setObjectName(QStringLiteral("lblNota20000"));
    auto *notes1 = new QHBoxLayout(m_pnlNota1);
    notes1->setContentsMargins(2, 1, 2, 1);
    notes1->addWidget(caption);
    notes1->addWidget(m_lblNota20000, 1);
    m_pnlNota1->hide();

    m_pnlNota = new QFrame(this);
    m_pnlNota->setObjectName(QStringLiteral("pnlNota"));
    m_memNota = new QPlainTextEdit(m_pnlNota);
    m_memNota->setObjectName(QStringLiteral("memNota"));
    m_memNota->setReadOnly(true);
    m_memNota->setFrameShape(QFrame::NoFrame);
    auto *notes = new QVBoxLayout(m_pnlNota);
    notes->setContentsMargins(0, 0, 0, 0);
    notes->addWidget(m_memNota);
    m_pnlNota->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_grids, 1);
    layout->addWidget(m_pnlGauge);
    layout->addWidget(m_pnlNota1);
    layout->addWidget(m_pnlNota);
}

void TableArea::setEmptyPanel(QWidget *pnlSemDados) {
    m_pnlSemDados = pnlSemDados;
    setEmptyShown(true);
}

void TableArea::setEmptyShown(bool shown) {
    if (m_pnlSemDados)
        m_pnlSemDados->setVisible(shown);
    m_grids->setVisible(!shown);
    // Without grids the area keeps just the height of its notes and leaves
    // the rest to the empty-state panel beside it.
    setSizePolicy(QSizePolicy::Preferred, shown ? QSizePolicy::Maximum : QSizePolicy::Expanding);
}

void TableArea::closeResult() {
    m_run.cdsDados().close();
    setEmptyShown(true);
    m_pnlNota1->hide();
    m_pnlNota->hide();
}

void TableArea::closeQueries() { m_run.close(); }

void TableArea::MontaDados(const QString &topic, const SelectionState &selection) {
    setEmptyShown(false);
    if (m_pnlSemDados)
        m_pnlSemDados->repaint();
    if (m_host.showGrouping)
        m_host.showGrouping(!TopicCode::isMunicipalityList(topic));

    bool cursorSet = false;
    ScopeGuard cleanup([&] {
        setEmptyShown(result().cdsDados().isEmpty());
        m_pnlGauge->hide();
        if (cursorSet)
            QApplication::restoreOverrideCursor();
    });

    TableRun::Hooks hooks;
    hooks.started = [&] {
        m_dbgDados2->hide();
        m_dbgDados2->setTableModel(nullptr);
        if (m_host.showDataSection)
            m_host.showDataSection();
        m_pnlGauge->show();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorSet = true;
    };
    QElapsedTimer sinceRepaint;
    hooks.progress.start = [this, &sinceRepaint](int maximum) {
        m_gauRegistro->setMaximum(qMax(maximum, 1));
        m_gauRegistro->setValue(0);
        m_gauRegistro->repaint();
        sinceRepaint.start();
    };
    // Each new value repaints the bar at once, and a repaint costs more than
    // a hundred rows: the value moves by a hundredth of the bar at least (the
    // percentage it shows) and no more often than the eye follows, and to
    // the end.
    hooks.progress.step = [this, &sinceRepaint](int position) {
        const int maximum = m_gauRegistro->maximum();
        if (position >= maximum ||
            (position - m_gauRegistro->value() >= qMax(1, maximum / 100) && sinceRepaint.elapsed() >= kGaugeRepaintMs)) {
            m_gauRegistro->setValue(position);
            sinceRepaint.start();
        }
    };

    if (!m_run.run(topic, selection, hooks)) {
        if (m_host.enableFilters)
            m_host.enableFilters();
        return;
    }
    showNotes(result().notes());
}

void TableArea::showNotes(const TopicNotes &notes) {
    m_memNota->setPlainText(notes.lines.join(QLatin1Char('\n')));
    m_pnlNota1->hide();
    m_pnlNota->setVisible(notes.notaVisible);
    if (notes.notaVisible)
        m_pnlNota->setFixedHeight(notes.notaHeight);
    m_lblNota20000->setVisible(notes.nota20000Visible);
    m_pnlNota1->setVisible(notes.nota1Visible);
}

void TableArea::dbgDadosTitleClick(int column) {
    if (result().isMunicipalityList())
        return;
    const ResultField &field = m_model->field(column);
    if (field.isNumeric())
        markColumn(column, field.name(), field.fullName());
}

void TableArea::markColumn(int column, const QString &name, const QString &fullName) {
    m_run.markColumn(column, name, fullName);
    m_dbgDados->setTag(result().mark().tag);
    emit markChanged();
}

void TableArea::dbgDadosDblClick() {
    if (result().cdsDados().isEmpty() || result().isMunicipalityList())
        return;
    if (m_dbgDados2->isHidden()) {
        int width = 0;
        for (int c = 0; c < m_model->columnCount() && m_model->field(c).kind() == FieldKind::Text; ++c) {
            width += m_dbgDados->columnWidth(c);
            m_dbgDados->setColumnHidden(c, true);
        }
        if (width > 0) {
            m_dbgDados2->setFixedWidth(width + 30);
            m_dbgDados2->setTableModel(m_model);
            m_dbgDados2->show();
            m_dbgDados2->verticalScrollBar()->setValue(m_dbgDados->verticalScrollBar()->value());
            m_dbgDados->setRowIndicator(false);
        }
    } else {
        for (int c = 0; c < m_model->columnCount() && m_model->field(c).kind() == FieldKind::Text; ++c)
            m_dbgDados->setColumnHidden(c, false);
        unfreeze();
    }
}

void TableArea::unfreeze() {
    m_dbgDados2->setTableModel(nullptr);
    m_dbgDados2->hide();
    m_dbgDados->setRowIndicator(true);
}

void TableArea::cdsDadosAfterScroll() {
    if (!m_dbgDados2->isHidden())
        m_dbgDados2->viewport()->update();
}

void TableArea::cdsDadosAfterClose() {
    unfreeze();
    m_run.clearMark();
    m_dbgDados->setTag(0);
    m_run.closeNotes();
    m_memNota->clear();
    emit markChanged();
}
