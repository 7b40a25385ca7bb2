#include "ui/table/table_clipboard.h"

#include "base/table/result_field.h"
#include "base/table/result_table.h"
#include "ui/table/result_table_model.h"

#include <QMimeData>

namespace TableClipboard {
namespace {

// The title over a column at a nesting level: its own at its depth, its
// ancestor's above it; -1 below its depth.
int fieldAt(const ResultTableModel &model, int column, int level) {
    const int depth = model.depth(column);
    if (level > depth)
        return -1;
    int field = model.field(column).index();
    for (int up = depth; up > level; --up)
        field = model.table().field(field).parent();
    return field;
}

// A text in a tab-separated line: tabs and line breaks would split it.
QString plain(QString text) {
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.remove(QLatin1Char('\r'));
    return text;
}

} // namespace

Copy of(const ResultTableModel &model, const std::vector<int> &columns) {
    Copy copy;
    const int levels = model.maxDepth() + 1;
    copy.html = QStringLiteral("<table border=\"1\" cellspacing=\"0\">\n");
    for (int level = 0; level < levels; ++level) {
        QStringList line;
        copy.html += QStringLiteral("<tr>");
        for (size_t i = 0; i < columns.size(); ++i) {
            const int field = fieldAt(model, columns[i], level);
            const bool repeated = field >= 0 && i > 0 && fieldAt(model, columns[i - 1], level) == field;
            line << (field >= 0 && !repeated ? plain(model.table().field(field).displayLabel()) : QString());
            if (field < 0 || repeated)
                continue;
            // A group's title spans its members; a column's own title the
            // levels below it.
            size_t span = 1;
            while (i + span < columns.size() && fieldAt(model, columns[i + span], level) == field)
                ++span;
            const int rows = model.depth(columns[i]) == level ? levels - level : 1;
            copy.html += QStringLiteral("<th colspan=\"%1\" rowspan=\"%2\">%3</th>")
                             .arg(span)
                             .arg(rows)
                             .arg(model.table().field(field).displayLabel().toHtmlEscaped());
        }
        copy.html += QStringLiteral("</tr>\n");
        copy.text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList line;
        copy.html += QStringLiteral("<tr>");
        for (const int column : columns) {
            const QModelIndex index = model.index(row, column);
            const QString shown = model.data(index).toString();
            line << plain(shown);
            const bool right = (model.data(index, Qt::TextAlignmentRole).toInt() & Qt::AlignRight) != 0;
            copy.html += (right ? QStringLiteral("<td align=\"right\">") : QStringLiteral("<td>")) +
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
