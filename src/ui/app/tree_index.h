#pragma once

class QTreeWidget;
class QTreeWidgetItem;

// A node's absolute index: its position when every node of the tree is
// counted in display order (pre-order), collapsed branches included, from 0.
// The topic tree and its hidden twin of codes have the same shape, so the
// same index names matching nodes in both.
namespace TreeIndex {

// The node at an absolute index, or null past the last node.
QTreeWidgetItem *itemAt(const QTreeWidget &tree, int absoluteIndex);

// The absolute index of a node of its tree.
int indexOf(const QTreeWidgetItem &item);

// The depth of a node: 0 at the top level.
int level(const QTreeWidgetItem &item);

} // namespace TreeIndex
