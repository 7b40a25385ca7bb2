#pragma once

#include "base/selection/grouping.h"

#include <QStringList>

class Query;

// What the notes area under the table shows for a topic: the notes memo, the
// notes panel and its height, the line about the grouped small
// municipalities, and the caption panel above them.
struct TopicNotes {
    QStringList lines;             // memNota
    bool notaVisible = false;      // pnlNota
    int notaHeight = 0;            // pnlNota, when shown
    bool nota20000Visible = false; // lblNota20000
    bool nota1Visible = false;     // pnlNota1

    static inline const QString kNota20000 =
        QStringLiteral("- Municípios de população na cidade, inferior a 20.000 habitantes foram agrupados em "
                       "\"DEMAIS MUNICÍPIOS\".");

    // The statement qObservacao starts with; its third line names the topic.
    static QStringList initialStatement();

    // Reads the notes of a table topic through qObservacao; the grouping
    // level decides the line about small municipalities. The municipality
    // list shows no notes.
    static TopicNotes read(Query &qObservacao, const QString &topic, Grouping::Level agrupar);
};
