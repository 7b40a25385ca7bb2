#include "core/drawing/jpeg_writer.h"

#include "base/data/app_error.h"
#include "base/data/safe_file.h"

#include <QFileInfo>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jerror.h>
#include <jpeglib.h>
#include <new>

namespace {

// The compressor reports a fatal error by calling error_exit, which must not
// return: it jumps back to encode with the library's message.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info) {
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Runs the compressor over the rows of an RGB32 picture as they lie in
// memory: no converted copy of the picture is made. Kept free of objects
// with destructors, so the jump out of the library skips none.
bool compress(const QImage &rgb32, int quality, unsigned char **buffer, unsigned long *size, ErrorManager &errors) {
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(rgb32.width());
    info.image_height = static_cast<JDIMENSION>(rgb32.height());
    // 0xffRRGGBB words: blue, green, red, then the unused byte in memory
    // on a little-endian machine.
    info.input_components = 4;
    info.in_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb32.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

namespace JpegWriter {

QByteArray encode(const QImage &picture, int quality) {
    if (picture.isNull())
        throw AppError(QStringLiteral("Não foi possível compor a imagem JPEG: a imagem está vazia."));
    // A picture drawn by the program is RGB32 already; any other is
    // converted, which fails (an empty picture) only for want of memory.
    const QImage rgb32 =
        picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    if (rgb32.isNull())
        throw std::bad_alloc();
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    ErrorManager errors{};
    const bool done = compress(rgb32, quality, &buffer, &size, errors);
    QByteArray bytes;
    if (done)
        bytes = QByteArray(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    if (!done && errors.base.msg_code == JERR_OUT_OF_MEMORY)
        throw std::bad_alloc();
    if (!done)
        throw AppError(
            QStringLiteral("Não foi possível compor a imagem JPEG: %1").arg(QString::fromLocal8Bit(errors.message)));
    return bytes;
}

void write(const QString &path, const QImage &picture) { SafeFile::write(path, encode(picture)); }

QString jpegName(const QString &jpegPath) {
    const QFileInfo info(jpegPath);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? jpegPath : jpegPath.left(jpegPath.size() - suffix.size() - 1);
    return base + QStringLiteral(".JPG");
}

void GravaJPEG(const QString &bmpPath, const QString &jpegPath) {
    if (!QFileInfo::exists(bmpPath))
        return;
    QImage bitmap;
    if (!bitmap.load(bmpPath, "BMP"))
        throw AppError(QStringLiteral("Não foi possível ler o bitmap %1.").arg(bmpPath));
    write(jpegName(jpegPath), bitmap);
}

} // namespace JpegWriter
