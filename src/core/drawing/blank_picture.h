#pragma once

#include <QImage>
#include <QSize>

// A new picture to draw on. QImage gives an empty picture when the memory
// cannot hold the one asked for, and every drawing on an empty picture is
// silently skipped: the map or chart would come out empty, or be written
// as no picture at all. Here that is the memory failure it is.
namespace BlankPicture {

// A picture of that size and format, its pixels not yet set. Raises
// std::bad_alloc when the memory cannot hold it.
QImage make(const QSize &size, QImage::Format format);

} // namespace BlankPicture
