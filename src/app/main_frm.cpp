#include "main_frm.h"

#include "app/main_header.h"
#include "app/topic_tree.h"
#include "app/tree_index.h"
#include "data/color_number.h"
#include "data/program_folder.h"
#include "data/query.h"
#include "data/scope_guard.h"
#include "data/text_utils.h"
#include "extras/arquivos_anexos_frm.h"
#include "extras/balloon_tip.h"
#include "extras/click_label.h"
#include "extras/image_button.h"
#include "extras/help_window.h"
#include "extras/picture_files.h"
#include "extras/sobre_frm.h"
#include "extras/windows_fonts.h"
#include "selection/filter_panel.h"
#include "selection/sel_municipio_frm.h"
#include "table/result_table.h"
#include "table/table_area.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Section { Dados, Mapa, Grafico, Anexos, Exportar, Ajuda, Sobre, Sair };
enum Page { PageDados = 0, PageMapa = 1, PageGrafico = 2 };

constexpr int kTopicPanelWidth = 169;
constexpr int kTopicStripWidth = 2;
constexpr int kTitleBarHeight = 21;
constexpr int kLongTitle = 70;
constexpr int kHelpContext = 1;
// The node expanded after the first one at start-up, counted after the
// first expansion: the second top-level topic of the study.
constexpr int kSecondExpandedNode = 13;

const QColor kHighlight = ColorNumber::toColor(128); // maroon

QWidget *panel(const char *name, QWidget *parent) {
    auto *widget = new QWidget(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

void informa(QWidget *parent, const QString &text) {
    QMessageBox::information(parent, QStringLiteral("Solvane"), text, QMessageBox::Ok);
}

} // namespace

TMain_Frm::TMain_Frm(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Main_Frm"));
    setWindowTitle(QStringLiteral("Solvane"));
    setAttribute(Qt::WA_DeleteOnClose);
    qNivelInf = new Query(m_dbSolvane, this);
    qNivelInf->setObjectName(QStringLiteral("qNivelInf"));
    montaJanela();
    FormCreate();
}

TMain_Frm::~TMain_Frm() = default;

// ---------------------------------------------------------------- layout

void TMain_Frm::montaJanela() {
    auto *central = new QWidget(this);
    QPalette background = central->palette();
    background.setColor(QPalette::Window, ColorNumber::toColor(14011334));
    central->setPalette(background);
    central->setAutoFillBackground(true);
    setCentralWidget(central);

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Chart2 = new MainHeader(central);
    layout->addWidget(Chart2);
    for (int section = 0; section < MainHeader::kSectionCount; ++section) {
        connect(Chart2->button(section), &QAbstractButton::clicked, this, &TMain_Frm::btnDadosClick);
        connect(Chart2->label(section), &ClickLabel::clicked, this, &TMain_Frm::btnDadosClick);
    }

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setOpaqueResize(false);
    Splitter1->setHandleWidth(4);
    Splitter1->addWidget(criaPainelTopicos());

    nbPrincipal = new QStackedWidget(Splitter1);
    nbPrincipal->setObjectName(QStringLiteral("nbPrincipal"));
    nbPrincipal->addWidget(criaPaginaDados());
    nbPrincipal->addWidget(panel("pgMapa", nbPrincipal));
    nbPrincipal->addWidget(panel("pgGrafico", nbPrincipal));
    Splitter1->addWidget(nbPrincipal);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kTopicPanelWidth, 1000});
    QSplitterHandle *handle = Splitter1->handle(1);
    QPalette handlePalette = handle->palette();
    handlePalette.setColor(QPalette::Window, ColorNumber::toColor(13550269));
    handle->setPalette(handlePalette);
    handle->setAutoFillBackground(true);
    layout->addWidget(Splitter1, 1);
    connect(nbPrincipal, &QStackedWidget::currentChanged, this, &TMain_Frm::nbPrincipalPageChanged);

    // The twin tree of codes is never shown.
    tvIDOpcoes = new QTreeWidget(central);
    tvIDOpcoes->setObjectName(QStringLiteral("tvIDOpcoes"));
    tvIDOpcoes->hide();

    m_topicTree = std::make_unique<TopicTree>(*tvOpcoes, *tvIDOpcoes, *qNivelInf);
    m_topicTree->setImageList({QIcon(PictureFiles::load(QStringLiteral("arvore_topico_fechado.png"))),
                               QIcon(PictureFiles::load(QStringLiteral("arvore_topico_aberto.png"))),
                               QIcon(PictureFiles::load(QStringLiteral("arvore_tabela.png")))});

    // F1 anywhere in the window opens help at the window's context.
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { HelpWindow::showContext(kHelpContext, this); });
}

