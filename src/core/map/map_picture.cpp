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

// Text with its top left corner at (x, y).
PicturePiece textAt(int x, int y, const QString &text, const QFont &font, const QColor &color) {
    return PicturePiece::written(QPointF(x, y + QFontMetrics(font).ascent()), text, font, color);
}

} // namespace

namespace MapPicture {

QList<PicturePiece> texts(const Texts &texts) {
    const int width = kMapSize.width();
    const QFont plain = pictureFont(false);
    const QFont bold = pictureFont(true);
    const QFontMetrics metrics(plain);
    QList<PicturePiece> pieces;
    for (int i = 0; i < texts.titleLines.size(); ++i) {
        const int x = (width - metrics.horizontalAdvance(texts.titleLines[i])) / 2;
        pieces << textAt(x, 13 * i + 1, texts.titleLines[i], plain, Qt::black);
    }
    const int h = kMapSize.height() / 2;
    const int x = width + 5;
    if (texts.nomeLocalVisible)
        pieces << textAt(x, h - 135, texts.nomeLocalCaption, plain, kNavy);
    pieces << textAt(x, h - 90, texts.mapaDeTitCaption, plain, kNavy);
    if (texts.nomeLocalVisible)
        pieces << textAt(x, h - 120, texts.nomeLocalText, bold, kPlaceColor);
    pieces << textAt(x, h - 77, texts.mapaDe, bold, kPlaceColor);
    // An empty text is no piece to write.
    pieces.removeIf([](const PicturePiece &piece) { return !piece.isText(); });
    return pieces;
}

QPoint legendAt() { return QPoint(kMapSize.width() + 5, kMapSize.height() / 2 - 50); }

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
    for (const PicturePiece &piece : MapPicture::texts(texts))
        piece.paint(painter);
    painter.drawImage(legendAt(), legend);
    return picture;
}

} // namespace MapPicture
