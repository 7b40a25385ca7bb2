#include "ui/selection/sel_municipio_frm.h"

#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/data/study_schema.h"
#include "base/selection/territory_statements.h"
#include "core/drawing/color_number.h"
#include "core/drawing/program_colors.h"
#include "core/drawing/windows_fonts.h"
#include "ui/selection/lookup_list.h"
#include "ui/selection/titled_group_box.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QWidget *newPanel(const QString &name, int height, QWidget *parent) {
    auto *panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setFixedHeight(height);
    return panel;
}

} // namespace

TSel_Municipio_Frm::TSel_Municipio_Frm(Database &database, QWidget *parent)
    : QDialog(parent),
      m_qUF(new Query(database, QStringLiteral("qUF"), TerritoryStatements::pickerStatesAtStart(), this)),
      m_qMunicipio(
          new Query(database, QStringLiteral("qMunicipio"), TerritoryStatements::pickerMunicipalitiesAtStart(), this)) {
    setObjectName(QStringLiteral("Sel_Municipio_Frm"));
    setWindowTitle(QStringLiteral("Seleção dos Municípios"));
    setFixedSize(245, 321);
    setAutoFillBackground(true);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, ColorNumber::toColor(ProgramColors::kFrame));
    setPalette(windowPalette);
    setFont(WindowsFonts::pixelFont(QStringLiteral("MS Sans Serif"), 11));
    buildControls();
}

void TSel_Municipio_Frm::buildControls() {
    QWidget *panel1 = newPanel(QStringLiteral("Panel1"), 72, this);
    auto *label9 = new QLabel(QStringLiteral("U. F.:"), panel1);
    label9->setObjectName(QStringLiteral("Label9"));
    m_lckUF = new LookupList(panel1);
    m_lckUF->setObjectName(QStringLiteral("lckUF"));
    m_lckUF->setQuery(m_qUF, StudySchema::kUnidadeFederativa);
    auto *gbMunicipio = new TitledGroupBox(QStringLiteral("| Municípios   |"), QStringLiteral("  Municípios  "),
                                           QStringLiteral("Label13"), panel1);
    gbMunicipio->setObjectName(QStringLiteral("gbMunicipio"));
    m_rbSelecionar = new QRadioButton(QStringLiteral("Selecionar/Retirar"), gbMunicipio);
    m_rbSelecionar->setObjectName(QStringLiteral("rbSelecionar"));
    m_rbSelecionar->setChecked(true);
    m_rbVer = new QRadioButton(QStringLiteral("Ver Selecionados"), gbMunicipio);
    m_rbVer->setObjectName(QStringLiteral("rbVer"));

    auto *stateRow = new QHBoxLayout;
    stateRow->addWidget(label9);
    stateRow->addWidget(m_lckUF, 1);
    // The two captions do not fit side by side in the window's width: the
    // buttons stand one above the other, each caption whole, and the top
    // panel grows to hold them.
    auto *radios = new QVBoxLayout(gbMunicipio);
    radios->setContentsMargins(2, 10, 0, 1);
    radios->setSpacing(0);
    radios->addWidget(m_rbSelecionar, 0, Qt::AlignLeft);
    radios->addWidget(m_rbVer, 0, Qt::AlignLeft);
    auto *top = new QVBoxLayout(panel1);
    top->setContentsMargins(1, 4, 1, 0);
    top->setSpacing(2);
    top->addLayout(stateRow);
    top->addWidget(gbMunicipio);
    panel1->setFixedHeight(qMax(panel1->height(), top->minimumSize().height()));

    m_clbSelMunicipio = new QListWidget(this);
    m_clbSelMunicipio->setObjectName(QStringLiteral("clbSelMunicipio"));
    m_lbVerMunicipio = new QListWidget(this);
    m_lbVerMunicipio->setObjectName(QStringLiteral("lbVerMunicipio"));
    m_lbVerMunicipio->hide();

    QWidget *panel2 = newPanel(QStringLiteral("Panel2"), 27, this);
    auto *btnLimparSelecao = new QPushButton(QStringLiteral("&Limpar Seleção"), panel2);
    btnLimparSelecao->setObjectName(QStringLiteral("btnLimparSelecao"));
    btnLimparSelecao->setIcon(QIcon(ProgramFolder::file(QStringLiteral("Imagens/limpar_selecao.png"))));
    btnLimparSelecao->setAutoDefault(false);
    auto *btnOk = new QPushButton(QStringLiteral("&Ok"), panel2);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setAutoDefault(false);
    auto *bottom = new QHBoxLayout(panel2);
    bottom->setContentsMargins(2, 1, 2, 1);
    bottom->addWidget(btnLimparSelecao);
    bottom->addStretch();
    bottom->addWidget(btnOk);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(panel1);
    layout->addWidget(m_clbSelMunicipio, 1);
    layout->addWidget(m_lbVerMunicipio, 1);
    layout->addWidget(panel2);

    connect(m_lckUF, &LookupList::picked, this, &TSel_Municipio_Frm::lckUFClick);
    connect(m_clbSelMunicipio, &QListWidget::itemChanged, this, &TSel_Municipio_Frm::clbSelMunicipioClickCheck);
    connect(btnLimparSelecao, &QPushButton::clicked, this, &TSel_Municipio_Frm::btnLimparSelecaoClick);
    connect(m_rbSelecionar, &QRadioButton::clicked, this, &TSel_Municipio_Frm::rbSelecionarClick);
    connect(m_rbVer, &QRadioButton::clicked, this, &TSel_Municipio_Frm::rbSelecionarClick);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TSel_Municipio_Frm::prepare(const SelectionState &panel) {
    m_panel = panel;
    m_qUF->close();
    m_qUF->sql() = TerritoryStatements::pickerStates(panel.regiao);
    if (panel.unidadeFederativa > 0)
        m_lckUF->setKey(panel.unidadeFederativa);
    m_lckUF->setEnabled(panel.unidadeFederativa == 0);
}

void TSel_Municipio_Frm::closeQueries() {
    m_qUF->close();
    m_qMunicipio->close();
}

void TSel_Municipio_Frm::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TSel_Municipio_Frm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    move(screen()->availableGeometry().center() - rect().center());
    FormShow();
}

