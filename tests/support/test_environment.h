#pragma once

#include <QLocale>
#include <QtGlobal>

// Every test runs headless and with the Brazilian number format, whoever
// starts it (ctest, or the binary run by hand).
inline void prepareTestEnvironment() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
}
