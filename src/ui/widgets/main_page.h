#pragma once

#include <QWidget>

class CurrentResult;

// A page of the main window's notebook: the data, the map or the chart.
// The window enters a page when the user switches to it, tells every other
// page to leave whenever the notebook's page changes, and clears them all
// when it closes. A page reads the current result and never changes it.
class MainPage : public QWidget {
  public:
    using QWidget::QWidget;

    // The page comes into view, to show the result of the last run.
    virtual void enter(const CurrentResult &result) = 0;
    // Another page is in view: the page lets go of what it drew.
    virtual void leave() = 0;
    // The window closes: the page closes its queries and frees its data.
    virtual void clear() = 0;
};