// A state that the list no longer holds (the panel's region changed) gives
// way to the first state by name.
void TSel_Municipio_Frm::FormShow() {
    m_qUF->open();
    m_qMunicipio->open();
    if (m_lckUF->currentText().trimmed().isEmpty())
        m_lckUF->setKey(static_cast<int>(m_qUF->fieldByName(StudySchema::kUnidadeFederativa).asInteger()));
    lckUFClick();
}

void TSel_Municipio_Frm::FormClose() { closeQueries(); }

void TSel_Municipio_Frm::lckUFClick() {
    const QSignalBlocker blocker(m_clbSelMunicipio);
    m_clbSelMunicipio->clear();
    m_codigosMunicipio.clear();
    m_rbSelecionar->setChecked(true);
    rbSelecionarClick();

    m_qMunicipio->close();
    m_qMunicipio->sql() = TerritoryStatements::pickerMunicipalities(
        m_panel.unidadeFederativa, m_panel.microRegiao, m_panel.regiaoMetropolitana, m_lckUF->key());
    m_qMunicipio->open();

    const QString sigla = stateSigla();
    for (m_qMunicipio->first(); !m_qMunicipio->eof(); m_qMunicipio->next()) {
        const QString name = m_qMunicipio->fieldByName(StudySchema::kDescricao).asString();
        auto *item = new QListWidgetItem(name, m_clbSelMunicipio);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(m_pick.isTicked(name, sigla) ? Qt::Checked : Qt::Unchecked);
        m_codigosMunicipio << m_qMunicipio->fieldByName(StudySchema::kMunicipio).asString();
    }
}

void TSel_Municipio_Frm::clbSelMunicipioClickCheck(QListWidgetItem *item) {
    const QString name = item->text();
    const QString code = m_codigosMunicipio.value(m_clbSelMunicipio->row(item));
    if (item->checkState() == Qt::Checked)
        m_pick.tick(name, code, stateSigla());
    else
        m_pick.untick(name, code, stateSigla());
    showSelection();
}

void TSel_Municipio_Frm::btnLimparSelecaoClick() {
    m_pick.clear();
    showSelection();
    const QSignalBlocker blocker(m_clbSelMunicipio);
    for (int row = 0; row < m_clbSelMunicipio->count(); ++row)
        m_clbSelMunicipio->item(row)->setCheckState(Qt::Unchecked);
}

void TSel_Municipio_Frm::rbSelecionarClick() {
    m_clbSelMunicipio->setVisible(m_rbSelecionar->isChecked());
    m_lbVerMunicipio->setVisible(!m_rbSelecionar->isChecked());
}

QString TSel_Municipio_Frm::stateSigla() const { return m_lckUF->fieldValue(StudySchema::kSigla).toString(); }

void TSel_Municipio_Frm::showSelection() {
    m_lbVerMunicipio->clear();
    m_lbVerMunicipio->addItems(m_pick.view());
}
