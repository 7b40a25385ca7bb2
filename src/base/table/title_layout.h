#pragma once

#include <vector>

class ResultTable;

// The shown columns of a result table and the titles over them, nested as
// the grid nests them: a group's title spans its members' columns, and a
// column's own title spans the levels below it. The copy of the table and
// the printed report lay out their titles from it.
struct TitleLayout {
    struct Title {
        int field;   // index in the table
        int level;   // 0: the top row of titles
        int first;   // first column it stands over (index into columns)
        int span;    // columns it stands over
        int rows;    // title rows it takes, from its level down
    };

    std::vector<int> columns; // the shown fields that hold figures or texts, in order
    int levels = 0;           // rows of titles
    std::vector<Title> titles; // by level, then from left to right

    static TitleLayout of(const ResultTable &table);
};
