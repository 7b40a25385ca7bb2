#pragma once

#include "base/data/database.h"
#include "ui/widgets/lazy_page.h"

#include <QMainWindow>
#include <QStringList>
#include <memory>
#include <vector>

class ClickLabel;
class QAction;
class CurrentResult;
class ChartPage;
class DataPage;
class MainHeader;
class MainPage;
class MapPage;
class QLabel;
class QSplitter;
class QStackedWidget;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class Query;
class TopicTree;
class TSel_Municipio_Frm;
class TVarnikExport;
class TwWait;
class WindowComponents;

// The main window: header with the section buttons, the topic tree on the
// left and the notebook of the data, map and chart pages. It owns the study
// connection and the topic tree, switches sections and wires the pages; the
// pages own what they show, and the data page owns the current result.
class TMain_Frm : public QMainWindow {
    Q_OBJECT

public:
    // Builds the window and runs its start-up steps. Raises an AppError,
    // before anything shows, when the study database cannot be opened.
    explicit TMain_Frm(QWidget *parent = nullptr);
    ~TMain_Frm() override;

    // The topic tree's fields. They hold at most 50 characters; longer
    // values are cut.
    void setNivelExpandido(const QString &value);
    const QString &nivelSelecionado() const { return FNivelSelecionado; }
    void setNivelSelecionado(const QString &value);

    // The result of the last run, read-only.
    const CurrentResult &currentResult() const;

    DataPage &dataPage() { return *m_dataPage; }

    // Switches section by the section number in the sender's "tag": one of
    // the header's buttons or captions.
    void SelecionaSecao(QObject *sender);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    QWidget *buildTopicPanel();
    void addPage(MainPage *page);

    void FormCreate();
    void FormClose();
    void btnDadosClick();
    void nbPrincipalPageChanged(int pageIndex);
    void pnlTopicosResize();

    void CarregaNiveis(quint8 Nivel, int Indice);
    void tvOpcoesExpanding(QTreeWidgetItem *node);
    void tvOpcoesCollapsing(QTreeWidgetItem *node);
    void tvOpcoesChanging(QTreeWidgetItem *node);
    void expandAtStart(int absoluteIndex);

    // The municipality picker, created when the user first opens it (its
    // queries use the window's connection) and kept with its selection.
    TSel_Municipio_Frm *CriaSelMunicipio();

    void showPage(int index);
    void resetCaptions();
    void highlightCaption(QLabel *label);
    void paintCaption(QLabel *label, bool highlighted);
    ClickLabel *captionOfPage() const;
    void MostraAnexos();
    // The export dialog, prepared for the current page.
    void openExportDialog();
    // The topic search line: the tree shows the topics whose titles hold
    // every typed word; Enter opens the first.
    void searchTopics(const QString &typed);
    void openFirstTopicFound();
    // Ctrl+P: the print preview of the report of the current page: the
    // table on the data page, the map or the chart on theirs.
    void printPage();
    void MostraSobre();

    Database m_dbSolvane;
    Query *m_qNivelInf = nullptr;

    MainHeader *m_Chart2 = nullptr;
    QWidget *m_pnlTopicos = nullptr;
    QLineEdit *m_edtProcurarTopico = nullptr;
    QAction *m_actImprimir = nullptr;
    QTreeWidget *m_tvOpcoes = nullptr;
    QTreeWidget *m_tvIDOpcoes = nullptr;
    QSplitter *m_Splitter1 = nullptr;
    QStackedWidget *m_nbPrincipal = nullptr;
    TSel_Municipio_Frm *m_Sel_Municipio_Frm = nullptr;
    TwWait *m_wWait = nullptr;
    // The workbook exporter, which finds the grids and charts it is asked
    // for among the window's components; its settings stay from one export
    // to the next.
    std::unique_ptr<WindowComponents> m_components;
    std::unique_ptr<TVarnikExport> m_btnExportaExcel;
    std::unique_ptr<TopicTree> m_topicTree;

    // The pages by notebook index; the map and chart pages are built when
    // first entered.
    std::vector<MainPage *> m_pages;
    DataPage *m_dataPage = nullptr;
    LazyPage<MapPage> *m_mapPage = nullptr;
    LazyPage<ChartPage> *m_chartPage = nullptr;
    bool m_closed = false;

    QString FNivelExpandido;
    QString FNivelSelecionado;
};
