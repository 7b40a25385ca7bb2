// The filter panel driven as a user drives it: the cascade of the territory
// lists, the band, the grouping level and its enabling rules, the search
// button and the municipality buttons around the picker.
#include "base/data/query.h"
#include "base/selection/territory_statements.h"
#include "panel_fixture.h"
#include "support/qstring_printer.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QToolButton>

using S = QStringList;

TEST_F(PanelTest, StartsWithEveryListOnAllTerritoriesAndEveryControlEnabled) {
    EXPECT_EQ(entries(list("lckRegiao")), (S{"<Todas>", "Norte", "Nordeste"}));
    EXPECT_EQ(entries(list("lckUF")), (S{"<Todas>", "Alagoas", "Pará", "Pernambuco"}));
    EXPECT_EQ(entries(list("lckMicroReg")), (S{"<Todas>", "Maceió", "Óbidos", "Petrolina", "Recife"}));
    EXPECT_EQ(entries(list("lckRegMetrop")), (S{"<Todas>", "RM de Recife"}));
    // Only towns of 20000 or more urban inhabitants, never the row of the rest.
    EXPECT_EQ(entries(list("lckMunicipio")),
              (S{"<Todos>", "abaetetuba", "Jaboatão", "Maceió", "Óbidos", "Petrolina", "Recife"}));
    for (const char *name : {"lckRegiao", "lckUF", "lckMicroReg", "lckRegMetrop"})
        EXPECT_EQ(list(name)->currentText(), "<Todas>") << name;
    EXPECT_EQ(list("lckMunicipio")->currentText(), "<Todos>");

    auto *grouping = control<QComboBox>("cbAgrupar");
    EXPECT_EQ(entries(grouping), (S{"Região", "Unidade Federação", "Microrregião", "R. Metropolitana", "Município"}));
    EXPECT_EQ(grouping->currentIndex(), 0);
    EXPECT_EQ(edit("edtFaixaInicial")->text(), "0");
    EXPECT_EQ(control<QPushButton>("btnMunicipio")->text(), "---");
    EXPECT_FALSE(control<QPushButton>("btnMunicipio")->isHidden());
    EXPECT_TRUE(control<QPushButton>("btnMunicipioCheck")->isHidden());
    EXPECT_EQ(control<QToolButton>("btnPesquisar")->text(), "&Pesquisar");
    EXPECT_EQ(control<QLabel>("Label13")->text(), "  Opções de Seleção dos Dados  ");

    for (QWidget *w : panel->findChildren<QWidget *>())
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    const SelectionState state = panel->state();
    EXPECT_EQ(state.regiao + state.unidadeFederativa + state.microRegiao + state.regiaoMetropolitana + state.municipio +
                  state.agrupar,
              0);
}

// The grouping list is painted flat in its own colour, RGB (255, 186, 117):
// the top and the bottom of the box, clear of text and arrow, are that colour.
TEST_F(PanelTest, TheGroupingListIsFlatInItsColour) {
    auto *grouping = control<QComboBox>("cbAgrupar");
    const QImage image = grouping->grab().toImage();
    const int x = image.width() * 2 / 3;
    for (const int y : {3, image.height() / 2, image.height() - 4})
        EXPECT_EQ(QColor(image.pixel(x, y)), QColor(255, 186, 117)) << "row " << y;
}

TEST_F(PanelTest, ARegionRefillsTheStatesAndResetsStateAndMunicipality) {
    pick(control<QComboBox>("cbAgrupar"), "Município");
    pick(list("lckUF"), "Pernambuco");
    pick(list("lckMicroReg"), "Recife");
    pick(list("lckMunicipio"), "Recife");
    QSignalSpy changed(panel, &FilterPanel::filtersChanged);

    pick(list("lckRegiao"), "Norte");

    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(entries(list("lckUF")), (S{"<Todas>", "Pará"}));
    EXPECT_EQ(list("lckUF")->currentText(), "<Todas>");
    EXPECT_EQ(list("lckMunicipio")->currentText(), "<Todos>");
    EXPECT_EQ(panel->state().municipio, 0);
    // The lists below the state keep their rows and their keys.
    EXPECT_EQ(entries(list("lckMicroReg")), (S{"<Todas>", "Petrolina", "Recife"}));
    EXPECT_EQ(list("lckMicroReg")->currentText(), "Recife");
    EXPECT_EQ(panel->state().microRegiao, 26001);
}

