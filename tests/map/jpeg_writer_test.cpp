#include "base/data/app_error.h"
#include "core/drawing/jpeg_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace {

// A JPEG read back by the library: its header fields and its pixels.
struct Decoded {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
    J_COLOR_SPACE colorSpace = JCS_UNKNOWN;
    int firstLuminanceStep = 0;
    std::vector<unsigned char> rgb;

    QRgb pixel(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * width + x) * 3;
        return qRgb(rgb[i], rgb[i + 1], rgb[i + 2]);
    }
};

Decoded decode(const QByteArray &bytes) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size());
    jpeg_read_header(&info, TRUE);
    Decoded d;
    d.width = static_cast<int>(info.image_width);
    d.height = static_cast<int>(info.image_height);
    d.components = info.num_components;
    d.progressive = info.progressive_mode;
    d.colorSpace = info.jpeg_color_space;
    d.firstLuminanceStep = info.quant_tbl_ptrs[0] ? info.quant_tbl_ptrs[0]->quantval[0] : 0;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    d.rgb.resize(static_cast<size_t>(d.width) * d.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = d.rgb.data() + static_cast<size_t>(info.output_scanline) * d.width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return d;
}

// Four flat quarters, so the colours survive compression nearly unchanged.
QImage quarters() {
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, x < 32 ? (y < 24 ? qRgb(0, 0, 159) : qRgb(255, 0, 0))
                                        : (y < 24 ? qRgb(43, 255, 43) : qRgb(255, 255, 255)));
    return image;
}

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 6 && std::abs(qGreen(a) - qGreen(b)) <= 6 &&
           std::abs(qBlue(a) - qBlue(b)) <= 6;
}

QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(JpegWriter, WritesABaselineColourJpegOfQuality90) {
    const QImage image = quarters();
    const Decoded d = decode(JpegWriter::encode(image));
    EXPECT_EQ(d.width, 64);
    EXPECT_EQ(d.height, 48);
    EXPECT_EQ(d.components, 3);
    EXPECT_EQ(d.colorSpace, JCS_YCbCr);
    EXPECT_FALSE(d.progressive);
    // Quality 90 scales the standard luminance table to a fifth: 16 -> 3.
    EXPECT_EQ(d.firstLuminanceStep, 3);
    for (const QPoint p : {QPoint(8, 8), QPoint(50, 8), QPoint(8, 40), QPoint(50, 40)})
        EXPECT_TRUE(near(d.pixel(p.x(), p.y()), image.pixel(p))) << p.x() << "," << p.y();
}

TEST(JpegWriter, GravaJPEGTurnsABitmapIntoAJpegNamedDotJPG) {
    QTemporaryDir dir;
    const QString bmp = dir.filePath(QStringLiteral("temp.bmp"));
    ASSERT_TRUE(quarters().save(bmp, "BMP"));

    JpegWriter::GravaJPEG(bmp, dir.filePath(QStringLiteral("mapa.jpeg")));
    const QByteArray written = readAll(dir.filePath(QStringLiteral("mapa.JPG")));
    ASSERT_FALSE(written.isEmpty());
    EXPECT_EQ(decode(written).width, 64);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("mapa.jpeg"))));

    // Without a bitmap nothing is written.
    JpegWriter::GravaJPEG(dir.filePath(QStringLiteral("nao.bmp")), dir.filePath(QStringLiteral("outro.jpg")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("outro.JPG"))));
}

TEST(JpegWriter, NameGetsTheExtensionJPG) {
    const struct {
        const char *given;
        const char *written;
    } cases[] = {
        {"/tmp/Mapa.jpg", "/tmp/Mapa.JPG"},
        {"/tmp/Mapa", "/tmp/Mapa.JPG"},
        {"/tmp/Mapa.final.bmp", "/tmp/Mapa.final.JPG"},
        {"/tmp/pasta.x/Mapa", "/tmp/pasta.x/Mapa.JPG"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(JpegWriter::jpegName(QString::fromUtf8(c.given)), QString::fromUtf8(c.written)) << c.given;
}

TEST(JpegWriter, AJpegThatCannotBeWrittenRaisesTheSystemsText) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("sem_pasta/mapa.jpg"));
    try {
        JpegWriter::write(target, quarters());
        FAIL() << "the folder does not exist";
    } catch (const AppError &error) {
        EXPECT_TRUE(error.message().contains(target)) << error.message().toStdString();
    }
    EXPECT_THROW(JpegWriter::encode(QImage()), AppError);
}
