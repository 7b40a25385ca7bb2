#include "ui/widgets/main_page.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>

void MainPage::setCopy(std::function<void()> copy) {
    m_copy = new QAction(QStringLiteral("Copiar"), this);
    m_copy->setObjectName(QStringLiteral("actCopiar"));
    m_copy->setShortcut(QKeySequence::Copy);
    m_copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_copy, &QAction::triggered, this, std::move(copy));
    addAction(m_copy);
}

void MainPage::setPictureCopy(std::function<QImage()> picture) {
    setCopy([picture = std::move(picture)] {
        const QImage image = picture();
        if (!image.isNull())
            QApplication::clipboard()->setImage(image);
    });
}

void MainPage::setViewMenu(QWidget *view, std::function<void(QMenu &)> ownItems) {
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, [this, view, ownItems = std::move(ownItems)](QPoint at) {
        QMenu menu(this);
        if (ownItems) {
            ownItems(menu);
            menu.addSeparator();
        }
        if (m_copy)
            menu.addAction(m_copy);
        if (m_print)
            menu.addAction(m_print);
        menu.exec(view->mapToGlobal(at));
    });
}
