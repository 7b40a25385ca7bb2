#include "base/table/attribute_line.h"

#include "base/data/comma_text.h"

QString AttributeLine::text() const { return CommaText::joinQuoted({kind, path, title, name, formula, sample}); }

AttributeLine AttributeLine::parse(const QString &line) {
    QStringList items = CommaText::split(line);
    while (items.size() < 6)
        items << QString();
    return {items[0], items[1], items[2], items[3], items[4], items[5]};
}

std::vector<AttributeLine> AttributeLine::parseAll(const QStringList &lines) {
    std::vector<AttributeLine> result;
    result.reserve(lines.size());
    for (const QString &line : lines)
        result.push_back(parse(line));
    return result;
}
