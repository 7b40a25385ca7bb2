#include "ui/selection/filter_panel.h"

#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/data/scope_guard.h"
#include "base/data/study_schema.h"
#include "base/selection/territory_statements.h"
#include "core/drawing/color_number.h"
#include "core/drawing/program_colors.h"
#include "ui/selection/drop_down_style.h"
#include "ui/selection/lookup_list.h"
#include "ui/selection/number_edit.h"
#include "ui/selection/sel_municipio_frm.h"
#include "ui/selection/titled_group_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {

const qint64 kPanelColour = 12299430;
const qint64 kGroupingColour = 7715583;
// Municipalities below this urban population are only offered inside a
// metropolitan region; the band never starts below it.
const qint64 kSmallTownLimit = 20000;

QLabel *newLabel(const QString &text, const QString &name, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

LookupList *newLookup(const QString &name, Query *query, const QString &keyField, const QString &toolTip,
                      QWidget *parent) {
    auto *list = new LookupList(parent);
    list->setObjectName(name);
    list->setQuery(query, keyField);
    list->setToolTip(toolTip);
    list->setMinimumWidth(150);
    return list;
}

NumberEdit *newBandEdit(const QString &name, const QString &toolTip, QWidget *parent) {
    auto *edit = new NumberEdit(parent);
    edit->setObjectName(name);
    edit->setToolTip(toolTip);
    edit->setFixedWidth(edit->sizeHint().width());
    return edit;
}

void reopen(Query &query, const QStringList &lines) {
    query.close();
    query.sql() = lines;
    query.open();
}

void setAllEnabled(std::initializer_list<QWidget *> widgets, bool enabled) {
    for (QWidget *widget : widgets)
        widget->setEnabled(enabled);
}

// Micro-region and metropolitan-region names run long: their columns get
// the widths of the wide drop-down.
void setListWidths(Query &query) {
    query.fieldByName(StudySchema::kSigla).setDisplayWidth(8);
    query.fieldByName(StudySchema::kDescricao).setDisplayWidth(40);
}

} // namespace

FilterPanel::FilterPanel(Database &database, QWidget *parent)
    : QWidget(parent), m_qRegiao(new Query(database, QStringLiteral("qRegiao"), TerritoryStatements::regions(), this)),
      m_qUF(new Query(database, QStringLiteral("qUF"), TerritoryStatements::statesAtStart(), this)),
      m_qMicroReg(new Query(database, QStringLiteral("qMicroReg"), TerritoryStatements::microRegionsAtStart(), this)),
      m_qRegMetrop(new Query(database, QStringLiteral("qRegMetrop"), TerritoryStatements::metroRegionsAtStart(), this)),
      m_qMunicipio(
          new Query(database, QStringLiteral("qMunicipio"), TerritoryStatements::municipalitiesAtStart(), this)) {
    buildControls();
    connectHandlers();
}

void FilterPanel::buildControls() {
    setPanelColour();
    auto *group =
        new TitledGroupBox(QStringLiteral("|  Opções de Seleção dos Dados  |"),
                           QStringLiteral("  Opções de Seleção dos Dados  "), QStringLiteral("Label13"), this);
    // The controls are made in the order the focus moves through them.
    buildTerritoryLists(group);
    QLayout *band = buildPopulationBand(group);
    QLayout *municipality = buildMunicipalityPicker(group);
    buildGroupingList(group);
    layOutGroup(group, band, municipality);
    buildSearchButton();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(group, 1);
    layout->addWidget(m_btnPesquisar);
}

void FilterPanel::setPanelColour() {
    setAutoFillBackground(true);
    QPalette panelPalette = palette();
    panelPalette.setColor(QPalette::Window, ColorNumber::toColor(kPanelColour));
    setPalette(panelPalette);
}

