#include "ui/table/table_clipboard.h"

#include "base/table/result_table.h"
#include "base/table/title_layout.h"

#include <QMimeData>

namespace TableClipboard {
namespace {

// A text in a tab-separated line: tabs and line breaks would split it.
QString plain(QString text) {
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.remove(QLatin1Char('\r'));
    return text;
}

} // namespace

Copy of(const ResultTable &table) {
    const TitleLayout layout = TitleLayout::of(table);
    Copy copy;
    copy.html = QStringLiteral("<table border=\"1\" cellspacing=\"0\">\n");
    for (int level = 0; level < layout.levels; ++level) {
        // A title stands over the first of its columns; the rest of the line
        // is blank under a group and below a column's own title.
        QStringList line(qsizetype(layout.columns.size()));
        copy.html += QStringLiteral("<tr>");
        for (const TitleLayout::Title &title : layout.titles) {
            if (title.level != level)
                continue;
            const QString &text = table.field(title.field).displayLabel();
            line[title.first] = plain(text);
            copy.html += QStringLiteral("<th colspan=\"%1\" rowspan=\"%2\">%3</th>")
                             .arg(title.span)
                             .arg(title.rows)
                             .arg(text.toHtmlEscaped());
        }
        copy.html += QStringLiteral("</tr>\n");
        copy.text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    for (int row = 0; row < table.recordCount(); ++row) {
        QStringList line;
        copy.html += QStringLiteral("<tr>");
        for (const int field : layout.columns) {
            const QString shown = table.displayText(row, field);
            line << plain(shown);
            copy.html += (table.field(field).isNumeric() ? QStringLiteral("<td align=\"right\">")
                                                          : QStringLiteral("<td>")) +
                         shown.toHtmlEscaped() + QStringLiteral("</td>");
        }
        copy.html += QStringLiteral("</tr>\n");
        copy.text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    copy.html += QStringLiteral("</table>\n");
    return copy;
}

QMimeData *mimeData(const Copy &copy) {
    auto *data = new QMimeData;
    data->setText(copy.text);
    data->setHtml(copy.html);
    return data;
}

} // namespace TableClipboard
