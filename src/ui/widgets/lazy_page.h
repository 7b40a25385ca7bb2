#pragma once

#include "ui/widgets/main_page.h"

#include <QVBoxLayout>
#include <functional>

// A notebook page built the first time the user enters it. The map and chart
// pages are out of view at start-up and many sessions never open them;
// building their controls and pictures before the main window shows would
// only delay it. Until then the page is an empty widget that leaves and
// clears as a page with nothing drawn does.
template <class Page>
class LazyPage : public MainPage {
  public:
    // build makes the page as a child of the given parent, connected as the
    // window needs it.
    using Builder = std::function<Page *(QWidget *parent)>;

    LazyPage(Builder build, QWidget *parent) : MainPage(parent), m_build(std::move(build)) {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
    }

    // The page, built on the first call.
    Page &page() {
        if (!m_page) {
            m_page = m_build(this);
            m_page->setPrintAction(printAction());
            layout()->addWidget(m_page);
            // Laid out and shown at once (a child added to a shown widget
            // would show only later), so that the page is entered at its
            // size, as a page built with the window is.
            layout()->activate();
            m_page->show();
        }
        return *m_page;
    }

    void enter(const CurrentResult &result) override { page().enter(result); }
    void leave() override {
        if (m_page)
            m_page->leave();
    }
    void clear() override {
        if (m_page)
            m_page->clear();
    }

  private:
    Builder m_build;
    Page *m_page = nullptr;
};
