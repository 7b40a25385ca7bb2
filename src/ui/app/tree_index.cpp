#include "ui/app/tree_index.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>

namespace TreeIndex {
namespace {

// Counts the nodes of a branch (the node and all below it).
int branchSize(const QTreeWidgetItem &item) {
    int size = 1;
    for (int i = 0; i < item.childCount(); ++i)
        size += branchSize(*item.child(i));
    return size;
}

// Walks down the siblings, skipping whole branches, to the node at offset
// `remaining` from the first of them.
QTreeWidgetItem *find(QTreeWidgetItem *parent, const QTreeWidget &tree, int remaining) {
    const int count = parent ? parent->childCount() : tree.topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem *child = parent ? parent->child(i) : tree.topLevelItem(i);
        if (remaining == 0)
            return child;
        const int size = branchSize(*child);
        if (remaining < size)
            return find(child, tree, remaining - 1);
        remaining -= size;
    }
    return nullptr;
}

} // namespace

QTreeWidgetItem *itemAt(const QTreeWidget &tree, int absoluteIndex) {
    if (absoluteIndex < 0)
        return nullptr;
    return find(nullptr, tree, absoluteIndex);
}

int indexOf(const QTreeWidgetItem &item) {
    int index = 0;
    const QTreeWidgetItem *node = &item;
    while (node) {
        const QTreeWidgetItem *parent = node->parent();
        auto *self = const_cast<QTreeWidgetItem *>(node); // Qt's lookups take non-const items
        const int position = parent ? parent->indexOfChild(self) : node->treeWidget()->indexOfTopLevelItem(self);
        for (int i = 0; i < position; ++i)
            index += branchSize(*(parent ? parent->child(i) : node->treeWidget()->topLevelItem(i)));
        if (parent)
            ++index; // the parent itself comes before its children
        node = parent;
    }
    return index;
}

int level(const QTreeWidgetItem &item) {
    int depth = 0;
    for (const QTreeWidgetItem *node = item.parent(); node; node = node->parent())
        ++depth;
    return depth;
}

} // namespace TreeIndex
