#pragma once

#include <QImage>

// A picture of a window as the help keeps it: in a palette of the 256
// colours it uses most. A window is mostly flat colours, so most pictures
// keep every colour; the rest (the edges of smoothed text, a gradient) take
// the nearest colour kept. The PNG file is then a third of the size.
namespace HelpPicture {

QImage paletted(const QImage &grabbed);

} // namespace HelpPicture
