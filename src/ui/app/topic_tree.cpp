#include "ui/app/topic_tree.h"

#include "base/data/query.h"
#include "base/data/scope_guard.h"
#include "base/data/study_schema.h"
#include "base/data/text_utils.h"
#include "base/table/topic_code.h"
#include "ui/app/tree_index.h"

#include <QSet>
#include <QTreeWidget>

#include <functional>

const QString TopicTree::kPlaceholder = QStringLiteral("-1");

TopicTree::TopicTree(QTreeWidget &tvOpcoes, QTreeWidget &tvIDOpcoes, Query &qNivelInf)
    : m_tree(tvOpcoes), m_codes(tvIDOpcoes), m_query(qNivelInf) {}

void TopicTree::clear() {
    m_tree.clear();
    m_codes.clear();
}

void TopicTree::load(quint8 nivel, int indice, const QString &nivelExpandido) {
    if (nivelExpandido.size() > 5)
        return;

    const bool topLevel = m_tree.topLevelItemCount() == 0;
    QTreeWidgetItem *node = nullptr;
    QTreeWidgetItem *codeNode = nullptr;
    if (!topLevel) {
        node = TreeIndex::itemAt(m_tree, indice);
        codeNode = TreeIndex::itemAt(m_codes, indice);
        if (!node || !codeNode || !hasPlaceholder(*node))
            return;
        delete node->takeChild(0);
        if (hasPlaceholder(*codeNode))
            delete codeNode->takeChild(0);
    }

    composeStatement(nivel, nivelExpandido);
    m_query.open();
    const ScopeGuard closeQuery([this] { m_query.close(); });

    // New nodes are attached directly to the node being expanded, so a level
    // of any size loads; no position counter limits it.
    const bool childrenAreTopics = nivelExpandido.size() <= 2;
    while (!m_query.eof()) {
        const QString code = m_query.fieldByName(StudySchema::kNivelInformacao).asString();
        const QString title = m_query.fieldByName(StudySchema::kDescricao).asString();
        QTreeWidgetItem *item = nullptr;
        if (topLevel) {
            item = new QTreeWidgetItem(&m_tree, QStringList{title});
            auto *codeItem = new QTreeWidgetItem(&m_codes, QStringList{code});
            setPicture(*item, ClosedTopic);
            // The municipality list is the one top-level topic that is itself
            // a table and has no children.
            if (!TopicCode::isMunicipalityList(code)) {
                addPlaceholder(*item);
                addPlaceholder(*codeItem);
            }
        } else {
            item = new QTreeWidgetItem(node, QStringList{title});
            auto *codeItem = new QTreeWidgetItem(codeNode, QStringList{code});
            if (childrenAreTopics) {
                setPicture(*item, ClosedTopic);
                addPlaceholder(*item);
                addPlaceholder(*codeItem);
            } else {
                setPicture(*item, Table);
            }
        }
        // The narrow panel cuts long titles; the tip shows them whole.
        item->setToolTip(0, title);
        m_query.next();
    }
}

void TopicTree::composeStatement(quint8 nivel, const QString &nivelExpandido) {
    int length = 3 * nivel + 2;
    if (length <= 3)
        length = 2;
    m_query.close();
    QStringList &sql = m_query.sql();
    sql.clear();
    sql << QStringLiteral("select Nivel_Informacao, Descricao");
    sql << QStringLiteral("  From Nivel_Informacao");
    sql << QStringLiteral(" where Len(Nivel_Informacao) = %1").arg(length);
    if (!nivelExpandido.isEmpty()) {
        // Codes are digits and dots; a quote is doubled all the same.
        sql << QStringLiteral("   and Left(Nivel_Informacao,%1) = '%2'")
                   .arg(nivelExpandido.size())
                   .arg(TextUtils::doubleQuotes(nivelExpandido));
    }
    sql << QStringLiteral("order by Nivel_Informacao");
}

QString TopicTree::codeOf(const QTreeWidgetItem &node) const {
    const QTreeWidgetItem *codeNode = TreeIndex::itemAt(m_codes, TreeIndex::indexOf(node));
    return codeNode ? TextUtils::cut(codeNode->text(0)) : QString();
}

void TopicTree::setPicture(QTreeWidgetItem &node, Picture picture) const {
    node.setData(0, kPictureRole, static_cast<int>(picture));
    node.setIcon(0, picture < m_images.size() ? m_images[picture] : QIcon());
}

int TopicTree::picture(const QTreeWidgetItem &node) { return node.data(0, kPictureRole).toInt(); }

void TopicTree::addPlaceholder(QTreeWidgetItem &node) { new QTreeWidgetItem(&node, QStringList{kPlaceholder}); }

bool TopicTree::hasPlaceholder(const QTreeWidgetItem &node) {
    return node.childCount() > 0 && node.child(0)->text(0) == kPlaceholder;
}

QTreeWidgetItem *TopicTree::reveal(const QString &code) {
    // Codes grow by levels: "01", "01.01", "01.01.01".
    QTreeWidgetItem *node = nullptr;
    for (int length = 2; length <= code.size(); length += 3) {
        const QString wanted = code.left(length);
        const int count = node ? node->childCount() : m_tree.topLevelItemCount();
        QTreeWidgetItem *found = nullptr;
        for (int i = 0; i < count && !found; ++i) {
            QTreeWidgetItem *child = node ? node->child(i) : m_tree.topLevelItem(i);
            if (codeOf(*child) == wanted)
                found = child;
        }
        if (!found)
            return nullptr;
        if (length < code.size())
            found->setExpanded(true);
        node = found;
    }
    return node;
}

QTreeWidgetItem *TopicTree::showOnly(const QStringList &codes) {
    QSet<const QTreeWidgetItem *> shown;
    QList<QTreeWidgetItem *> matches;
    for (const QString &code : codes) {
        QTreeWidgetItem *node = reveal(code);
        if (!node)
            continue;
        matches << node;
        for (QTreeWidgetItem *up = node; up; up = up->parent())
            shown.insert(up);
    }
    QTreeWidgetItem *first = nullptr;
    // In the tree's order: a node shows when it or a node above or below it
    // matched.
    const std::function<void(QTreeWidgetItem *, bool)> walk = [&](QTreeWidgetItem *node, bool underMatch) {
        const bool match = matches.contains(node);
        if (match && !first)
            first = node;
        node->setHidden(!(underMatch || shown.contains(node)));
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i), underMatch || match);
    };
    for (int i = 0; i < m_tree.topLevelItemCount(); ++i)
        walk(m_tree.topLevelItem(i), false);
    return first;
}

void TopicTree::showAll() {
    const std::function<void(QTreeWidgetItem *)> walk = [&](QTreeWidgetItem *node) {
        node->setHidden(false);
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    for (int i = 0; i < m_tree.topLevelItemCount(); ++i)
        walk(m_tree.topLevelItem(i));
}
