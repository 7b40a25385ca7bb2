// The municipality picker opened from the filter panel: the state it shows,
// the towns it offers, and the selection it keeps across states and
// showings.
#include "base/data/query.h"
#include "panel_fixture.h"
#include "support/qstring_printer.h"

#include <QListWidget>
#include <QRadioButton>
#include <QTest>

using S = QStringList;

namespace {

S lines(const QListWidget *list) {
    S texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

S ticked(const QListWidget *list) {
    S texts;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->checkState() == Qt::Checked)
            texts << list->item(row)->text();
    return texts;
}

} // namespace

TEST_F(PanelTest, WithoutAStateOnThePanelThePickerOpensOnTheFirstStateByName) {
    openPicker([this](TSel_Municipio_Frm &p) {
        auto *state = inPicker<LookupList>("lckUF");
        EXPECT_TRUE(state->isEnabled());
        EXPECT_EQ(entries(state), (S{"Alagoas", "Pará", "Pernambuco"}));
        EXPECT_EQ(state->currentText(), "Alagoas");
        // Água Branca is below 20000 urban inhabitants.
        EXPECT_EQ(lines(inPicker<QListWidget>("clbSelMunicipio")), S{"Maceió"});
        EXPECT_TRUE(ticked(inPicker<QListWidget>("clbSelMunicipio")).isEmpty());
        EXPECT_EQ(p.CodigosMunicipio(), S{"2704302"});
        confirm(p);
    });
    EXPECT_FALSE(inPicker<Query>("qUF")->isActive());
    EXPECT_FALSE(inPicker<Query>("qMunicipio")->isActive());
}

TEST_F(PanelTest, AStateOnThePanelFixesThePickersStateAndItsAreaNarrowsTheTowns) {
    pick(control<QComboBox>("cbAgrupar"), "Município");
    pick(list("lckRegiao"), "Nordeste");
    pick(list("lckUF"), "Pernambuco");
    pick(list("lckMicroReg"), "Petrolina");
    openPicker([this](TSel_Municipio_Frm &p) {
        EXPECT_EQ(entries(inPicker<LookupList>("lckUF")), (S{"Alagoas", "Pernambuco"}));
        EXPECT_EQ(inPicker<LookupList>("lckUF")->currentText(), "Pernambuco");
        EXPECT_FALSE(inPicker<LookupList>("lckUF")->isEnabled());
        EXPECT_EQ(lines(inPicker<QListWidget>("clbSelMunicipio")), S{"Petrolina"});
        confirm(p);
    });

    pick(list("lckMicroReg"), "<Todas>");
    pick(list("lckRegMetrop"), "RM de Recife");
    openPicker([this](TSel_Municipio_Frm &p) {
        // Inside the metropolitan region too, only towns of 20000 or more.
        EXPECT_EQ(lines(inPicker<QListWidget>("clbSelMunicipio")), (S{"Jaboatão", "Recife"}));
        confirm(p);
    });
}

TEST_F(PanelTest, TicksAreRememberedAcrossStatesAndShownSorted) {
    openPicker([this](TSel_Municipio_Frm &p) {
        auto *state = inPicker<LookupList>("lckUF");
        auto *towns = inPicker<QListWidget>("clbSelMunicipio");
        pick(state, "Pernambuco");
        EXPECT_EQ(lines(towns), (S{"Jaboatão", "Petrolina", "Recife"}));
        toggle(p, "Recife");
        toggle(p, "Jaboatão");
        pick(state, "Pará");
        EXPECT_TRUE(ticked(towns).isEmpty());
        toggle(p, "Óbidos");
        pick(state, "Pernambuco");
        EXPECT_EQ(ticked(towns), (S{"Jaboatão", "Recife"}));

        QTest::mouseClick(inPicker<QRadioButton>("rbVer"), Qt::LeftButton);
        auto *view = inPicker<QListWidget>("lbVerMunicipio");
        EXPECT_TRUE(view->isVisible());
        EXPECT_FALSE(towns->isVisible());
        EXPECT_EQ(lines(view), (S{"Jaboatão - PE", "Óbidos - PA", "Recife - PE"}));

        // Listing a state brings the check list back.
        pick(state, "Alagoas");
        EXPECT_TRUE(inPicker<QRadioButton>("rbSelecionar")->isChecked());
        EXPECT_TRUE(towns->isVisible());
        EXPECT_FALSE(view->isVisible());
        confirm(p);
    });
    EXPECT_EQ(picker->MunicipiosSelecionados(), (S{"Jaboatão/2607901", "Óbidos/1505106", "Recife/2611606"}));

    // A later showing restores the ticks of the state it lists.
    openPicker([this](TSel_Municipio_Frm &p) {
        pick(inPicker<LookupList>("lckUF"), "Pará");
        EXPECT_EQ(ticked(inPicker<QListWidget>("clbSelMunicipio")), S{"Óbidos"});
        confirm(p);
    });
}

TEST_F(PanelTest, UntickingRemovesTheTownFromBothRecords) {
    openPicker([this](TSel_Municipio_Frm &p) {
        pick(inPicker<LookupList>("lckUF"), "Pernambuco");
        toggle(p, "Recife");
        toggle(p, "Petrolina");
        toggle(p, "Petrolina");
        EXPECT_EQ(p.MunicipiosSelecionados(), S{"Recife/2611606"});
        EXPECT_EQ(lines(inPicker<QListWidget>("lbVerMunicipio")), S{"Recife - PE"});
        toggle(p, "Recife");
        EXPECT_TRUE(p.MunicipiosSelecionados().isEmpty());
        EXPECT_EQ(inPicker<QListWidget>("lbVerMunicipio")->count(), 0);
        confirm(p);
    });
}

TEST_F(PanelTest, AStateOutsideThePanelsNewRegionGivesWayToTheFirstStateOfIt) {
    pick(control<QComboBox>("cbAgrupar"), "Município");
    openPicker([this](TSel_Municipio_Frm &p) {
        pick(inPicker<LookupList>("lckUF"), "Pará");
        confirm(p);
    });
    pick(list("lckRegiao"), "Nordeste");
    openPicker([this](TSel_Municipio_Frm &p) {
        EXPECT_EQ(entries(inPicker<LookupList>("lckUF")), (S{"Alagoas", "Pernambuco"}));
        EXPECT_EQ(inPicker<LookupList>("lckUF")->currentText(), "Alagoas");
        EXPECT_EQ(lines(inPicker<QListWidget>("clbSelMunicipio")), S{"Maceió"});
        confirm(p);
    });
}

// Both radio captions show whole and apart from each other, inside the top
// panel.
TEST_F(PanelTest, ThePickersRadioCaptionsStayApart) {
    openPicker([this](TSel_Municipio_Frm &p) {
        auto *selecionar = inPicker<QRadioButton>("rbSelecionar");
        auto *ver = inPicker<QRadioButton>("rbVer");
        QWidget *panel1 = inPicker<QWidget>("Panel1");
        for (QRadioButton *radio : {selecionar, ver}) {
            SCOPED_TRACE(radio->objectName().toStdString());
            EXPECT_GE(radio->width(), radio->sizeHint().width());
            EXPECT_GE(radio->height(), radio->sizeHint().height());
            const QRect inPanel(radio->mapTo(panel1, QPoint(0, 0)), radio->size());
            EXPECT_TRUE(panel1->rect().contains(inPanel)) << inPanel.x() << "," << inPanel.y() << " "
                                                          << inPanel.width() << "x" << inPanel.height();
        }
        EXPECT_FALSE(selecionar->geometry().intersects(ver->geometry()));
        confirm(p);
    });
}
