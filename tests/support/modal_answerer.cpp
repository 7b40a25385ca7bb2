#include "support/modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

ModalAnswerer::ModalAnswerer(Handler dialogHandler, QString buttonText)
    : m_handler(std::move(dialogHandler)), m_buttonText(std::move(buttonText)) {
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start(10);
}

void ModalAnswerer::poll() {
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        m_messages << box->text();
        ++m_answered;
        if (onMessage)
            onMessage(box);
        const auto buttons = box->buttons();
        QAbstractButton *target = buttons.isEmpty() ? nullptr : buttons.first();
        for (QAbstractButton *b : buttons)
            if (!m_buttonText.isEmpty() && b->text().remove(QLatin1Char('&')) == m_buttonText)
                target = b;
        if (target)
            target->click();
        return;
    }
    if (m_handler) {
        ++m_answered;
        m_handler(modal);
    }
}
