#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

class QMessageBox;
class QWidget;

// Answers the modal windows a test provokes. A repeating timer looks for the
// active modal widget; a message box has its text recorded and its first
// button (or the one named) clicked; any other dialog is handed to the
// given handler. Lives for one test.
class ModalAnswerer : public QObject {
public:
    using Handler = std::function<void(QWidget *)>;

    explicit ModalAnswerer(Handler dialogHandler = {}, QString buttonText = {});

    QStringList messages() const { return m_messages; }
    // Looks at each message box as it shows, before it is answered.
    std::function<void(QMessageBox *)> onMessage;
    int answered() const { return m_answered; }

private:
    void poll();

    Handler m_handler;
    QString m_buttonText;
    QStringList m_messages;
    int m_answered = 0;
    QTimer m_timer;
};
