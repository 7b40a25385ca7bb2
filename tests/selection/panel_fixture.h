#pragma once

#include "base/data/database.h"
#include "support/fixture_database.h"
#include "ui/selection/filter_panel.h"
#include "ui/selection/lookup_list.h"
#include "ui/selection/number_edit.h"
#include "ui/selection/sel_municipio_frm.h"

#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

class QComboBox;

// The small study with a second micro-region in Pernambuco, outside the
// metropolitan region, so that a micro-region narrows the state's towns.
QString selectionStudySql();

// The texts a drop-down list offers, in order.
QStringList entries(const QComboBox *combo);

// Picks an entry as a user does: opens the drop-down and clicks the entry.
void pick(QComboBox *combo, const QString &text);

// Clicks into the edit, replaces its text by typing and leaves it with Tab.
void typeAndLeave(NumberEdit *edit, const QString &text);

// Ticks or unticks a municipality of the picker's check list as a user
// does: selects its line and presses the space bar.
void toggle(TSel_Municipio_Frm &picker, const QString &name);

// Clicks the picker's "&Ok".
void confirm(TSel_Municipio_Frm &picker);

// The filter panel on the small study in an active window, its lists open as
// at start-up, and the municipality picker attached to it.
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A control or query of the panel, or of the picker, by its name.
    template <class T> T *control(const char *name) const { return find<T>(panel, name); }
    template <class T> T *inPicker(const char *name) const { return find<T>(picker, name); }
    LookupList *list(const char *name) const { return control<LookupList>(name); }
    NumberEdit *edit(const char *name) const { return control<NumberEdit>(name); }

    // Clicks the visible municipality button and runs whileOpen on the
    // picker once it shows modally; whileOpen must close it.
    void openPicker(const std::function<void(TSel_Municipio_Frm &)> &whileOpen);

    template <class T> static T *find(const QObject *owner, const char *name) {
        T *found = owner->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    FixtureDatabase fixture{selectionStudySql()};
    Database db;
    QWidget window;
    FilterPanel *panel = nullptr;
    TSel_Municipio_Frm *picker = nullptr;
};
