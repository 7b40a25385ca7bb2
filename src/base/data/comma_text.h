#pragma once

#include <QStringList>

// Comma text: a list of items in one line, separated by commas. An item that
// has no blank, comma or double quote stands as it is; any
// other is wrapped in double quotes with its own quotes doubled. Reading
// splits at commas and, outside quotes, at blanks too.
namespace CommaText {

QString join(const QStringList &items);
// Every item wrapped in double quotes, its own quotes doubled, whatever it
// holds: split() reads each item back unchanged.
QString joinQuoted(const QStringList &items);
QStringList split(const QString &line);

} // namespace CommaText
