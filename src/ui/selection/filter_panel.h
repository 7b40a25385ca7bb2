#pragma once

#include "base/selection/selection_state.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class Database;
class LookupList;
class NumberEdit;
class Query;
class QComboBox;
class QLabel;
class QLayout;
class QPushButton;
class QToolButton;
class TSel_Municipio_Frm;

// The filter panel of the data page: the five cascading territory lists
// (region, state, micro-region, metropolitan region, municipality), the
// urban-population band, the grouping level, the buttons of the municipality
// picker and the search button. Its queries run on the main window's
// connection. A change of any filter closes the current result
// (filtersChanged) and enables the controls that make sense for the grouping
// level; the search runs only when the user asks for it (searchRequested).
class FilterPanel : public QWidget {
    Q_OBJECT

public:
    FilterPanel(Database &database, QWidget *parent = nullptr);

    // Opens the five lists on their start-up statements, every list on its
    // "all territories" entry, grouping by region. No enabling rule runs:
    // every control starts enabled.
    void openLists();
    void closeQueries();

    // The picker that the municipality buttons open, asked of picker on
    // their first click (its lists are queried when it is made, which a
    // session that never opens it needs not wait for); its kept selection is
    // part of the state from then on.
    void setSelMunicipio(std::function<TSel_Municipio_Frm *()> picker);

    SelectionState state() const;

    // The grouping list and its caption; the municipality list hides them.
    void setGroupingShown(bool shown);

    // Closes the current result and enables the filters by grouping level.
    void HabilitaFiltros();

    // Runs the leave step of a band edit the user is still in, so that a
    // search reads the corrected band whatever control started it.
    void finishBandEdit();

signals:
    void filtersChanged();
    void searchRequested();

private:
    void buildControls();
    void setPanelColour();
    void buildTerritoryLists(QWidget *group);
    QLayout *buildPopulationBand(QWidget *group);
    QLayout *buildMunicipalityPicker(QWidget *group);
    void buildGroupingList(QWidget *group);
    void layOutGroup(QWidget *group, QLayout *band, QLayout *municipality);
    void buildSearchButton();
    void connectHandlers();

    void lckRegiaoClick();
    void lckUFClick();
    void lckMicroRegClick();
    void lckMunicipioClick();
    void edtFaixaInicialExit(NumberEdit *edit);
    void cbAgruparClick();
    void btnPesquisarClick();
    void btnMunicipioClick();
    void qMicroRegAfterOpen();
    void qRegMetropAfterOpen();

    Grouping::Level grouping() const;
    bool bandEnabled() const;

    std::function<TSel_Municipio_Frm *()> m_picker;
    QPointer<TSel_Municipio_Frm> m_selMunicipio;

    Query *m_qRegiao;
    Query *m_qUF;
    Query *m_qMicroReg;
    Query *m_qRegMetrop;
    Query *m_qMunicipio;

    QLabel *m_lblRegiao;
    LookupList *m_lckRegiao;
    QLabel *m_lblUF;
    LookupList *m_lckUF;
    QLabel *m_lblMicroReg;
    LookupList *m_lckMicroReg;
    QLabel *m_lblRegMetrop;
    LookupList *m_lckRegMetrop;
    QLabel *m_lblPopulacao;
    NumberEdit *m_edtFaixaInicial;
    NumberEdit *m_edtFaixaFinal;
    QLabel *m_lblMunicipio;
    LookupList *m_lckMunicipio;
    QPushButton *m_btnMunicipio;
    QPushButton *m_btnMunicipioCheck;
    QLabel *m_lblAgrupar;
    QComboBox *m_cbAgrupar;
    QToolButton *m_btnPesquisar;
};
