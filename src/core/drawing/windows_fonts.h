#pragma once

#include <QFont>
#include <QString>

// The windows were laid out with Windows fonts. Each one is replaced here,
// and only here, by the nearest face of a Debian font package the setup
// script installs, keeping the pixel or point size the window asks for.
namespace WindowsFonts {

// The stand-in for a Windows family at a size in pixels. Families not in the
// table fall back to the dialog face.
QFont pixelFont(const QString &windowsFamily, int pixelSize);

// The same at a size in points.
QFont pointFont(const QString &windowsFamily, int pointSize);

// Makes the dialog face ("MS Sans Serif", 11 pixels) the application's font.
void installApplicationFont();

} // namespace WindowsFonts
