#include "core/drawing/jpeg_writer.h"

#include "base/data/app_error.h"
#include "base/data/safe_file.h"

#include <QFileInfo>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

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

// Runs the compressor over RGB888 rows. Kept free of objects with
// destructors, so the jump out of the library skips none.
bool compress(const QImage &rgb, int quality, unsigned char **buffer, unsigned long *size, ErrorManager &errors) {
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
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
        throw AppError(QStringLiteral("Não foi possível gravar a imagem JPEG: a imagem está vazia."));
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    ErrorManager errors{};
    const bool done = compress(rgb, quality, &buffer, &size, errors);
    QByteArray bytes;
    if (done)
        bytes = QByteArray(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    if (!done)
        throw AppError(QStringLiteral("Não foi possível gravar a imagem JPEG: %1").arg(QString::fromLocal8Bit(errors.message)));
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
