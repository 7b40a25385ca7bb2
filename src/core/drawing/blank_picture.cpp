#include "core/drawing/blank_picture.h"

#include <new>

namespace BlankPicture {

QImage make(const QSize &size, QImage::Format format) {
    QImage picture(size, format);
    if (picture.isNull() && !size.isEmpty())
        throw std::bad_alloc();
    return picture;
}

} // namespace BlankPicture