QWidget *TMain_Frm::criaPainelTopicos() {
    pnlTopicos = panel("pnlTopicos", nullptr);
    // The panel may be dragged as narrow as the strip it keeps when shut.
    pnlTopicos->setMinimumWidth(kTopicStripWidth);
    pnlTopicos->installEventFilter(this);
    auto *layout = new QVBoxLayout(pnlTopicos);
    layout->setContentsMargins(0, 0, 0, 0);

    tvOpcoes = new QTreeWidget(pnlTopicos);
    tvOpcoes->setObjectName(QStringLiteral("tvOpcoes"));
    tvOpcoes->setHeaderHidden(true);
    tvOpcoes->setColumnCount(1);
    tvOpcoes->setIndentation(19);
    tvOpcoes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvOpcoes->setSelectionBehavior(QAbstractItemView::SelectRows);
    tvOpcoes->setSelectionMode(QAbstractItemView::SingleSelection);
    tvOpcoes->setAllColumnsShowFocus(true);
    // Long titles stay whole; the tree scrolls sideways instead.
    tvOpcoes->setTextElideMode(Qt::ElideNone);
    tvOpcoes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tvOpcoes->header()->setStretchLastSection(false);
    tvOpcoes->setFont(WindowsFonts::pixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette colours = tvOpcoes->palette();
    colours.setColor(QPalette::Base, ColorNumber::toColor(14934495));
    // The chosen topic stays marked when the tree loses the focus.
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    tvOpcoes->setPalette(colours);
    layout->addWidget(tvOpcoes);

    connect(tvOpcoes, &QTreeWidget::itemExpanded, this, &TMain_Frm::tvOpcoesExpanding);
    connect(tvOpcoes, &QTreeWidget::itemCollapsed, this, &TMain_Frm::tvOpcoesCollapsing);
    // Selection, not the current item: focusing the tree makes its first
    // node current without choosing it.
    connect(tvOpcoes, &QTreeWidget::itemSelectionChanged, this, [this] {
        const auto selected = tvOpcoes->selectedItems();
        if (!selected.isEmpty())
            tvOpcoesChanging(selected.first());
    });
    return pnlTopicos;
}

QWidget *TMain_Frm::criaPaginaDados() {
    QWidget *page = panel("pgDados", nullptr);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    pnlTituloDados = new QLabel(page);
    pnlTituloDados->setObjectName(QStringLiteral("pnlTituloDados"));
    pnlTituloDados->setFixedHeight(kTitleBarHeight);
    pnlTituloDados->setAlignment(Qt::AlignCenter);
    pnlTituloDados->setAutoFillBackground(true);
    QPalette titleColours = pnlTituloDados->palette();
    titleColours.setColor(QPalette::Window, QColor(96, 104, 128));
    titleColours.setColor(QPalette::WindowText, Qt::white);
    pnlTituloDados->setPalette(titleColours);
    QFont titleFont = WindowsFonts::pointFont(QStringLiteral("MS Sans Serif"), 10);
    titleFont.setBold(true);
    pnlTituloDados->setFont(titleFont);
    layout->addWidget(pnlTituloDados);

    QWidget *filters = panel("pnlFiltros", page);
    auto *filtersLayout = new QVBoxLayout(filters);
    filtersLayout->setContentsMargins(0, 0, 0, 0);
    filtersLayout->setSpacing(0);
    m_filtros = new FilterPanel(m_dbSolvane, filters);
    filtersLayout->addWidget(m_filtros);
    // A change of filters closes the result; the search runs the topic.
    connect(m_filtros, &FilterPanel::filtersChanged, this, &TMain_Frm::FechaResultado);
    connect(m_filtros, &FilterPanel::searchRequested, this, &TMain_Frm::MontaDados);
    layout->addWidget(filters);

    // The grids, the progress gauge and the notes go into this container,
    // beside the empty-state panel.
    QWidget *table = panel("pnlTabela", page);
    auto *tableLayout = new QVBoxLayout(table);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->setSpacing(0);
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
    tableLayout->addWidget(empty, 1);

    m_tabela = new TableArea(m_dbSolvane, table);
    m_tabela->setEmptyPanel(empty);
    m_tabela->setHost({[this] { m_filtros->HabilitaFiltros(); },
                       [this] { SelecionaSecao(Chart2->label(Dados)); },
                       [this](bool shown) {
                           for (const char *name : {"lblAgrupar", "cbAgrupar"})
                               if (auto *widget = findChild<QWidget *>(QLatin1String(name)))
                                   widget->setVisible(shown);
                       }});
    connect(m_tabela, &TableArea::markChanged, this, [this] {
        setCampoMarcado(m_tabela->mark().FCampoMarcado);
        setCampoPercentual(m_tabela->mark().FCampoPercentual);
    });
    tableLayout->addWidget(m_tabela);
    layout->addWidget(table, 1);
    return page;
}

// ---------------------------------------------------------------- start-up and close

void TMain_Frm::FormCreate() {
    BalloonTip::install();
    HelpWindow::setHelpFile(ProgramFolder::file(QStringLiteral("Ajuda/Solvane_AJUDA.html")));
    m_dbSolvane.setPath(ProgramFolder::file(QStringLiteral("Dados/Solvane.db")));
    m_dbSolvane.setConnected(true);

    FNivelExpandido.clear();
    FCampoMarcado.clear();
    FCampoPercentual.clear();
    FAtributos.clear();
    FTipoGrafico = 0;

    m_topicTree->clear();
    CarregaNiveis(0, 0);

    AbreListasTerritorio();

    expandeNaInicializacao(0);
    expandeNaInicializacao(kSecondExpandedNode);

    tvOpcoes->setFocus();
    SelecionaSecao(Chart2->label(Dados));

    IniciaLegendaMapa();
    PosicionaIdentificadorGrafico();
}

void TMain_Frm::expandeNaInicializacao(int absoluteIndex) {
    // A study with fewer topics than the start-up expects skips the step.
    if (QTreeWidgetItem *node = TreeIndex::itemAt(*tvOpcoes, absoluteIndex))
        tvOpcoes->expandItem(node);
}

void TMain_Frm::closeEvent(QCloseEvent *event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

void TMain_Frm::FormClose() {
    if (m_closed)
        return;
    m_closed = true;
    LiberaSelecaoMunicipios();

    FechaListasTerritorio();
    FechaConsultaValores();
    qNivelInf->close();
    FechaTabelaDados();

    m_topicTree.reset();
    delete tvOpcoes;
    tvOpcoes = nullptr;
    delete tvIDOpcoes;
    tvIDOpcoes = nullptr;

    m_dbSolvane.setConnected(false);
    FAtributos.clear();
}

bool TMain_Frm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == pnlTopicos && event->type() == QEvent::Resize)
        pnlTopicosResize();
    return QMainWindow::eventFilter(watched, event);
}