TEST_F(PanelTest, AStateRefillsMicroAndMetropolitanRegionsInBothStatementForms) {
    pick(control<QComboBox>("cbAgrupar"), "Unidade Federação");
    const S townsBefore = entries(list("lckMunicipio"));

    pick(list("lckUF"), "Pernambuco");
    EXPECT_EQ(control<Query>("qMicroReg")->sql(), TerritoryStatements::microRegions(0, 26));
    EXPECT_TRUE(control<Query>("qMicroReg")->sql().contains(" where Unidade_Federativa = 26"));
    EXPECT_EQ(entries(list("lckMicroReg")), (S{"<Todas>", "Petrolina", "Recife"}));
    EXPECT_EQ(entries(list("lckRegMetrop")), (S{"<Todas>", "RM de Recife"}));

    pick(list("lckRegiao"), "Nordeste");
    pick(list("lckUF"), "Alagoas");
    const S lines = control<Query>("qRegMetrop")->sql();
    const qsizetype where = lines.indexOf(" Where Regiao = 2");
    ASSERT_GE(where, 0);
    EXPECT_EQ(lines.value(where + 1), "   and Unidade_Federativa = 27");
    EXPECT_EQ(control<Query>("qMicroReg")->sql(), TerritoryStatements::microRegions(2, 27));
    EXPECT_EQ(entries(list("lckMicroReg")), (S{"<Todas>", "Maceió"}));
    for (const char *name : {"qMicroReg", "qRegMetrop"}) {
        EXPECT_EQ(control<Query>(name)->fieldByName("Sigla").displayWidth(), 8) << name;
        EXPECT_EQ(control<Query>(name)->fieldByName("Descricao").displayWidth(), 40) << name;
    }

    for (const char *name : {"lckMicroReg", "lckRegMetrop"})
        EXPECT_EQ(list(name)->currentText(), "<Todas>") << name;
    EXPECT_EQ(list("lckMunicipio")->currentText(), "<Todos>");
    // Enabled whatever the grouping level says.
    for (const char *name : {"lckMicroReg", "lckRegMetrop", "lblMicroReg", "lblRegMetrop"})
        EXPECT_TRUE(control<QWidget>(name)->isEnabled()) << name;
    // The municipality list waits for a micro-region or metropolitan region.
    EXPECT_EQ(entries(list("lckMunicipio")), townsBefore);
}

TEST_F(PanelTest, MicroRegionAndMetropolitanRegionExcludeEachOther) {
    pick(control<QComboBox>("cbAgrupar"), "Microrregião");
    pick(list("lckMicroReg"), "Recife");
    EXPECT_FALSE(list("lckRegMetrop")->isEnabled());
    EXPECT_FALSE(control<QLabel>("lblRegMetrop")->isEnabled());
    EXPECT_TRUE(list("lckMicroReg")->isEnabled());
    // Abreu e Lima lies in the micro-region but is below 20000.
    EXPECT_EQ(entries(list("lckMunicipio")), (S{"<Todos>", "Jaboatão", "Recife"}));

    pick(list("lckMicroReg"), "<Todas>");
    EXPECT_TRUE(list("lckRegMetrop")->isEnabled());
    EXPECT_TRUE(control<QLabel>("lblRegMetrop")->isEnabled());

    pick(list("lckRegMetrop"), "RM de Recife");
    EXPECT_FALSE(list("lckMicroReg")->isEnabled());
    EXPECT_FALSE(control<QLabel>("lblMicroReg")->isEnabled());
    // Inside a metropolitan region every municipality is offered.
    EXPECT_EQ(entries(list("lckMunicipio")), (S{"<Todos>", "Abreu e Lima", "Jaboatão", "Maceió", "Recife"}));
    EXPECT_EQ(list("lckMunicipio")->currentText(), "<Todos>");
}

