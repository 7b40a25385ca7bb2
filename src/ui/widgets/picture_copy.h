#pragma once

#include <QImage>

#include <functional>

class QWidget;

// Ctrl+C anywhere on a page copies the page's picture (the map, the chart)
// to the clipboard, for other programs to paste; a page with no picture
// drawn copies nothing.
namespace PictureCopy {

void install(QWidget *page, std::function<QImage()> picture);

} // namespace PictureCopy