void TMain_Frm::pnlTopicosResize() {
    // Snapped shut by the splitter, the panel keeps a 2-pixel strip to be
    // dragged open again.
    if (pnlTopicos->width() != 0)
        return;
    const QList<int> sizes = Splitter1->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    Splitter1->setSizes({kTopicStripWidth, qMax(0, total - kTopicStripWidth)});
}

// ---------------------------------------------------------------- shared state

void TMain_Frm::setCampoLocal(const QString &value) { FCampoLocal = TextUtils::cut(value); }
void TMain_Frm::setCampoMarcado(const QString &value) { FCampoMarcado = TextUtils::cut(value); }
void TMain_Frm::setCampoPercentual(const QString &value) { FCampoPercentual = TextUtils::cut(value); }
void TMain_Frm::setNivelExpandido(const QString &value) { FNivelExpandido = TextUtils::cut(value); }
void TMain_Frm::setNivelSelecionado(const QString &value) { FNivelSelecionado = TextUtils::cut(value); }

// ---------------------------------------------------------------- topic tree

void TMain_Frm::CarregaNiveis(quint8 Nivel, int Indice) { m_topicTree->load(Nivel, Indice, FNivelExpandido); }

void TMain_Frm::tvOpcoesExpanding(QTreeWidgetItem *node) {
    m_topicTree->setPicture(*node, TopicTree::OpenTopic);
    setNivelExpandido(m_topicTree->codeOf(*node));
    CarregaNiveis(static_cast<quint8>(TreeIndex::level(*node) + 1), TreeIndex::indexOf(*node));
}

