#pragma once

#include <QString>

#include <vector>

class QMimeData;
class ResultTableModel;

// The whole table as the grid shows it, for other programs to paste: the
// column titles (a group's title over its members, as the grid nests them),
// then every row with its figures as the grid writes them. As tab-separated
// text and as an HTML table, which spreadsheets and word processors take.
namespace TableClipboard {

struct Copy {
    QString text;
    QString html;
};

// The columns to copy are given in order: the model's columns that are not
// groups (a group is a title over its members, with no cells of its own).
Copy of(const ResultTableModel &model, const std::vector<int> &columns);

// Both forms in one clipboard entry.
QMimeData *mimeData(const Copy &copy);

} // namespace TableClipboard
