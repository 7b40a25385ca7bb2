#pragma once

#include <QString>
#include <vector>

class ResultTable;
class ResultField;

enum class FieldKind { Text, Integer, Float, Group };

// Turns the value of a field on a row into the text the grid shows.
using GetTextHandler = QString (*)(const ResultTable &table, int row, const ResultField &field);

// One field of the result table: a value field holding one cell per row, or a
// group field whose children follow it. A child's full name is its parent's
// full name, "." and its own name. Title, width, visibility, format, tag and
// handler only affect how the field is shown.
class ResultField {
  public:
    ResultField(int index, const QString &name, const QString &fullName, FieldKind kind, int size, int parent)
        : m_index(index), m_name(name), m_fullName(fullName), m_kind(kind), m_size(size), m_parent(parent),
          m_displayLabel(name) {}

    int index() const { return m_index; }
    const QString &name() const { return m_name; }
    const QString &fullName() const { return m_fullName; }
    FieldKind kind() const { return m_kind; }
    bool isGroup() const { return m_kind == FieldKind::Group; }
    bool isNumeric() const { return m_kind == FieldKind::Integer || m_kind == FieldKind::Float; }
    int size() const { return m_size; }
    int parent() const { return m_parent; }
    const std::vector<int> &children() const { return m_children; }
    // Index of the cell column of a value field; -1 for a group.
    int column() const { return m_column; }

    const QString &displayLabel() const { return m_displayLabel; }
    void setDisplayLabel(const QString &label) { m_displayLabel = label; }
    int displayWidth() const { return m_displayWidth; }
    void setDisplayWidth(int width) { m_displayWidth = width; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    const QString &displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &format) { m_displayFormat = format; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    GetTextHandler onGetText() const { return m_onGetText; }
    void setOnGetText(GetTextHandler handler) { m_onGetText = handler; }

  private:
    friend class ResultTable;

    int m_index;
    QString m_name;
    QString m_fullName;
    FieldKind m_kind;
    int m_size;
    int m_parent;
    std::vector<int> m_children;
    int m_column = -1;

    QString m_displayLabel;
    int m_displayWidth = 0;
    bool m_visible = true;
    QString m_displayFormat;
    int m_tag = 0;
    GetTextHandler m_onGetText = nullptr;
};
