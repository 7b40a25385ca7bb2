#include "core/map/map_file.h"

#include "core/drawing/jpeg_writer.h"
#include "core/drawing/picture_bytes.h"

namespace MapFile {

QByteArray encode(const QImage &picture, Format format) {
    if (format == Format::Jpeg)
        return JpegWriter::encode(picture);
    return PictureBytes::encode(picture, format == Format::Png ? "PNG" : "BMP");
}

} // namespace MapFile
