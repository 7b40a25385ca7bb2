#pragma once

#include <QApplication>

#include <exception>

// The application object. Errors that end a step (database, files,
// spreadsheet) travel as exceptions up to the event that started the step;
// here they stop and the user sees the error box with their own text, so no
// exception ever crosses into the event loop.
class SolvaneApplication : public QApplication {
public:
    SolvaneApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // The application's standard error box.
    static void showError(const QString &message);

    // What the box says for an error: an AppError's own text, "out of
    // memory" in Portuguese, or the text of any other standard exception.
    static QString errorText(const std::exception &error);
};
