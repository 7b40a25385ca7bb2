#pragma once

#include <QString>

class QMimeData;
class ResultTable;

// The whole table as the grid shows it, for other programs to paste: the
// column titles (a group's title over its members, as the grid nests them),
// then every row with its figures as the grid writes them. As tab-separated
// text and as an HTML table, which spreadsheets and word processors take.
namespace TableClipboard {

struct Copy {
    QString text;
    QString html;
};
Copy of(const ResultTable &table);

// Both forms in one clipboard entry.
QMimeData *mimeData(const Copy &copy);

} // namespace TableClipboard
