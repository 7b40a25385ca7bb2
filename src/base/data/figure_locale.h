#pragma once

#include <QLocale>

// The number format figures are shown in: the user's, or the Brazilian one
// the study's readers expect on a machine with no locale set at all.
namespace FigureLocale {

inline QLocale forFigures() {
    const QLocale system = QLocale::system();
    return system.language() == QLocale::C ? QLocale(QLocale::Portuguese, QLocale::Brazil) : system;
}

} // namespace FigureLocale
