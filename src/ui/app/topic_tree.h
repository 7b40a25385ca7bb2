#pragma once

#include <QIcon>
#include <QList>
#include <QString>

class Query;
class QTreeWidget;
class QTreeWidgetItem;

// The topic tree of the main window: the visible tree of titles and its
// hidden twin of codes, loaded one level at a time from Nivel_Informacao.
// Both trees always get the same nodes in the same order, so a node's code
// is the text of the twin's node at the same absolute index. A node whose
// children are not loaded yet has one placeholder child "-1" in both trees.
class TopicTree {
public:
    // Pictures of the visible tree's nodes (indexes into its image list).
    enum Picture { ClosedTopic = 0, OpenTopic = 1, Table = 2 };
    // The item data role holding a node's picture index.
    static constexpr int kPictureRole = Qt::UserRole + 1;

    TopicTree(QTreeWidget &tvOpcoes, QTreeWidget &tvIDOpcoes, Query &qNivelInf);

    void setImageList(const QList<QIcon> &images) { m_images = images; }

    // Empties both trees.
    void clear();

    // Loads one level. nivel is the depth to load (0 top, 1, 2); indice the
    // absolute index of the node being expanded; nivelExpandido its code
    // (empty for the top level). Reads nothing once the node's placeholder is
    // gone, and nothing below the second level.
    void load(quint8 nivel, int indice, const QString &nivelExpandido);

    // The code of a node of the visible tree, at most 50 characters.
    QString codeOf(const QTreeWidgetItem &node) const;

    // The topic search: shows only the nodes of these codes, the headings
    // above them opened (their levels loaded as a click on them loads them)
    // and whatever is loaded under a shown heading. Returns the first node
    // shown for a code, in the tree's order; none when no code is found.
    QTreeWidgetItem *showOnly(const QStringList &codes);
    // Shows every node again, as opened or shut as the search left them.
    void showAll();

    void setPicture(QTreeWidgetItem &node, Picture picture) const;
    static int picture(const QTreeWidgetItem &node);

    static const QString kPlaceholder;

private:
    // The node of a code, opening the headings above it; null when there is
    // none.
    QTreeWidgetItem *reveal(const QString &code);
    static void addPlaceholder(QTreeWidgetItem &node);
    static bool hasPlaceholder(const QTreeWidgetItem &node);
    void composeStatement(quint8 nivel, const QString &nivelExpandido);

    QTreeWidget &m_tree;
    QTreeWidget &m_codes;
    Query &m_query;
    QList<QIcon> m_images;
};
