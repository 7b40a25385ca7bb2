#include "ui/table/data_page.h"

#include "base/data/scope_guard.h"
#include "core/drawing/windows_fonts.h"
#include "ui/selection/filter_panel.h"
#include "ui/table/data_grid.h"
#include "ui/table/result_table_model.h"
#include "ui/table/table_area.h"
#include "ui/table/table_clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kTitleBarHeight = 21;
constexpr int kLongTitle = 70;

QWidget *panel(const char *name, QWidget *parent) {
    auto *widget = new QWidget(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

DataPage::DataPage(Database &database, QWidget *parent) : MainPage(parent) {
    setObjectName(QStringLiteral("pgDados"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTitle());
    layout->addWidget(buildFilters(database));
    layout->addWidget(buildTable(database), 1);

    // A change of filters closes the result until the next search.
    connect(m_filters, &FilterPanel::filtersChanged, m_table, &TableArea::closeResult);
    m_table->setHost({[this] { m_filters->HabilitaFiltros(); }, [this] { emit dataSectionRequested(); },
                      [this](bool shown) { m_filters->setGroupingShown(shown); }});

    // The whole table as the grid shows it, whatever cell is current.
    setCopy([this] {
        if (const ResultTableModel *model = m_table->dbgDados()->tableModel())
            QApplication::clipboard()->setMimeData(TableClipboard::mimeData(TableClipboard::of(model->table())));
    });
    setViewMenu(m_table->dbgDados());
    setViewMenu(m_table->dbgDados2());
}

QWidget *DataPage::buildTitle() {
    m_pnlTituloDados = new QLabel(this);
    m_pnlTituloDados->setObjectName(QStringLiteral("pnlTituloDados"));
    m_pnlTituloDados->setFixedHeight(kTitleBarHeight);
    m_pnlTituloDados->setAlignment(Qt::AlignCenter);
    m_pnlTituloDados->setAutoFillBackground(true);
    QPalette titleColours = m_pnlTituloDados->palette();
    titleColours.setColor(QPalette::Window, QColor(96, 104, 128));
    titleColours.setColor(QPalette::WindowText, Qt::white);
    m_pnlTituloDados->setPalette(titleColours);
    QFont titleFont = WindowsFonts::pointFont(QStringLiteral("MS Sans Serif"), 10);
    titleFont.setBold(true);
    m_pnlTituloDados->setFont(titleFont);
    return m_pnlTituloDados;
}

QWidget *DataPage::buildFilters(Database &database) {
    QWidget *filters = panel("pnlFiltros", this);
    auto *layout = new QVBoxLayout(filters);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_filters = new FilterPanel(database, filters);
    layout->addWidget(m_filters);
    return filters;
}

// The grids, the progress gauge and the notes go into this container,
// beside the empty-state panel.
QWidget *DataPage::buildTable(Database &database) {
    QWidget *table = panel("pnlTabela", this);
    auto *layout = new QVBoxLayout(table);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *empty = new QLabel(QStringLiteral("Escolha o item a consultar na lista à esquerda ...... \n"
                                            "Ou clique no botão Pesquisar."),
                             table);
    empty->setObjectName(QStringLiteral("pnlSemDados"));
    empty->setAlignment(Qt::AlignCenter);
    empty->setFrameShape(QFrame::StyledPanel);
    empty->setFrameShadow(QFrame::Sunken);
    empty->setAutoFillBackground(true);
    QPalette emptyColours = empty->palette();
    emptyColours.setColor(QPalette::Window, QColor(246, 247, 250));
    emptyColours.setColor(QPalette::WindowText, QColor(70, 78, 96));
    empty->setPalette(emptyColours);
    QFont emptyFont = WindowsFonts::pointFont(QStringLiteral("MS Sans Serif"), 10);
    emptyFont.setBold(true);
    empty->setFont(emptyFont);
    layout->addWidget(empty, 1);

    m_table = new TableArea(database, table);
    m_table->setEmptyPanel(empty);
    layout->addWidget(m_table);
    return table;
}

const CurrentResult &DataPage::result() const { return m_table->result(); }

void DataPage::setTitle(const QString &title) {
    QFont font = m_pnlTituloDados->font();
    font.setPointSize(title.size() > kLongTitle ? 8 : 10);
    m_pnlTituloDados->setFont(font);
    m_pnlTituloDados->setText(title);
}

void DataPage::MontaDados(const QString &topic) {
    m_filters->finishBandEdit();
    m_table->MontaDados(topic, m_filters->state());
}

void DataPage::clear() {
    m_filters->closeQueries();
    m_table->closeQueries();
}
