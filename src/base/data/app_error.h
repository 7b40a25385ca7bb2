#pragma once

#include <QString>
#include <stdexcept>

// An error that ends the step in progress. It carries the engine's or the
// system's own text, which the application's error box shows unchanged.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}

    const QString &message() const { return m_message; }

private:
    QString m_message;
};