void TMain_Frm::tvOpcoesCollapsing(QTreeWidgetItem *node) { m_topicTree->setPicture(*node, TopicTree::ClosedTopic); }

void TMain_Frm::tvOpcoesChanging(QTreeWidgetItem *node) {
    setNivelSelecionado(m_topicTree->codeOf(*node));

    const QString title = node->text(0);
    QFont font = pnlTituloDados->font();
    font.setPointSize(title.size() > kLongTitle ? 8 : 10);
    pnlTituloDados->setFont(font);
    pnlTituloDados->setText(title);

    MontaDados();

    if (TreeIndex::level(*node) == 2)
        m_topicTree->setPicture(*node, TopicTree::Table);
    else
        m_topicTree->setPicture(*node, node->isExpanded() ? TopicTree::OpenTopic : TopicTree::ClosedTopic);
}

// ---------------------------------------------------------------- query run

// Runs the selected topic with the filters in force; the attribute lines,
// the finest territory field and the total-row kind (the "tag" of
// cbAgrupar) follow the run, also when it ends in an error.
void TMain_Frm::MontaDados() {
    ScopeGuard resultado([this] {
        FAtributos = m_tabela->FAtributos();
        setCampoLocal(m_tabela->FCampoLocal());
        if (auto *cbAgrupar = m_filtros->findChild<QComboBox *>(QStringLiteral("cbAgrupar")))
            cbAgrupar->setProperty("tag", m_tabela->totalKind());
    });
    m_tabela->MontaDados(FNivelSelecionado, m_filtros->state());
}

// A filter or the grouping changed: the result closes until the next search.
void TMain_Frm::FechaResultado() { m_tabela->FechaResultado(); }

void TMain_Frm::CriaSelMunicipio() {
    if (Sel_Municipio_Frm)
        return;
    Sel_Municipio_Frm = new TSel_Municipio_Frm(m_dbSolvane, *m_filtros, this);
    Sel_Municipio_Frm->setObjectName(QStringLiteral("Sel_Municipio_Frm"));
    m_filtros->setSelMunicipio(Sel_Municipio_Frm);
}

// ---------------------------------------------------------------- sections

void TMain_Frm::btnDadosClick() { SelecionaSecao(sender()); }

void TMain_Frm::SelecionaSecao(QObject *sender) {
    const int section = sender->property("tag").toInt();
    resetaRotulos();
    switch (section) {
    case Dados:
        destacaRotulo(Chart2->label(Dados));
        nbPrincipal->setCurrentIndex(PageDados);
        break;
    case Mapa:
        if (FCampoMarcado.isEmpty()) {
            informa(this, QStringLiteral("Marque a coluna que deseja ver no mapa, clicando no titulo da mesma !"));
            break;
        }
        destacaRotulo(Chart2->label(Mapa));
        if (nbPrincipal->currentIndex() != PageMapa) {
            nbPrincipal->setCurrentIndex(PageMapa);
            MostraMapa(true);
        }
        break;
    case Grafico:
        if (FCampoMarcado.isEmpty()) {
            informa(this, QStringLiteral("Marque a coluna que deseja ver no gráfico, clicando no titulo da mesma !"));
            break;
        }
        destacaRotulo(Chart2->label(Grafico));
        if (nbPrincipal->currentIndex() != PageGrafico) {
            nbPrincipal->setCurrentIndex(PageGrafico);
            PreparaTiposGrafico();
            MostraGrafico(FTipoGrafico);
        }
        break;
    case Anexos:
        destacaRotulo(Chart2->label(Anexos));
        MostraAnexos();
        break;
    case Exportar:
        if (nbPrincipal->currentIndex() == PageDados && TabelaDadosVazia()) {
            informa(this, QStringLiteral("Não existe dados para exportar !"));
            break;
        }
        destacaRotulo(Chart2->label(Exportar));
        MostraExportar();
        SelecionaSecao(rotuloDaPagina());
        break;
    case Ajuda:
        HelpWindow::showContext(kHelpContext, this);
        break;
    case Sobre:
        destacaRotulo(Chart2->label(Sobre));
        MostraSobre();
        break;
    case Sair:
        close();
        break;
    default:
        break;
    }
}

