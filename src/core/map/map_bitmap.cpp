#include "core/map/map_bitmap.h"

#include "base/data/app_error.h"
#include "base/data/input_file.h"
#include "base/data/system_error.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <optional>

namespace {

// The size a BMP file's header promises: the pixel rows of an uncompressed
// bitmap, or the data size it states for a compressed one. None when the
// bytes are not a BMP file or their header is no header the size can be
// told from (the reader judges those).
std::optional<qint64> promisedSize(const QByteArray &bytes) {
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    constexpr int kFileHeader = 14;
    if (bytes.size() < kFileHeader + 4 || !bytes.startsWith("BM"))
        return std::nullopt;
    const qint64 pixelsAt = u32(10);
    const quint32 headerSize = u32(kFileHeader);
    qint64 width = 0;
    qint64 height = 0;
    int bitsPerPixel = 0;
    quint32 compression = 0;
    quint32 dataSize = 0;
    if (headerSize == 12 && bytes.size() >= kFileHeader + 12) {
        width = u16(18);
        height = u16(20);
        bitsPerPixel = u16(24);
    } else if (headerSize >= 40 && bytes.size() >= kFileHeader + 40) {
        width = qint32(u32(18));
        height = std::abs(qint64(qint32(u32(22))));
        bitsPerPixel = u16(28);
        compression = u32(30);
        dataSize = u32(34);
    } else {
        // The header itself is cut: only its size field is there.
        return kFileHeader + qint64(headerSize);
    }
    constexpr quint32 kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
    if (compression == kRle8 || compression == kRle4)
        return pixelsAt + dataSize;
    if ((compression != kRgb && compression != kBitFields && compression != kAlphaBitFields) || width <= 0 ||
        bitsPerPixel <= 0 || bitsPerPixel > 32)
        return std::nullopt;
    // Every row is padded to whole 32-bit words. A header whose rows no
    // file could hold asks for the most there is.
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    if (height > 0 && rowBytes > (std::numeric_limits<qint64>::max() - pixelsAt) / height)
        return std::numeric_limits<qint64>::max();
    return pixelsAt + rowBytes * height;
}

} // namespace

namespace MapBitmap {

QImage read(const QString &path) {
    return decode(InputFile::read(path, QStringLiteral("Não foi possível ler o mapa %1").arg(path)), path);
}

QImage decode(const QByteArray &bytes, const QString &path) {
    const auto fail = [&](const QString &why) {
        return AppError(QStringLiteral("Não foi possível ler o mapa %1: %2").arg(path, why));
    };
    if (const std::optional<qint64> promised = promisedSize(bytes); promised && *promised > bytes.size())
        throw fail(QStringLiteral("o arquivo está cortado (tem %1 bytes e o cabeçalho do bitmap pede %2)")
                       .arg(bytes.size())
                       .arg(*promised));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead())
        throw fail(QStringLiteral("não é um bitmap que o programa leia"));
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > qint64(QImageReader::allocationLimit()) << 20)
        throw fail(QStringLiteral("o bitmap tem %1 x %2 pixels, mais do que o programa lê (%3 MB)")
                       .arg(size.width())
                       .arg(size.height())
                       .arg(QImageReader::allocationLimit()));
    QImage picture;
    if (!reader.read(&picture)) {
        // The reader tells a damaged file and a picture the memory could not
        // hold apart by no code of its own: a picture of that size that
        // cannot be made says which it was.
        if (size.isValid() && QImage(size, QImage::Format_RGB32).isNull())
            throw fail(SystemError::text(ENOMEM));
        throw fail(QStringLiteral("o bitmap está danificado"));
    }
    picture = picture.convertToFormat(QImage::Format_RGB32);
    if (picture.isNull())
        throw fail(SystemError::text(ENOMEM));
    return picture;
}

} // namespace MapBitmap