// The four territory lists above the municipality, each with its caption.
void FilterPanel::buildTerritoryLists(QWidget *group) {
    m_lblRegiao = newLabel(QStringLiteral("Região:"), QStringLiteral("lblRegiao"), group);
    m_lckRegiao = newLookup(QStringLiteral("lckRegiao"), m_qRegiao, StudySchema::kRegiao,
                            QStringLiteral("Informe aqui a [Região] que deseja consultar."), group);
    m_lblUF = newLabel(QStringLiteral("U. F.:"), QStringLiteral("lblUF"), group);
    m_lckUF = newLookup(QStringLiteral("lckUF"), m_qUF, StudySchema::kUnidadeFederativa,
                        QStringLiteral("Informe aqui a [Unidade Federativa] que deseja consultar."), group);
    m_lblMicroReg = newLabel(QStringLiteral("Microrregião:"), QStringLiteral("lblMicroReg"), group);
    m_lckMicroReg = newLookup(QStringLiteral("lckMicroReg"), m_qMicroReg, StudySchema::kMicroRegiao,
                              QStringLiteral("Informe aqui a [Microregião] que deseja consultar."), group);
    m_lckMicroReg->setDropDownWidth(220);
    m_lblRegMetrop = newLabel(QStringLiteral("R.Metropolitana:"), QStringLiteral("lblRegMetrop"), group);
    m_lckRegMetrop = newLookup(QStringLiteral("lckRegMetrop"), m_qRegMetrop, StudySchema::kRegiaoMetropolitana,
                               QStringLiteral("Informe aqui a [Região Metropolitana] que deseja consultar."), group);
    m_lckRegMetrop->setDropDownWidth(220, true);
}

// The caption and the two edits of the urban-population band; returns the
// row that holds the edits.
QLayout *FilterPanel::buildPopulationBand(QWidget *group) {
    m_lblPopulacao = newLabel(QStringLiteral("Populacão:"), QStringLiteral("lblPopulacao"), group);
    m_edtFaixaInicial = newBandEdit(
        QStringLiteral("edtFaixaInicial"),
        QStringLiteral("Informe aqui o limite inferior da faixa de população urbana das cidades que deseja consultar. "
                       "\nSó podem ser selecionadas cidades com 20 mil ou mais habitantes urbanos."),
        group);
    auto *label15 = new QLabel(QStringLiteral("a"), group);
    label15->setObjectName(QStringLiteral("Label15"));
    m_edtFaixaFinal = newBandEdit(
        QStringLiteral("edtFaixaFinal"),
        QStringLiteral("Informe aqui o limite superior da faixa de população urbana das cidades que deseja consultar. "
                       "\nSó podem ser selecionadas cidades com 20 mil ou mais habitantes urbanos."),
        group);

    auto *band = new QHBoxLayout;
    band->setSpacing(4);
    band->addWidget(m_edtFaixaInicial);
    band->addWidget(label15);
    band->addWidget(m_edtFaixaFinal);
    band->addStretch();
    return band;
}

// The municipality list with its caption and the two buttons of the picker
// (the check button takes the place of the other once municipalities are
// picked); returns the row of the list and the buttons.
QLayout *FilterPanel::buildMunicipalityPicker(QWidget *group) {
    m_lblMunicipio = newLabel(QStringLiteral("Município:"), QStringLiteral("lblMunicipio"), group);
    m_lckMunicipio = newLookup(QStringLiteral("lckMunicipio"), m_qMunicipio, StudySchema::kMunicipio,
                               QStringLiteral("Informe aqui a [Município] que deseja consultar."), group);
    m_btnMunicipio = new QPushButton(QStringLiteral("---"), group);
    m_btnMunicipio->setObjectName(QStringLiteral("btnMunicipio"));
    m_btnMunicipioCheck = new QPushButton(group);
    m_btnMunicipioCheck->setObjectName(QStringLiteral("btnMunicipioCheck"));
    m_btnMunicipioCheck->setIcon(QIcon(ProgramFolder::file(QStringLiteral("Imagens/marcado.png"))));
    m_btnMunicipioCheck->hide();
    for (QPushButton *button : {m_btnMunicipio, m_btnMunicipioCheck})
        button->setFixedSize(24, m_lckMunicipio->sizeHint().height());

    auto *municipality = new QHBoxLayout;
    municipality->setSpacing(2);
    municipality->addWidget(m_lckMunicipio, 1);
    municipality->addWidget(m_btnMunicipio);
    municipality->addWidget(m_btnMunicipioCheck);
    return municipality;
}

