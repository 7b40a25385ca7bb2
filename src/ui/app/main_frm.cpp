#include "ui/app/main_frm.h"

#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/data/text_utils.h"
#include "base/table/current_result.h"
#include "base/table/topic_search.h"
#include "core/drawing/color_number.h"
#include "core/drawing/program_colors.h"
#include "core/drawing/windows_fonts.h"
#include "core/export/varnik_export.h"
#include "ui/app/main_header.h"
#include "ui/app/topic_tree.h"
#include "ui/app/tree_index.h"
#include "ui/chart/chart_page.h"
#include "ui/chart/chart_view.h"
#include "ui/export/exportar_frm.h"
#include "ui/export/tw_wait.h"
#include "ui/export/window_components.h"
#include "ui/extras/arquivos_anexos_frm.h"
#include "ui/extras/help_key.h"
#include "ui/extras/help_window.h"
#include "ui/extras/report_preview.h"
#include "ui/extras/sobre_frm.h"
#include "ui/map/map_page.h"
#include "ui/selection/filter_panel.h"
#include "ui/selection/sel_municipio_frm.h"
#include "ui/table/data_page.h"
#include "ui/table/table_area.h"
#include "ui/widgets/balloon_tip.h"
#include "ui/widgets/click_label.h"
#include "ui/widgets/image_button.h"
#include "ui/widgets/main_page.h"
#include "ui/widgets/picture_files.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QLineEdit>
#include <QScrollArea>
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
constexpr int kHelpContext = 1;
// The help's section of each page, by page index.
const char *const kPageHelp[] = {"pagina-dados", "pagina-mapa", "pagina-grafico"};
// The node expanded after the first one at start-up, counted after the
// first expansion: the second top-level topic of the study.
constexpr int kSecondExpandedNode = 13;

const QColor kHighlight = ColorNumber::toColor(ProgramColors::kMaroon);

void inform(QWidget *parent, const QString &text) {
    QMessageBox::information(parent, QStringLiteral("Solvane"), text, QMessageBox::Ok);
}

} // namespace

