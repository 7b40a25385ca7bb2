#pragma once

#include "data/database.h"

#include <QMainWindow>
#include <QStringList>
#include <memory>

class ClickLabel;
class FilterPanel;
class MainHeader;
class QLabel;
class QSplitter;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class Query;
class TableArea;
class TopicTree;
class TSel_Municipio_Frm;

// The main window: header with the section buttons, the topic tree on the
// left and the notebook of the data, map and chart pages. It owns the study
// connection and the state the pages share.
class TMain_Frm : public QMainWindow {
    Q_OBJECT

public:
    // Builds the window and runs its start-up steps. Raises an AppError,
    // before anything shows, when the study database cannot be opened.
    explicit TMain_Frm(QWidget *parent = nullptr);
    ~TMain_Frm() override;

    Database &dbSolvane() { return m_dbSolvane; }

    // Shared state. The text fields hold at most 50 characters; longer
    // values are cut.
    const QString &campoLocal() const { return FCampoLocal; }
    void setCampoLocal(const QString &value);
    const QString &campoMarcado() const { return FCampoMarcado; }
    void setCampoMarcado(const QString &value);
    const QString &campoPercentual() const { return FCampoPercentual; }
    void setCampoPercentual(const QString &value);
    const QString &nivelExpandido() const { return FNivelExpandido; }
    void setNivelExpandido(const QString &value);
    const QString &nivelSelecionado() const { return FNivelSelecionado; }
    void setNivelSelecionado(const QString &value);
    qint8 tipoGrafico() const { return FTipoGrafico; }
    void setTipoGrafico(qint8 value) { FTipoGrafico = value; }
    QStringList &atributos() { return FAtributos; }

    // Switches section by the section number in the sender's "tag": one of
    // the header's buttons or captions.
    void SelecionaSecao(QObject *sender);

    // The municipality picker, created once the window exists (its queries
    // use the window's connection) and kept with its selection.
    void CriaSelMunicipio();

    // The table of the data page: its queries, the result table, the grid.
    TableArea &tabela() { return *m_tabela; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void montaJanela();
    QWidget *criaPainelTopicos();
    QWidget *criaPaginaDados();

    void FormCreate();
    void FormClose();
    void btnDadosClick();
    void nbPrincipalPageChanged(int pageIndex);
    void pnlTopicosResize();

    void CarregaNiveis(quint8 Nivel, int Indice);
    void tvOpcoesExpanding(QTreeWidgetItem *node);
    void tvOpcoesCollapsing(QTreeWidgetItem *node);
    void tvOpcoesChanging(QTreeWidgetItem *node);
    void expandeNaInicializacao(int absoluteIndex);

    void MontaDados();
    void FechaResultado();

    void resetaRotulos();
    void destacaRotulo(QLabel *label);
    void pintaRotulo(QLabel *label, bool destacado);
    ClickLabel *rotuloDaPagina() const;
    void MostraAnexos();
    void MostraSobre();

    // Steps carried out by the parts of the window that the filter panel,
    // the result table, the map and the chart bring; each is called at its
    // place in the start-up, close, section and page sequences.
    void AbreListasTerritorio();
    void IniciaLegendaMapa();
    void PosicionaIdentificadorGrafico();
    void LiberaSelecaoMunicipios();
    void FechaListasTerritorio();
    void FechaConsultaValores();
    void FechaTabelaDados();
    bool TabelaDadosVazia() const;
    void MostraMapa(bool carregaLegenda);
    void PreparaTiposGrafico();
    void MostraGrafico(qint8 tipo);
    void MostraExportar();
    void LimpaMapa();
    void DesligaGrafico();

    Database m_dbSolvane;
    Query *qNivelInf = nullptr;

    MainHeader *Chart2 = nullptr;
    QWidget *pnlTopicos = nullptr;
    QTreeWidget *tvOpcoes = nullptr;
    QTreeWidget *tvIDOpcoes = nullptr;
    QSplitter *Splitter1 = nullptr;
    QStackedWidget *nbPrincipal = nullptr;
    QLabel *pnlTituloDados = nullptr;
    FilterPanel *m_filtros = nullptr;
    TSel_Municipio_Frm *Sel_Municipio_Frm = nullptr;
    TableArea *m_tabela = nullptr;
    std::unique_ptr<TopicTree> m_topicTree;
    bool m_closed = false;

    QString FCampoLocal;
    QString FCampoMarcado;
    QString FCampoPercentual;
    QString FNivelExpandido;
    QString FNivelSelecionado;
    qint8 FTipoGrafico = 0;
    QStringList FAtributos;
};
