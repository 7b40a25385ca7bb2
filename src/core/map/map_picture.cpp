#include "core/map/map_picture.h"

#include "core/drawing/blank_picture.h"
#include "core/drawing/color_number.h"
#include "core/drawing/program_colors.h"
#include "core/drawing/windows_fonts.h"

#include <QPainter>

namespace {

const QColor kNavy = ColorNumber::toColor(ProgramColors::kNavy);
const QColor kPlaceColor(255, 179, 102); // 6730751, the window title's colour

QFont pictureFont(bool bold) {
    QFont font = WindowsFonts::pixelFont(QStringLiteral("MS Sans Serif"), 11);
    font.setBold(bold);
    return font;
}

// Writes text with its top left corner at (x, y).
void writeAt(QPainter &painter, int x, int y, const QString &text) {
    painter.drawText(x, y + QFontMetrics(painter.font()).ascent(), text);
}

} // namespace

namespace MapPicture {

QImage compose(const QImage &bitmap, const Texts &texts, const QImage &legend) {
    const int width = kMapSize.width();
    const int height = kMapSize.height();
    QImage picture =
        BlankPicture::make(QSize(bitmap.width() + kSideStrip, bitmap.height() + kTitleBand), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    // The bitmap keeps its place while the picture grows; then its top part
    // moves down under the band and the band is whitened.
    painter.drawImage(0, 0, bitmap);
    const QImage moved = picture.copy(0, 0, width, height - kTitleBand);
    painter.drawImage(0, kTitleBand, moved);
    painter.fillRect(0, 0, width, kTitleBand, Qt::white);

    painter.setFont(pictureFont(false));
    painter.setPen(Qt::black);
    const QFontMetrics metrics(painter.font());
    for (int i = 0; i < texts.titleLines.size(); ++i) {
        const int x = (width - metrics.horizontalAdvance(texts.titleLines[i])) / 2;
        writeAt(painter, x, 13 * i + 1, texts.titleLines[i]);
    }

    const int h = height / 2;
    const int x = width + 5;
    painter.setPen(kNavy);
    if (texts.nomeLocalVisible)
        writeAt(painter, x, h - 135, texts.nomeLocalCaption);
    writeAt(painter, x, h - 90, texts.mapaDeTitCaption);
    painter.setFont(pictureFont(true));
    painter.setPen(kPlaceColor);
    if (texts.nomeLocalVisible)
        writeAt(painter, x, h - 120, texts.nomeLocalText);
    writeAt(painter, x, h - 77, texts.mapaDe);
    painter.drawImage(x, h - 50, legend);
    return picture;
}

} // namespace MapPicture
