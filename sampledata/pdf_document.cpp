#include "pdf_document.h"

#include <QFontMetrics>
#include <QHash>
#include <QRegularExpression>

namespace {

constexpr int kResolution = 150;
constexpr int kGap = 18;

// One face throughout (headings stand out by size and colour): the writer
// embeds several faces in an order that changes from run to run.
QFont bodyFont(int pointSize = 10) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(pointSize);
    return font;
}

} // namespace

PdfDocument::PdfDocument(const QString &title) {
    m_buffer.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_buffer);
    m_writer->setPageSize(QPageSize(QPageSize::A4));
    m_writer->setResolution(kResolution);
    m_writer->setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("Solvane"));
    m_painter = std::make_unique<QPainter>(m_writer.get());
    const QRect page = m_writer->pageLayout().paintRectPixels(kResolution);
    m_width = page.width();
    m_height = page.height();
}

int PdfDocument::textHeight(const QString &text, const QFont &font, int width) const {
    return QFontMetrics(font, m_writer.get()).boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text).height();
}

void PdfDocument::ensureRoom(int height) {
    if (m_y > 0 && m_y + height > m_height)
        pageBreak();
}

void PdfDocument::pageBreak() {
    m_writer->newPage();
    m_y = 0;
}

void PdfDocument::title(const QString &text, const QString &subtitle) {
    const QFont big = bodyFont(22);
    const QFont small = bodyFont(12);
    m_y += m_height / 5;
    m_painter->setPen(QColor(0, 0, 128));
    m_painter->setFont(big);
    const int h = textHeight(text, big, m_width);
    m_painter->drawText(QRect(0, m_y, m_width, h), Qt::AlignHCenter | Qt::TextWordWrap, text);
    m_y += h + kGap * 2;
    m_painter->setPen(QColor(128, 0, 0));
    m_painter->setFont(small);
    const int sh = textHeight(subtitle, small, m_width);
    m_painter->drawText(QRect(0, m_y, m_width, sh), Qt::AlignHCenter | Qt::TextWordWrap, subtitle);
    m_painter->setPen(Qt::black);
    pageBreak();
}

void PdfDocument::heading(const QString &text) {
    const QFont font = bodyFont(14);
    const int h = textHeight(text, font, m_width);
    ensureRoom(h + 4 * kGap);
    m_y += kGap;
    m_painter->setFont(font);
    m_painter->setPen(QColor(0, 0, 128));
    m_painter->drawText(QRect(0, m_y, m_width, h), Qt::TextWordWrap, text);
    m_painter->setPen(Qt::black);
    m_y += h + kGap;
}

void PdfDocument::paragraph(const QString &text) {
    const QFont font = bodyFont();
    const int h = textHeight(text, font, m_width);
    ensureRoom(h);
    m_painter->setFont(font);
    m_painter->drawText(QRect(0, m_y, m_width, h), Qt::TextWordWrap, text);
    m_y += h + kGap;
}

void PdfDocument::table(const QStringList &headers, const QList<QStringList> &rows, const QList<int> &widths) {
    const QFont font = bodyFont(9);
    const QFont bold = bodyFont(9);
    const int rowHeight = QFontMetrics(font, m_writer.get()).height() + 8;
    QList<int> x{0};
    for (int w : widths)
        x << x.last() + m_width * w / 100;
    const auto drawRow = [&](const QStringList &cells, bool header, bool shaded) {
        ensureRoom(rowHeight);
        const QRect band(0, m_y, x.last(), rowHeight);
        if (header)
            m_painter->fillRect(band, QColor(198, 203, 213));
        else if (shaded)
            m_painter->fillRect(band, QColor(255, 255, 213));
        m_painter->setFont(header ? bold : font);
        for (int c = 0; c < cells.size() && c + 1 < x.size(); ++c) {
            const QRect cell(x[c] + 6, m_y, x[c + 1] - x[c] - 12, rowHeight);
            const Qt::Alignment align = c == 0 ? Qt::AlignLeft : Qt::AlignRight;
            m_painter->drawText(cell, align | Qt::AlignVCenter, cells[c]);
        }
        m_painter->setPen(QColor(160, 160, 160));
        m_painter->drawLine(0, m_y + rowHeight, x.last(), m_y + rowHeight);
        m_painter->setPen(Qt::black);
        m_y += rowHeight;
    };
    drawRow(headers, true, false);
    for (int r = 0; r < rows.size(); ++r) {
        if (m_y + rowHeight > m_height) {
            pageBreak();
            drawRow(headers, true, false);
        }
        drawRow(rows[r], false, r % 2 == 1);
    }
    m_y += kGap;
}

QByteArray PdfDocument::finish() {
    m_painter->end();
    m_writer.reset();
    QByteArray bytes = m_buffer.data();
    // The moment of writing becomes a fixed one of the same length, so the
    // cross-reference offsets stay right.
    static const QRegularExpression date(QStringLiteral("\\(D:(\\d{14})"));
    auto it = date.globalMatch(QString::fromLatin1(bytes));
    while (it.hasNext()) {
        const auto match = it.next();
        bytes.replace(match.capturedStart(1), 14, "20050101000000");
    }
    // Embedded font subsets carry a tag of six capitals that changes from
    // run to run; number them in order of appearance instead.
    static const QRegularExpression subset(QStringLiteral("/([A-Z]{6})\\+"));
    QHash<QString, QByteArray> tags;
    auto tagIt = subset.globalMatch(QString::fromLatin1(bytes));
    while (tagIt.hasNext()) {
        const auto match = tagIt.next();
        if (!tags.contains(match.captured(1))) {
            QByteArray tag("AAAAAA");
            tag[5] = char('A' + tags.size() % 26);
            tag[4] = char('A' + tags.size() / 26 % 26);
            tags.insert(match.captured(1), tag);
        }
        bytes.replace(match.capturedStart(1), 6, tags.value(match.captured(1)));
    }
    return bytes;
}