TEST_F(PanelTest, MunicipalityAndBandExcludeEachOther) {
    pick(control<QComboBox>("cbAgrupar"), "Município");
    typeAndLeave(edit("edtFaixaInicial"), "50000");
    typeAndLeave(edit("edtFaixaFinal"), "900000");
    EXPECT_EQ(edit("edtFaixaInicial")->text(), "50.000");
    EXPECT_EQ(edit("edtFaixaFinal")->text(), "900.000");

    pick(list("lckMunicipio"), "Recife");
    EXPECT_EQ(edit("edtFaixaInicial")->value(), 0);
    EXPECT_EQ(edit("edtFaixaFinal")->text(), "0");
    EXPECT_EQ(panel->state().municipio, 2611606);

    typeAndLeave(edit("edtFaixaFinal"), "900000");
    EXPECT_EQ(list("lckMunicipio")->currentText(), "<Todos>");
    EXPECT_EQ(panel->state().municipio, 0);
}

TEST_F(PanelTest, LeavingABandEditNormalisesTheBand) {
    pick(control<QComboBox>("cbAgrupar"), "Município");
    QSignalSpy changed(panel, &FilterPanel::filtersChanged);
    struct Step {
        const char *edit;
        const char *typed;
        qint64 lower;
        qint64 upper;
    };
    const Step steps[] = {
        {"edtFaixaInicial", "0", 20000, 0},       {"edtFaixaInicial", "19999", 20000, 0},
        {"edtFaixaFinal", "-5", 20000, 0},        {"edtFaixaInicial", "-5", 20000, 0},
        {"edtFaixaInicial", "300000", 300000, 0}, {"edtFaixaFinal", "100000", 300000, 100000},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(std::string(step.edit) + " " + step.typed);
        const qsizetype before = changed.count();
        typeAndLeave(edit(step.edit), QString::fromLatin1(step.typed));
        EXPECT_GT(changed.count(), before);
        EXPECT_EQ(panel->state().faixaInicial, step.lower);
        EXPECT_EQ(panel->state().faixaFinal, step.upper);
    }
    EXPECT_EQ(edit("edtFaixaInicial")->text(), "300.000");
}

// A band edit shows the whole of any value it takes: twelve nines typed in
// either edit leave a value whose formatted text fits inside the frame.
TEST_F(PanelTest, BandEditsShowTheWholeValueTheyAccept) {
    pick(control<QComboBox>("cbAgrupar"), "Município");
    for (const char *name : {"edtFaixaInicial", "edtFaixaFinal"}) {
        SCOPED_TRACE(name);
        NumberEdit *band = edit(name);
        typeAndLeave(band, "999999999999");
        EXPECT_GE(band->value(), 999999999);
        EXPECT_EQ(band->text(), QLocale().toString(band->value()));
        const int frame = band->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, band);
        const QMargins margins = band->textMargins();
        // QLineEdit keeps 2 pixels beside its text inside the frame.
        const int room = band->width() - 2 * frame - 4 - margins.left() - margins.right();
        EXPECT_LE(band->fontMetrics().horizontalAdvance(band->text()), room) << band->text().toStdString();
    }
}

TEST_F(PanelTest, GroupingChangeClosesTheResultWithoutSearching) {
    QSignalSpy changed(panel, &FilterPanel::filtersChanged);
    QSignalSpy search(panel, &FilterPanel::searchRequested);
    pick(control<QComboBox>("cbAgrupar"), "R. Metropolitana");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(search.count(), 0);
    EXPECT_EQ(panel->state().agrupar, 3);

    QTest::mouseClick(control<QToolButton>("btnPesquisar"), Qt::LeftButton);
    EXPECT_EQ(search.count(), 1);
    EXPECT_EQ(changed.count(), 1);
}