TMain_Frm::TMain_Frm(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Main_Frm"));
    setWindowTitle(QStringLiteral("Solvane"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_qNivelInf = new Query(m_dbSolvane, QStringLiteral("qNivelInf"), {}, this);
    m_wWait = new TwWait(this);
    m_components = std::make_unique<WindowComponents>(*this);
    m_btnExportaExcel = std::make_unique<TVarnikExport>(m_components.get(), m_wWait);
    buildWindow();
    FormCreate();
}

TMain_Frm::~TMain_Frm() = default;

// ---------------------------------------------------------------- layout

void TMain_Frm::buildWindow() {
    auto *central = new QWidget(this);
    QPalette background = central->palette();
    background.setColor(QPalette::Window, ColorNumber::toColor(ProgramColors::kPanel));
    central->setPalette(background);
    central->setAutoFillBackground(true);
    setCentralWidget(central);

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_Chart2 = new MainHeader(central);
    layout->addWidget(m_Chart2);
    for (int section = 0; section < MainHeader::kSectionCount; ++section) {
        connect(m_Chart2->button(section), &QAbstractButton::clicked, this, &TMain_Frm::btnDadosClick);
        connect(m_Chart2->label(section), &ClickLabel::clicked, this, &TMain_Frm::btnDadosClick);
    }

    m_Splitter1 = new QSplitter(Qt::Horizontal, central);
    m_Splitter1->setObjectName(QStringLiteral("Splitter1"));
    m_Splitter1->setOpaqueResize(false);
    m_Splitter1->setHandleWidth(4);
    m_Splitter1->addWidget(buildTopicPanel());

    // The pages keep the room their controls need: in a window narrower
    // than that they scroll, and the topic panel keeps its width.
    auto *pages = new QScrollArea(m_Splitter1);
    pages->setObjectName(QStringLiteral("sbPaginas"));
    pages->setFrameShape(QFrame::NoFrame);
    pages->setWidgetResizable(true);
    // Ctrl+P anywhere in the window, and "Imprimir…" in each page's menu.
    m_actImprimir = new QAction(QStringLiteral("Imprimir…"), this);
    m_actImprimir->setObjectName(QStringLiteral("actImprimir"));
    m_actImprimir->setShortcut(QKeySequence::Print);
    connect(m_actImprimir, &QAction::triggered, this, &TMain_Frm::printPage);
    addAction(m_actImprimir);
    m_nbPrincipal = new QStackedWidget;
    m_nbPrincipal->setObjectName(QStringLiteral("nbPrincipal"));
    addPage(m_dataPage = new DataPage(m_dbSolvane, m_nbPrincipal));
    addPage(m_mapPage = new LazyPage<MapPage>(
                [this](QWidget *parent) {
                    auto *page = new MapPage(m_dbSolvane, parent);
                    connect(page, &MapPage::dataSectionRequested, this,
                            [this] { SelecionaSecao(m_Chart2->label(Dados)); });
                    return page;
                },
                m_nbPrincipal));
    addPage(m_chartPage = new LazyPage<ChartPage>(
                [this](QWidget *parent) { return new ChartPage(m_dbSolvane, parent); }, m_nbPrincipal));
    pages->setWidget(m_nbPrincipal);
    m_Splitter1->addWidget(pages);
    m_Splitter1->setStretchFactor(0, 0);
    m_Splitter1->setStretchFactor(1, 1);
    m_Splitter1->setSizes({kTopicPanelWidth, 1000});
    QSplitterHandle *handle = m_Splitter1->handle(1);
    QPalette handlePalette = handle->palette();
    handlePalette.setColor(QPalette::Window, ColorNumber::toColor(ProgramColors::kFrame));
    handle->setPalette(handlePalette);
    handle->setAutoFillBackground(true);
    layout->addWidget(m_Splitter1, 1);
    connect(m_nbPrincipal, &QStackedWidget::currentChanged, this, &TMain_Frm::nbPrincipalPageChanged);

    connect(m_dataPage, &DataPage::dataSectionRequested, this, [this] { SelecionaSecao(m_Chart2->label(Dados)); });
    connect(&m_dataPage->filters(), &FilterPanel::searchRequested, this,
            [this] { m_dataPage->MontaDados(FNivelSelecionado); });
    m_dataPage->filters().setSelMunicipio([this] { return CriaSelMunicipio(); });

    // The twin tree of codes is never shown.
    m_tvIDOpcoes = new QTreeWidget(central);
    m_tvIDOpcoes->setObjectName(QStringLiteral("tvIDOpcoes"));
    m_tvIDOpcoes->hide();

    m_topicTree = std::make_unique<TopicTree>(*m_tvOpcoes, *m_tvIDOpcoes, *m_qNivelInf);
    m_topicTree->setImageList({QIcon(PictureFiles::load(QStringLiteral("arvore_topico_fechado.png"))),
                               QIcon(PictureFiles::load(QStringLiteral("arvore_topico_aberto.png"))),
                               QIcon(PictureFiles::load(QStringLiteral("arvore_tabela.png")))});

    // F1 anywhere in the window opens help at the section of the page in
    // view; in a modal dialog, at the dialog's (HelpKey).
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { HelpWindow::showSection(QLatin1String(kPageHelp[m_nbPrincipal->currentIndex()]), this); });
    HelpKey::install();
}

// The page takes the next index of the notebook, and lists the window's
// "Imprimir…" in its context menu.
void TMain_Frm::addPage(MainPage *page) {
    page->setPrintAction(m_actImprimir);
    m_nbPrincipal->addWidget(page);
    m_pages.push_back(page);
}

QWidget *TMain_Frm::buildTopicPanel() {
    m_pnlTopicos = new QWidget;
    m_pnlTopicos->setObjectName(QStringLiteral("pnlTopicos"));
    // The panel may be dragged as narrow as the strip it keeps when shut.
    m_pnlTopicos->setMinimumWidth(kTopicStripWidth);
    m_pnlTopicos->installEventFilter(this);
    auto *layout = new QVBoxLayout(m_pnlTopicos);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The search line takes its height from the tree's top.
    m_edtProcurarTopico = new QLineEdit(m_pnlTopicos);
    m_edtProcurarTopico->setObjectName(QStringLiteral("edtProcurarTopico"));
    m_edtProcurarTopico->setPlaceholderText(QStringLiteral("Procurar tópico"));
    m_edtProcurarTopico->setFont(WindowsFonts::pixelFont(QStringLiteral("MS Sans Serif"), 11));
    layout->addWidget(m_edtProcurarTopico);
    connect(m_edtProcurarTopico, &QLineEdit::textChanged, this, &TMain_Frm::searchTopics);
    connect(m_edtProcurarTopico, &QLineEdit::returnPressed, this, &TMain_Frm::openFirstTopicFound);
    auto *clear = new QShortcut(QKeySequence(Qt::Key_Escape), m_edtProcurarTopico);
    clear->setContext(Qt::WidgetShortcut);
    connect(clear, &QShortcut::activated, m_edtProcurarTopico, &QLineEdit::clear);

    m_tvOpcoes = new QTreeWidget(m_pnlTopicos);
    m_tvOpcoes->setObjectName(QStringLiteral("tvOpcoes"));
    m_tvOpcoes->setHeaderHidden(true);
    m_tvOpcoes->setColumnCount(1);
    m_tvOpcoes->setIndentation(19);
    m_tvOpcoes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tvOpcoes->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tvOpcoes->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tvOpcoes->setAllColumnsShowFocus(true);
    // Long titles stay whole; the tree scrolls sideways instead.
    m_tvOpcoes->setTextElideMode(Qt::ElideNone);
    m_tvOpcoes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tvOpcoes->header()->setStretchLastSection(false);
    m_tvOpcoes->setFont(WindowsFonts::pixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette colours = m_tvOpcoes->palette();
    colours.setColor(QPalette::Base, ColorNumber::toColor(ProgramColors::kLightGround));
    // The chosen topic stays marked when the tree loses the focus.
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    m_tvOpcoes->setPalette(colours);
    layout->addWidget(m_tvOpcoes);

    connect(m_tvOpcoes, &QTreeWidget::itemExpanded, this, &TMain_Frm::tvOpcoesExpanding);
    connect(m_tvOpcoes, &QTreeWidget::itemCollapsed, this, &TMain_Frm::tvOpcoesCollapsing);
    // Selection, not the current item: focusing the tree makes its first
    // node current without choosing it.
    connect(m_tvOpcoes, &QTreeWidget::itemSelectionChanged, this, [this] {
        const auto selected = m_tvOpcoes->selectedItems();
        if (!selected.isEmpty())
            tvOpcoesChanging(selected.first());
    });
    return m_pnlTopicos;
}

// ---------------------------------------------------------------- start-up and close

// The map legend and the chart's identifier groups are set up by their pages
// as they are built; FormCreate clears nothing of the current result, which
// starts empty.
void TMain_Frm::FormCreate() {
    BalloonTip::install();
    m_dbSolvane.setPath(ProgramFolder::studyFile());
    m_dbSolvane.setConnected(true);

    FNivelExpandido.clear();

    m_topicTree->clear();
    CarregaNiveis(0, 0);

    // The lists open on their entry for all territories, grouping by region,
    // without running their click handlers.
    m_dataPage->filters().openLists();

    expandAtStart(0);
    expandAtStart(kSecondExpandedNode);

    m_tvOpcoes->setFocus();
    SelecionaSecao(m_Chart2->label(Dados));
}

void TMain_Frm::expandAtStart(int absoluteIndex) {
    // A study with fewer topics than the start-up expects skips the step.
    if (QTreeWidgetItem *node = TreeIndex::itemAt(*m_tvOpcoes, absoluteIndex))
        m_tvOpcoes->expandItem(node);
}

void TMain_Frm::closeEvent(QCloseEvent *event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

// The picker's queries, then every page's (the data page closes the
// territory lists, the value query and the result table), the topic query,
// the trees and the connection.
void TMain_Frm::FormClose() {
    if (m_closed)
        return;
    m_closed = true;
    if (m_Sel_Municipio_Frm)
        m_Sel_Municipio_Frm->closeQueries();
    for (MainPage *page : m_pages)
        page->clear();
    m_qNivelInf->close();

    m_topicTree.reset();
    delete m_tvOpcoes;
    m_tvOpcoes = nullptr;
    delete m_tvIDOpcoes;
    m_tvIDOpcoes = nullptr;

    m_dbSolvane.setConnected(false);
}

bool TMain_Frm::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_pnlTopicos && event->type() == QEvent::Resize)
        pnlTopicosResize();
    return QMainWindow::eventFilter(watched, event);
}

void TMain_Frm::pnlTopicosResize() {
    // Snapped shut by the splitter, the panel keeps a 2-pixel strip to be
    // dragged open again. A shut panel keeps its minimum width but lies
    // outside the splitter, under the handle, and the splitter sets it so in
    // the middle of laying out its widgets: the strip is set once it is done.
    if (m_Splitter1->sizes().value(0) != 0)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            const QList<int> sizes = m_Splitter1->sizes();
            if (sizes.value(0) != 0)
                return;
            m_Splitter1->setSizes({kTopicStripWidth, qMax(0, sizes.value(1) - kTopicStripWidth)});
        },
        Qt::QueuedConnection);
}

