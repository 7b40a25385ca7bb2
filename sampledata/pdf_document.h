#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QList>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <memory>

// A simple A4 document of headings, paragraphs and tables, laid out from
// top to bottom with page breaks where the next block does not fit.
class PdfDocument {
public:
    explicit PdfDocument(const QString &title);

    void title(const QString &text, const QString &subtitle);
    void heading(const QString &text);
    void paragraph(const QString &text);
    // Every column but the first (the names) is right-aligned.
    void table(const QStringList &headers, const QList<QStringList> &rows, const QList<int> &widths);
    void pageBreak();

    // The finished file. The creation date is fixed, so the same content
    // gives the same bytes.
    QByteArray finish();

private:
    void ensureRoom(int height);
    int textHeight(const QString &text, const QFont &font, int width) const;

    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    int m_y = 0;
    int m_width = 0;
    int m_height = 0;
};
