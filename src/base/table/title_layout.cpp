#include "base/table/title_layout.h"

#include "base/table/result_table.h"

#include <algorithm>

namespace {

// Adds the shown fields under a level, depth first: a group's title, then
// its members'.
void place(const ResultTable &table, const std::vector<int> &fields, int level, TitleLayout &layout) {
    for (const int index : fields) {
        const ResultField &field = table.field(index);
        if (!field.isVisible())
            continue;
        const int first = int(layout.columns.size());
        layout.levels = std::max(layout.levels, level + 1);
        layout.titles.push_back({index, level, first, 0, 1});
        const size_t title = layout.titles.size() - 1;
        if (field.isGroup())
            place(table, field.children(), level + 1, layout);
        else
            layout.columns.push_back(index);
        layout.titles[title].span = int(layout.columns.size()) - first;
    }
}

} // namespace

TitleLayout TitleLayout::of(const ResultTable &table) {
    TitleLayout layout;
    place(table, table.topLevelFields(), 0, layout);
    // A column's own title reaches down to the last row of titles; an empty
    // group stands over nothing and is left out.
    std::vector<Title> titles;
    for (Title title : layout.titles) {
        if (title.span == 0)
            continue;
        if (!table.field(title.field).isGroup())
            title.rows = layout.levels - title.level;
        titles.push_back(title);
    }
    std::stable_sort(titles.begin(), titles.end(), [](const Title &a, const Title &b) { return a.level < b.level; });
    layout.titles = std::move(titles);
    return layout;
}
