#include "core/map/legend_picture.h"

#include "core/drawing/blank_picture.h"
#include "core/drawing/color_number.h"
#include "core/drawing/program_colors.h"
#include "core/drawing/windows_fonts.h"
#include "core/map/map_legend.h"

#include <QPainter>

namespace {

const QRgb kFixed = qRgb(240, 240, 240);
const QRgb kLine = qRgb(160, 160, 160);
const QRgb kTitleColor = qRgb(255, 132, 9);       // 623871
const QRgb kTitleBackground = ColorNumber::toColor(ProgramColors::kPanel).rgb();
const QRgb kHeaderColor = qRgb(0, 128, 128);      // 8421376

const QString kTitle = QStringLiteral("        Legenda:        ");

bool isFixed(int row, int column) { return row < 2 || column < 3; }

} // namespace

namespace LegendPicture {

QString cellText(const MapLegend &legend, int row, int column) {
    if (row == 1) {
        static const char *const headers[kColumns] = {"Cor", "De", "-", "Ate"};
        return QString::fromLatin1(headers[column]);
    }
    if (row < 2)
        return QString();
    const int k = row - 1;
    switch (column) {
    case 1:
        return legend.lower(k);
    case 2:
        return QStringLiteral("a");
    case 3:
        return legend.upper(k);
    default:
        return QString();
    }
}

namespace {

QList<PicturePiece> titlePieces(int rowWidth) {
    QFont font = WindowsFonts::pixelFont(QStringLiteral("Arial Black"), 13);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const QRect box(0, 0, metrics.horizontalAdvance(kTitle), metrics.height());
    return {PicturePiece::filled(QRect(0, 0, rowWidth, kRowHeights[0]), QColor(kFixed)),
            PicturePiece::filled(box.intersected(QRect(0, 0, rowWidth, kRowHeights[0])), QColor(kTitleBackground)),
            PicturePiece::written(QPointF(0, metrics.ascent()), kTitle, font, QColor(kTitleColor))};
}

QList<PicturePiece> cellPieces(const QRect &rect, int row, int column, const QString &text) {
    if (row >= 2 && column == 0)
        return {PicturePiece::filled(rect, ColorNumber::toColor(MapLegend::colorNumber(row - 1)))};
    QList<PicturePiece> look{PicturePiece::filled(rect, QColor(isFixed(row, column) ? kFixed : kBackground))};
    if (text.isEmpty())
        return look;
    QFont font = WindowsFonts::pixelFont(QStringLiteral("MS Sans Serif"), 11);
    font.setBold(row == 1);
    // A bound wider than its 56-pixel column takes the condensed face of the
    // same size; one that still does not fit ends in a visible "…", so that a
    // cut number never reads as another number.
    const int room = rect.width() - 2;
    if (QFontMetrics(font).horizontalAdvance(text) > room)
        font.setStretch(QFont::SemiCondensed);
    const QFontMetrics metrics(font);
    const bool fits = metrics.horizontalAdvance(text) <= room;
    look << PicturePiece::written(QPointF(rect.left() + 2, rect.top() + (row == 1 ? 1 : 2) + metrics.ascent()),
                                  fits ? text : metrics.elidedText(text, Qt::ElideRight, room), font,
                                  row == 1 ? QColor(kHeaderColor) : QColor(Qt::black), rect);
    return look;
}

} // namespace

void paintTitle(QPainter &painter, int rowWidth) {
    for (const PicturePiece &piece : titlePieces(rowWidth))
        piece.paint(painter);
}

void paintCell(QPainter &painter, const QRect &rect, int row, int column, const QString &text) {
    for (const PicturePiece &piece : cellPieces(rect, row, column, text))
        piece.paint(painter);
}

QList<PicturePiece> pieces(const MapLegend &legend) {
    QList<PicturePiece> all{PicturePiece::filled(QRect(QPoint(), kSize), QColor(kLine))};
    int top = 1;
    for (int row = 0; row < kRows; ++row) {
        int left = 1;
        for (int column = 0; column < kColumns; ++column) {
            const QRect rect(left, top, kColumnWidths[column], kRowHeights[row]);
            if (row > 0)
                all << cellPieces(rect, row, column, cellText(legend, row, column));
            left += kColumnWidths[column] + 1;
        }
        // The title runs across the row, over the cells' lines.
        if (row == 0)
            for (const PicturePiece &piece : titlePieces(kSize.width() - 2))
                all << piece.translated(QPointF(1, 1));
        top += kRowHeights[row] + 1;
    }
    return all;
}

QImage render(const MapLegend &legend) {
    QImage image = BlankPicture::make(kSize, QImage::Format_RGB32);
    QPainter painter(&image);
    for (const PicturePiece &piece : pieces(legend))
        piece.paint(painter);
    return image;
}

} // namespace LegendPicture
