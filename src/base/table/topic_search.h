#pragma once

#include <QString>
#include <QStringList>

class Database;

// The topic tree's search: the topics whose title holds every typed word,
// ignoring case and accents ("deficit rustico" finds "Déficit … rústicos").
// It reads the whole catalogue, so it finds topics on levels the tree has
// not loaded yet.
namespace TopicSearch {

// A text as the search compares it: lower case, without accents.
QString folded(const QString &text);

// The typed words, folded; none for a blank text.
QStringList words(const QString &typed);

// Whether a title holds every one of the folded words.
bool matches(const QString &title, const QStringList &foldedWords);

// The codes of the matching topics, headings and tables alike, in the
// catalogue's order; none for a blank text.
QStringList find(Database &database, const QString &typed);

} // namespace TopicSearch
