#pragma once

#include <QString>
#include <QVector>

// The help window's search over the help's text, as the topic search
// compares: case and accents ignored, so "coabitacao" finds "Coabitação".
// The text is folded once, character by character, keeping where each
// folded character came from, so a match is given in the text's own
// positions.
class HelpSearch {
public:
    explicit HelpSearch(const QString &text);

    struct Match {
        int position = -1; // in the text given; -1 when nothing matched
        int length = 0;
        bool found() const { return position >= 0; }
    };

    // The first match of the typed text at or after position from, else the
    // first from the start; none for a blank text.
    Match find(const QString &typed, int from = 0) const;

private:
    QString m_folded;
    // For each folded character, the position of the character it came
    // from; one more entry for the end of the text.
    QVector<int> m_origin;
};