// ---------------------------------------------------------------- shared state

void TMain_Frm::setNivelExpandido(const QString &value) { FNivelExpandido = TextUtils::cut(value); }
void TMain_Frm::setNivelSelecionado(const QString &value) { FNivelSelecionado = TextUtils::cut(value); }

const CurrentResult &TMain_Frm::currentResult() const { return m_dataPage->result(); }

// ---------------------------------------------------------------- topic tree

void TMain_Frm::CarregaNiveis(quint8 Nivel, int Indice) { m_topicTree->load(Nivel, Indice, FNivelExpandido); }

void TMain_Frm::tvOpcoesExpanding(QTreeWidgetItem *node) {
    m_topicTree->setPicture(*node, TopicTree::OpenTopic);
    setNivelExpandido(m_topicTree->codeOf(*node));
    CarregaNiveis(static_cast<quint8>(TreeIndex::level(*node) + 1), TreeIndex::indexOf(*node));
}

void TMain_Frm::searchTopics(const QString &typed) {
    // The clear button shows only over a typed text; set up on the first
    // key, it keeps the start-up from reading the desktop's icon theme.
    if (!typed.isEmpty())
        m_edtProcurarTopico->setClearButtonEnabled(true);
    if (TopicSearch::words(typed).isEmpty())
        m_topicTree->showAll();
    else
        m_topicTree->showOnly(TopicSearch::find(m_dbSolvane, typed));
}

