#pragma once

#include "base/selection/municipality_pick.h"
#include "base/selection/selection_state.h"

#include <QDialog>

class Database;
class LookupList;
class Query;
class QListWidget;
class QListWidgetItem;
class QRadioButton;

// The municipality picker: the user ticks municipalities state by state
// into a kept selection that restricts the indicator query to them. Created
// once after the main window and kept with its selection until the program
// ends; every tick counts at once, whichever way the window is closed. Before
// each showing it receives the territory chosen on the filter panel.
class TSel_Municipio_Frm : public QDialog {
    Q_OBJECT

public:
    explicit TSel_Municipio_Frm(Database &database, QWidget *parent = nullptr);

    // The code of each line of the check list, in the same order.
    const QStringList &CodigosMunicipio() const { return m_codigosMunicipio; }
    // The kept selection: "name/code", sorted.
    const QStringList &MunicipiosSelecionados() const { return m_pick.selection(); }

    // Before a showing, the filter panel's selection: the state list holds
    // the states of its region; a state chosen on the panel is the picker's
    // too and cannot be changed here; its micro-region or metropolitan
    // region narrows the municipalities.
    void prepare(const SelectionState &panel);
    void closeQueries();

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();

    void FormShow();
    void FormClose();
    void lckUFClick();
    void clbSelMunicipioClickCheck(QListWidgetItem *item);
    void btnLimparSelecaoClick();
    void rbSelecionarClick();

    QString stateSigla() const;
    void showSelection();

    SelectionState m_panel;
    MunicipalityPick m_pick;
    QStringList m_codigosMunicipio;

    Query *m_qUF;
    Query *m_qMunicipio;
    LookupList *m_lckUF;
    QRadioButton *m_rbSelecionar;
    QRadioButton *m_rbVer;
    QListWidget *m_clbSelMunicipio;
    QListWidget *m_lbVerMunicipio;
};