// The grouping list in its own colours, under its navy caption.
void FilterPanel::buildGroupingList(QWidget *group) {
    m_lblAgrupar = newLabel(QStringLiteral("Agrupar os Dados por:"), QStringLiteral("lblAgrupar"), group);
    m_lblAgrupar->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    QPalette navy = m_lblAgrupar->palette();
    navy.setColor(QPalette::WindowText, ColorNumber::toColor(ProgramColors::kNavy));
    m_lblAgrupar->setPalette(navy);
    m_cbAgrupar = new QComboBox(group);
    m_cbAgrupar->setObjectName(QStringLiteral("cbAgrupar"));
    m_cbAgrupar->addItems(Grouping::texts());
    DropDownStyle::apply(m_cbAgrupar, true);
    m_cbAgrupar->setMaxVisibleItems(5);
    QPalette groupingColours = m_cbAgrupar->palette();
    groupingColours.setColor(QPalette::Button, ColorNumber::toColor(kGroupingColour));
    groupingColours.setColor(QPalette::Base, ColorNumber::toColor(kGroupingColour));
    m_cbAgrupar->setPalette(groupingColours);
    // The municipality list hides the grouping list and its caption; the
    // other controls keep their places.
    for (QWidget *widget : {static_cast<QWidget *>(m_lblAgrupar), static_cast<QWidget *>(m_cbAgrupar)}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
}

// Two columns of captioned lists, a gap, and the grouping list on the right.
void FilterPanel::layOutGroup(QWidget *group, QLayout *band, QLayout *municipality) {
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(8, 10, 8, 6);
    grid->setVerticalSpacing(4);
    grid->addWidget(m_lblRegiao, 0, 0);
    grid->addWidget(m_lckRegiao, 0, 1);
    grid->addWidget(m_lblUF, 0, 2);
    grid->addWidget(m_lckUF, 0, 3);
    grid->addWidget(m_lblMicroReg, 1, 0);
    grid->addWidget(m_lckMicroReg, 1, 1);
    grid->addWidget(m_lblRegMetrop, 1, 2);
    grid->addWidget(m_lckRegMetrop, 1, 3);
    grid->addWidget(m_lblPopulacao, 2, 0);
    grid->addLayout(band, 2, 1);
    grid->addWidget(m_lblMunicipio, 2, 2);
    grid->addLayout(municipality, 2, 3);
    grid->setColumnMinimumWidth(4, 12);
    grid->addWidget(m_lblAgrupar, 0, 5);
    grid->addWidget(m_cbAgrupar, 1, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

void FilterPanel::buildSearchButton() {
    m_btnPesquisar = new QToolButton(this);
    m_btnPesquisar->setObjectName(QStringLiteral("btnPesquisar"));
    m_btnPesquisar->setText(QStringLiteral("&Pesquisar"));
    m_btnPesquisar->setIcon(QIcon(ProgramFolder::file(QStringLiteral("Imagens/pesquisar.png"))));
    m_btnPesquisar->setIconSize(QSize(32, 32));
    m_btnPesquisar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_btnPesquisar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    m_btnPesquisar->setMinimumWidth(76);
}

void FilterPanel::connectHandlers() {
    connect(m_lckRegiao, &LookupList::picked, this, &FilterPanel::lckRegiaoClick);
    connect(m_lckUF, &LookupList::picked, this, &FilterPanel::lckUFClick);
    connect(m_lckMicroReg, &LookupList::picked, this, &FilterPanel::lckMicroRegClick);
    connect(m_lckRegMetrop, &LookupList::picked, this, &FilterPanel::lckMicroRegClick);
    connect(m_lckMunicipio, &LookupList::picked, this, &FilterPanel::lckMunicipioClick);
    connect(m_edtFaixaInicial, &NumberEdit::exited, this, [this] { edtFaixaInicialExit(m_edtFaixaInicial); });
    connect(m_edtFaixaFinal, &NumberEdit::exited, this, [this] { edtFaixaInicialExit(m_edtFaixaFinal); });
    connect(m_cbAgrupar, &QComboBox::activated, this, &FilterPanel::cbAgruparClick);
    connect(m_btnPesquisar, &QToolButton::clicked, this, &FilterPanel::btnPesquisarClick);
    connect(m_qMicroReg, &Query::afterOpen, this, &FilterPanel::qMicroRegAfterOpen);
    connect(m_qRegMetrop, &Query::afterOpen, this, &FilterPanel::qRegMetropAfterOpen);
}

void FilterPanel::setSelMunicipio(std::function<TSel_Municipio_Frm *()> picker) {
    m_picker = std::move(picker);
    connect(m_btnMunicipio, &QPushButton::clicked, this, &FilterPanel::btnMunicipioClick);
    connect(m_btnMunicipioCheck, &QPushButton::clicked, this, &FilterPanel::btnMunicipioClick);
}

void FilterPanel::openLists() {
    for (Query *query : {m_qRegiao, m_qUF, m_qMicroReg, m_qRegMetrop, m_qMunicipio})
        query->open();
    for (LookupList *list : {m_lckRegiao, m_lckUF, m_lckMicroReg, m_lckRegMetrop, m_lckMunicipio})
        list->setKey(0);
    m_cbAgrupar->setCurrentIndex(Grouping::Regiao);
}

void FilterPanel::closeQueries() {
    for (Query *query : {m_qRegiao, m_qUF, m_qMicroReg, m_qRegMetrop, m_qMunicipio})
        query->close();
}

SelectionState FilterPanel::state() const {
    SelectionState state;
    state.regiao = m_lckRegiao->key();
    state.unidadeFederativa = m_lckUF->key();
    state.microRegiao = m_lckMicroReg->key();
    state.regiaoMetropolitana = m_lckRegMetrop->key();
    state.municipio = m_lckMunicipio->key();
    state.faixaInicial = m_edtFaixaInicial->value();
    state.faixaFinal = m_edtFaixaFinal->value();
    state.agrupar = grouping();
    if (m_selMunicipio)
        state.municipiosSelecionados = m_selMunicipio->MunicipiosSelecionados();
    return state;
}

void FilterPanel::setGroupingShown(bool shown) {
    m_lblAgrupar->setVisible(shown);
    m_cbAgrupar->setVisible(shown);
}

void FilterPanel::HabilitaFiltros() {
    emit filtersChanged();
    const Grouping::Level level = grouping();
    setAllEnabled({m_lblPopulacao, m_edtFaixaInicial, m_edtFaixaFinal}, bandEnabled());
    setAllEnabled({m_lblMicroReg, m_lckMicroReg}, level == Grouping::MicroRegiao || level == Grouping::Municipio);
    setAllEnabled({m_lblRegMetrop, m_lckRegMetrop},
                  level == Grouping::RegiaoMetropolitana || level == Grouping::Municipio);
    setAllEnabled({m_lblUF, m_lckUF}, level != Grouping::Regiao);
    setAllEnabled({m_lblMunicipio, m_lckMunicipio, m_btnMunicipio}, level == Grouping::Municipio);
}

void FilterPanel::finishBandEdit() {
    m_edtFaixaInicial->finishEditing();
    m_edtFaixaFinal->finishEditing();
}

Grouping::Level FilterPanel::grouping() const { return static_cast<Grouping::Level>(m_cbAgrupar->currentIndex()); }

// The band narrows a listing of municipalities, and only while no picked
// list is in force.
bool FilterPanel::bandEnabled() const { return grouping() == Grouping::Municipio && !m_btnMunicipio->isHidden(); }

void FilterPanel::lckRegiaoClick() {
    HabilitaFiltros();
    reopen(*m_qUF, TerritoryStatements::states(m_lckRegiao->key()));
    m_lckUF->setKey(0);
    m_lckMunicipio->setKey(0);
}

void FilterPanel::lckUFClick() {
    HabilitaFiltros();
    reopen(*m_qMicroReg, TerritoryStatements::microRegions(m_lckRegiao->key(), m_lckUF->key()));
    reopen(*m_qRegMetrop, TerritoryStatements::metroRegions(m_lckRegiao->key(), m_lckUF->key()));
    for (LookupList *list : {m_lckMicroReg, m_lckRegMetrop, m_lckMunicipio})
        list->setKey(0);
    setAllEnabled({m_lblMicroReg, m_lblRegMetrop, m_lckMicroReg, m_lckRegMetrop}, true);
}

// A micro-region and a metropolitan region exclude each other: choosing one
// disables the other list until "<Todas>" is chosen again.
void FilterPanel::lckMicroRegClick() {
    HabilitaFiltros();
    setAllEnabled({m_lblMicroReg, m_lckMicroReg}, m_lckRegMetrop->key() == 0);
    setAllEnabled({m_lblRegMetrop, m_lckRegMetrop}, m_lckMicroReg->key() == 0);
    reopen(*m_qMunicipio, TerritoryStatements::municipalities(m_lckRegiao->key(), m_lckUF->key(), m_lckMicroReg->key(),
                                                              m_lckRegMetrop->key()));
    m_lckMunicipio->setKey(0);
}

// A single municipality excludes the band.
void FilterPanel::lckMunicipioClick() {
    HabilitaFiltros();
    if (m_lckMunicipio->key() == 0)
        return;
    m_edtFaixaInicial->setValue(0);
    m_edtFaixaFinal->setValue(0);
}

// The band starts at the smallest town the lists offer and excludes a single
// municipality. The bounds are not compared: an upper bound below the lower
// one simply leaves no municipality inside the band.
void FilterPanel::edtFaixaInicialExit(NumberEdit *edit) {
    HabilitaFiltros();
    if (m_edtFaixaInicial->value() < kSmallTownLimit)
        m_edtFaixaInicial->setValue(kSmallTownLimit);
    m_lckMunicipio->setKey(0);
    if (edit->value() < 0)
        edit->setValue(0);
}

void FilterPanel::cbAgruparClick() { HabilitaFiltros(); }

void FilterPanel::btnPesquisarClick() { emit searchRequested(); }

// A picked list of municipalities replaces the single municipality and the
// band. They are cleared before the search that follows a confirmed list, so
// that the search runs with the filters the panel then shows.
void FilterPanel::btnMunicipioClick() {
    if (!m_selMunicipio)
        m_selMunicipio = m_picker();
    m_selMunicipio->prepare(state());
    const bool confirmed = m_selMunicipio->exec() == QDialog::Accepted;
    if (confirmed) {
        const bool none = m_selMunicipio->MunicipiosSelecionados().isEmpty();
        m_btnMunicipio->setVisible(none);
        m_btnMunicipioCheck->setVisible(!none);
    }
    if (!m_btnMunicipioCheck->isHidden()) {
        m_lckMunicipio->setKey(0);
        m_edtFaixaInicial->setValue(0);
        m_edtFaixaFinal->setValue(0);
    }
    // The single municipality and the band are open only when no hand-picked
    // list is kept, and only at the grouping that offers them. A search with
    // no table topic re-applies the grouping rules, so this runs after it,
    // also when the search failed.
    const ScopeGuard enableAfterSearch([this] {
        m_lckMunicipio->setEnabled(!m_btnMunicipio->isHidden() && grouping() == Grouping::Municipio);
        setAllEnabled({m_lblPopulacao, m_edtFaixaInicial, m_edtFaixaFinal}, bandEnabled());
    });
    if (confirmed)
        btnPesquisarClick();
}

void FilterPanel::qMicroRegAfterOpen() { setListWidths(*m_qMicroReg); }

void FilterPanel::qRegMetropAfterOpen() { setListWidths(*m_qRegMetrop); }