void TMain_Frm::openFirstTopicFound() {
    if (TopicSearch::words(m_edtProcurarTopico->text()).isEmpty())
        return;
    QTreeWidgetItem *first = m_topicTree->showOnly(TopicSearch::find(m_dbSolvane, m_edtProcurarTopico->text()));
    if (!first)
        return;
    m_tvOpcoes->setCurrentItem(first);
    m_tvOpcoes->scrollToItem(first);
}

void TMain_Frm::tvOpcoesCollapsing(QTreeWidgetItem *node) { m_topicTree->setPicture(*node, TopicTree::ClosedTopic); }

void TMain_Frm::tvOpcoesChanging(QTreeWidgetItem *node) {
    setNivelSelecionado(m_topicTree->codeOf(*node));
    m_dataPage->setTitle(node->text(0));
    m_dataPage->MontaDados(FNivelSelecionado);

    if (TreeIndex::level(*node) == 2)
        m_topicTree->setPicture(*node, TopicTree::Table);
    else
        m_topicTree->setPicture(*node, node->isExpanded() ? TopicTree::OpenTopic : TopicTree::ClosedTopic);
}

TSel_Municipio_Frm *TMain_Frm::CriaSelMunicipio() {
    if (!m_Sel_Municipio_Frm)
        m_Sel_Municipio_Frm = new TSel_Municipio_Frm(m_dbSolvane, this);
    return m_Sel_Municipio_Frm;
}

// ---------------------------------------------------------------- sections

void TMain_Frm::btnDadosClick() { SelecionaSecao(sender()); }

