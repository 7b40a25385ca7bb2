#pragma once

#include <QWidget>

#include <functional>

class CurrentResult;
class QImage;
class QAction;
class QMenu;

// A page of the main window's notebook: the data, the map or the chart.
// The window enters a page when the user switches to it, tells every other
// page to leave whenever the notebook's page changes, and clears them all
// when it closes. A page reads the current result and never changes it.
//
// Each page copies what it shows (Ctrl+C anywhere on the page) and offers a
// context menu over its view: the page's own items, then "Copiar" and the
// window's "Imprimir…" (Ctrl+P), so that a user who right-clicks finds what
// the keys do.
class MainPage : public QWidget {
  public:
    using QWidget::QWidget;

    // The page comes into view, to show the result of the last run.
    virtual void enter(const CurrentResult &result) = 0;
    // Another page is in view: the page lets go of what it drew.
    virtual void leave() = 0;
    // The window closes: the page closes its queries and frees its data.
    virtual void clear() = 0;

    // The window's print action, listed last in the view's menu.
    void setPrintAction(QAction *print) { m_print = print; }
    QAction *printAction() const { return m_print; }

  protected:
    // "Copiar", with Ctrl+C while the focus is anywhere on the page, runs copy.
    void setCopy(std::function<void()> copy);
    // The copy of a page that shows a picture: the picture the function
    // returns, nothing while it returns none.
    void setPictureCopy(std::function<QImage()> picture);
    // A right-click on view opens the page's menu: first the items ownItems
    // adds (made afresh each time, so they show the page's state), then
    // "Copiar" and "Imprimir…".
    void setViewMenu(QWidget *view, std::function<void(QMenu &)> ownItems = {});

  private:
    QAction *m_copy = nullptr;
    QAction *m_print = nullptr;
};