// The municipality list hides the grouping list and its caption; nothing
// else on the panel moves or changes size.
TEST_F(PanelTest, HidingTheGroupingListMovesNoOtherControl) {
    const QList<QWidget *> controls = panel->findChildren<QWidget *>();
    std::vector<QRect> before;
    for (QWidget *w : controls)
        before.push_back(w->geometry());

    panel->setGroupingShown(false);
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_FALSE(control<QComboBox>("cbAgrupar")->isVisible());
    EXPECT_FALSE(control<QLabel>("lblAgrupar")->isVisible());
    for (qsizetype i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->geometry(), before[static_cast<size_t>(i)]) << controls[i]->objectName().toStdString();

    panel->setGroupingShown(true);
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_TRUE(control<QComboBox>("cbAgrupar")->isVisible());
}

TEST_F(PanelTest, EnablingByGroupingLevelAndPickedList) {
    struct Row {
        const char *grouping;
        bool pickedList;
        bool band, micro, metro, state, municipality;
    };
    const Row table[] = {
        {"Região", false, false, false, false, false, false},
        {"Unidade Federação", false, false, false, false, true, false},
        {"Microrregião", false, false, true, false, true, false},
        {"R. Metropolitana", false, false, false, true, true, false},
        {"Município", false, true, true, true, true, true},
        {"Região", true, false, false, false, false, false},
        {"Unidade Federação", true, false, false, false, true, false},
        {"Microrregião", true, false, true, false, true, false},
        {"R. Metropolitana", true, false, false, true, true, false},
        {"Município", true, false, true, true, true, true},
    };
    for (const Row &row : table) {
        SCOPED_TRACE(std::string(row.grouping) + (row.pickedList ? ", picked list" : ""));
        if (row.pickedList && control<QPushButton>("btnMunicipioCheck")->isHidden()) {
            pick(control<QComboBox>("cbAgrupar"), "Município");
            openPicker([](TSel_Municipio_Frm &picker) {
                toggle(picker, "Maceió");
                confirm(picker);
            });
        }
        pick(control<QComboBox>("cbAgrupar"), row.grouping);
        const std::pair<std::vector<const char *>, bool> groups[] = {
            {{"lblPopulacao", "edtFaixaInicial", "edtFaixaFinal"}, row.band},
            {{"lblMicroReg", "lckMicroReg"}, row.micro},
            {{"lblRegMetrop", "lckRegMetrop"}, row.metro},
            {{"lblUF", "lckUF"}, row.state},
            {{"lblMunicipio", "lckMunicipio", "btnMunicipio"}, row.municipality},
            {{"lblRegiao", "lckRegiao", "btnMunicipioCheck"}, true},
        };
        for (const auto &[names, enabled] : groups)
            for (const char *name : names)
                EXPECT_EQ(control<QWidget>(name)->isEnabled(), enabled) << name;
    }
}

TEST_F(PanelTest, AConfirmedListReplacesTheMunicipalityBeforeTheSearch) {
    pick(control<QComboBox>("cbAgrupar"), "Município");
    pick(list("lckMunicipio"), "Recife");
    std::vector<SelectionState> searched;
    QObject::connect(panel, &FilterPanel::searchRequested, [&] { searched.push_back(panel->state()); });

    openPicker([](TSel_Municipio_Frm &picker) {
        toggle(picker, "Maceió");
        pick(picker.findChild<LookupList *>("lckUF"), "Pernambuco");
        toggle(picker, "Recife");
        toggle(picker, "Jaboatão");
        confirm(picker);
    });

    ASSERT_EQ(searched.size(), 1u);
    EXPECT_EQ(searched[0].municipio, 0);
    EXPECT_EQ(searched[0].municipiosSelecionados, (S{"Jaboatão/2607901", "Maceió/2704302", "Recife/2611606"}));
    EXPECT_TRUE(control<QPushButton>("btnMunicipio")->isHidden());
    EXPECT_FALSE(control<QPushButton>("btnMunicipioCheck")->isHidden());
    EXPECT_EQ(list("lckMunicipio")->currentText(), "<Todos>");
    EXPECT_FALSE(list("lckMunicipio")->isEnabled());
    EXPECT_FALSE(edit("edtFaixaInicial")->isEnabled());

    // Emptied and confirmed: the "---" button is back, and so are the lists.
    openPicker([](TSel_Municipio_Frm &picker) {
        QTest::mouseClick(picker.findChild<QPushButton *>("btnLimparSelecao"), Qt::LeftButton);
        confirm(picker);
    });
    ASSERT_EQ(searched.size(), 2u);
    EXPECT_TRUE(searched[1].municipiosSelecionados.isEmpty());
    EXPECT_FALSE(control<QPushButton>("btnMunicipio")->isHidden());
    EXPECT_TRUE(control<QPushButton>("btnMunicipioCheck")->isHidden());
    EXPECT_TRUE(list("lckMunicipio")->isEnabled());
    EXPECT_TRUE(edit("edtFaixaInicial")->isEnabled());
}

