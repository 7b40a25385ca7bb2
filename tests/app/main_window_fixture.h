#pragma once

#include "support/fixture_database.h"
#include "ui/app/main_frm.h"

#include <QPointer>
#include <QString>
#include <memory>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// The small study with a topic tree shaped like the real one: top-level "01"
// with six sub-topics (so that node 13 is "02" once "01" is expanded), the
// table topic "03", and titles of 70 and 71 characters.
QString topicStudySql();

// A main window built on a study fixture in a folder that plays the
// program's folder. The window is deleted with the fixture unless a test
// closed it.
class MainWindowFixture {
public:
    explicit MainWindowFixture(const QString &sql = topicStudySql());
    ~MainWindowFixture();

    TMain_Frm &window() { return *m_window; }
    QPointer<TMain_Frm> &pointer() { return m_window; }
    QString folder() const { return m_db.folder(); }

    // Shows the window at 1024 x 768; false when it never shows.
    bool show();

    QTreeWidget *tree() const;
    QTreeWidget *codes() const;
    QLabel *label(const char *name) const;
    // The node of the visible tree with this title.
    QTreeWidgetItem *node(const QString &title) const;
    // A click on the title of grid column 5, named as given: it marks the
    // column, or removes the mark when it is the marked one.
    void clickFigureTitle(const QString &name = QStringLiteral("A01"),
                          const QString &fullName = QStringLiteral("Deficit.A01"));

private:
    FixtureDatabase m_db;
    QPointer<TMain_Frm> m_window;
};
