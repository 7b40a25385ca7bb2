#pragma once

#include <QApplication>

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
};
