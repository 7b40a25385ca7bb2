#pragma once

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtGlobal>

// Every test runs headless and with the Brazilian number format, whoever
// starts it (ctest, or the binary run by hand). What the programs keep in the
// user's data folder (legends saved beside a read-only study, imported
// studies) goes to a folder of the test process's own, removed at its end,
// never to the home of whoever runs the tests; the programs a test starts
// inherit it.
inline void prepareTestEnvironment() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    static const QTemporaryDir userData;
    qputenv("XDG_DATA_HOME", QFile::encodeName(userData.path()));
}