void TMain_Frm::resetaRotulos() {
    // The help and exit captions are never highlighted, so never reset.
    for (const int section : {Dados, Mapa, Grafico, Anexos, Exportar, Sobre})
        pintaRotulo(Chart2->label(section), false);
}

void TMain_Frm::destacaRotulo(QLabel *label) { pintaRotulo(label, true); }

void TMain_Frm::pintaRotulo(QLabel *label, bool destacado) {
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, destacado ? kHighlight : QColor(Qt::black));
    label->setPalette(colours);
    QFont font = label->font();
    font.setBold(destacado);
    font.setUnderline(destacado);
    label->setFont(font);
}

ClickLabel *TMain_Frm::rotuloDaPagina() const {
    switch (nbPrincipal->currentIndex()) {
    case PageMapa: return Chart2->label(Mapa);
    case PageGrafico: return Chart2->label(Grafico);
    default: return Chart2->label(Dados);
    }
}

void TMain_Frm::MostraAnexos() {
    auto *dialog = new TArquivos_Anexos_Frm(this);
    dialog->exec();
}

void TMain_Frm::MostraSobre() {
    QPointer<TSobre_Frm> sobre = new TSobre_Frm(this);
    sobre->switchToDialogMode();
    sobre->exec();
    delete sobre;
}

void TMain_Frm::nbPrincipalPageChanged(int pageIndex) {
    if (pageIndex != PageMapa)
        LimpaMapa();
    if (pageIndex != PageGrafico)
        DesligaGrafico();
}

// ---------------------------------------------------------------- steps of the pages to come

// Opens the five territory lists on their entry for all territories and
// sets the grouping list to "Região", without running their click handlers.
void TMain_Frm::AbreListasTerritorio() { m_filtros->openLists(); }

// Writes the legend grid's header row and its colour column.
void TMain_Frm::IniciaLegendaMapa() {}

// Moves the second identifier group of the chart onto the first one.
void TMain_Frm::PosicionaIdentificadorGrafico() {}

// Closes the municipality picker's queries and frees its kept selection.
void TMain_Frm::LiberaSelecaoMunicipios() {
    if (Sel_Municipio_Frm)
        Sel_Municipio_Frm->closeQueries();
}

// Closes the five territory queries.
void TMain_Frm::FechaListasTerritorio() { m_filtros->closeQueries(); }

// Closes the indicator query.
void TMain_Frm::FechaConsultaValores() { m_tabela->qValorNivel().close(); }

// Closes the result table.
void TMain_Frm::FechaTabelaDados() { m_tabela->cdsDados().close(); }

// Whether the result table stands at its end, as it does with no rows.
bool TMain_Frm::TabelaDadosVazia() const { return m_tabela->cdsDados().eof(); }

// Draws the marked column as a map, reading its legend first when asked.
void TMain_Frm::MostraMapa(bool) {}

// Offers the pie and donut only for columns that are not percentages.
void TMain_Frm::PreparaTiposGrafico() {}

// Draws the marked column as a chart of the given type.
void TMain_Frm::MostraGrafico(qint8) {}

// Prepares the export dialog for the current page and shows it modally.
void TMain_Frm::MostraExportar() {}

// Empties the legend's value columns and the map picture.
void TMain_Frm::LimpaMapa() {}

// Unbinds the chart series and lifts the result table's filter.
void TMain_Frm::DesligaGrafico() {}