TEST_F(PanelTest, AConfirmedListDropsTheBandBeforeTheSearch) {
    pick(control<QComboBox>("cbAgrupar"), "Município");
    typeAndLeave(edit("edtFaixaInicial"), "30000");
    typeAndLeave(edit("edtFaixaFinal"), "70000");
    std::vector<SelectionState> searched;
    QObject::connect(panel, &FilterPanel::searchRequested, [&] { searched.push_back(panel->state()); });

    openPicker([](TSel_Municipio_Frm &picker) {
        toggle(picker, "Maceió");
        confirm(picker);
    });

    ASSERT_EQ(searched.size(), 1u);
    EXPECT_EQ(searched[0].faixaInicial, 0);
    EXPECT_EQ(searched[0].faixaFinal, 0);
    EXPECT_EQ(edit("edtFaixaFinal")->text(), "0");
}

TEST_F(PanelTest, ClosingThePickerWithItsCloseBoxKeepsTheTicksButRunsNoSearch) {
    pick(control<QComboBox>("cbAgrupar"), "Município");
    QSignalSpy search(panel, &FilterPanel::searchRequested);
    openPicker([](TSel_Municipio_Frm &picker) {
        toggle(picker, "Maceió");
        picker.close();
    });
    EXPECT_EQ(search.count(), 0);
    EXPECT_EQ(panel->state().municipiosSelecionados, S{"Maceió/2704302"});
    EXPECT_FALSE(control<QPushButton>("btnMunicipio")->isHidden());
    EXPECT_TRUE(list("lckMunicipio")->isEnabled());
}

// A search with no table topic re-applies the grouping rules; the list kept
// by the picker must still close the single municipality and the band, and
// emptying it at another grouping must not open them.
TEST_F(PanelTest, AConfirmedPickerLeavesTheSameStateWhetherOrNotTheSearchRuns) {
    QObject::connect(panel, &FilterPanel::searchRequested, panel, &FilterPanel::HabilitaFiltros);
    const auto empty = [](TSel_Municipio_Frm &picker) {
        QTest::mouseClick(picker.findChild<QPushButton *>("btnLimparSelecao"), Qt::LeftButton);
        confirm(picker);
    };
    pick(control<QComboBox>("cbAgrupar"), "Município");
    openPicker([](TSel_Municipio_Frm &picker) {
        toggle(picker, "Maceió");
        confirm(picker);
    });
    EXPECT_FALSE(list("lckMunicipio")->isEnabled());
    EXPECT_FALSE(edit("edtFaixaInicial")->isEnabled());

    openPicker(empty);
    EXPECT_TRUE(list("lckMunicipio")->isEnabled());
    EXPECT_TRUE(edit("edtFaixaInicial")->isEnabled());

    openPicker([](TSel_Municipio_Frm &picker) {
        toggle(picker, "Maceió");
        confirm(picker);
    });
    pick(control<QComboBox>("cbAgrupar"), "Região");
    QObject::disconnect(panel, &FilterPanel::searchRequested, panel, &FilterPanel::HabilitaFiltros);
    openPicker(empty);
    EXPECT_FALSE(control<QPushButton>("btnMunicipio")->isHidden());
    EXPECT_FALSE(list("lckMunicipio")->isEnabled());
    EXPECT_FALSE(edit("edtFaixaInicial")->isEnabled());
}