// The map and the chart show the marked column, and are refused while none
// is marked; the export is refused on a data page without rows.
void TMain_Frm::SelecionaSecao(QObject *sender) {
    const int section = sender->property("tag").toInt();
    resetCaptions();
    switch (section) {
    case Dados:
        highlightCaption(m_Chart2->label(Dados));
        showPage(PageDados);
        break;
    case Mapa:
        if (currentResult().FCampoMarcado().isEmpty()) {
            inform(this, QStringLiteral("Marque a coluna que deseja ver no mapa, clicando no titulo da mesma !"));
            break;
        }
        highlightCaption(m_Chart2->label(Mapa));
        showPage(PageMapa);
        break;
    case Grafico:
        if (currentResult().FCampoMarcado().isEmpty()) {
            inform(this, QStringLiteral("Marque a coluna que deseja ver no gráfico, clicando no titulo da mesma !"));
            break;
        }
        highlightCaption(m_Chart2->label(Grafico));
        showPage(PageGrafico);
        break;
    case Anexos:
        highlightCaption(m_Chart2->label(Anexos));
        MostraAnexos();
        break;
    case Exportar:
        if (m_nbPrincipal->currentIndex() == PageDados && currentResult().cdsDados().eof()) {
            inform(this, QStringLiteral("Não existe dados para exportar !"));
            break;
        }
        highlightCaption(m_Chart2->label(Exportar));
        openExportDialog();
        SelecionaSecao(captionOfPage());
        break;
    case Ajuda:
        HelpWindow::showContext(kHelpContext, this);
        break;
    case Sobre:
        highlightCaption(m_Chart2->label(Sobre));
        MostraSobre();
        break;
    case Sair:
        close();
        break;
    default:
        break;
    }
}

// Brings the page into view and enters it; a page already in view is not
// entered again, so nothing is redrawn.
void TMain_Frm::showPage(int index) {
    if (m_nbPrincipal->currentIndex() == index)
        return;
    m_nbPrincipal->setCurrentIndex(index);
    m_pages[index]->enter(currentResult());
}

// Every page out of view lets go of what it drew.
void TMain_Frm::nbPrincipalPageChanged(int pageIndex) {
    for (int index = 0; index < static_cast<int>(m_pages.size()); ++index)
        if (index != pageIndex)
            m_pages[index]->leave();
}

void TMain_Frm::resetCaptions() {
    // The help and exit captions are never highlighted, so never reset.
    for (const int section : {Dados, Mapa, Grafico, Anexos, Exportar, Sobre})
        paintCaption(m_Chart2->label(section), false);
}

void TMain_Frm::openExportDialog() {
    TExportar_Frm::Sources sources;
    sources.page = static_cast<ExportReport::Page>(m_nbPrincipal->currentIndex());
    sources.database = &m_dbSolvane;
    sources.result = &currentResult();
    if (sources.page == ExportReport::kMapPage)
        sources.picture = [this] { return m_mapPage->page().picture(); };
    else if (sources.page == ExportReport::kChartPage)
        sources.picture = [this] { return m_chartPage->page().dbchtGrafico().picture(); };
    TExportar_Frm dialog(sources, *m_btnExportaExcel, this);
    dialog.prepareFor(sources.page);
    dialog.exec();
}

void TMain_Frm::printPage() {
    // Only the page in view is asked for its picture: the other pages may
    // not be built yet.
    const int page = m_nbPrincipal->currentIndex();
    TableReport::Contents::Picture map, chart;
    if (page == PageMapa && !m_mapPage->page().picture().isNull())
        map = TableReport::mapPicture(m_mapPage->page().map());
    if (page == PageGrafico && m_chartPage->page().hasMarkedColumn()) {
        const ChartView &view = m_chartPage->page().dbchtGrafico();
        chart = TableReport::chartPicture(view.renderer(), view.size());
    }
    const CurrentResult &result = currentResult();
    if (page == PageDados ? result.cdsDados().isEmpty() : !map && !chart) {
        inform(this, QStringLiteral("Não existe dados para imprimir !"));
        return;
    }
    TableReport::Contents contents = TableReport::contents(m_dbSolvane, result);
    if (page != PageDados)
        contents.table = nullptr;
    contents.map = map;
    contents.chart = chart;
    ReportPreview::show(this, contents);
}

void TMain_Frm::highlightCaption(QLabel *label) { paintCaption(label, true); }

void TMain_Frm::paintCaption(QLabel *label, bool highlighted) {
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, highlighted ? kHighlight : QColor(Qt::black));
    label->setPalette(colours);
    QFont font = label->font();
    font.setBold(highlighted);
    font.setUnderline(highlighted);
    label->setFont(font);
}

ClickLabel *TMain_Frm::captionOfPage() const {
    switch (m_nbPrincipal->currentIndex()) {
    case PageMapa: return m_Chart2->label(Mapa);
    case PageGrafico: return m_Chart2->label(Grafico);
    default: return m_Chart2->label(Dados);
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
