#include "ui/extras/help_search.h"

#include "base/table/topic_search.h"

HelpSearch::HelpSearch(const QString &text) {
    m_folded.reserve(text.size());
    m_origin.reserve(text.size() + 1);
    for (int position = 0; position < text.size(); ++position) {
        const QString one = TopicSearch::folded(QString(text.at(position)));
        m_folded += one;
        m_origin.insert(m_origin.size(), one.size(), position);
    }
    m_origin.append(int(text.size()));
}

HelpSearch::Match HelpSearch::find(const QString &typed, int from) const {
    const QString wanted = TopicSearch::folded(typed.simplified());
    if (wanted.isEmpty())
        return {};
    // The first folded character that comes from position from or later.
    const int start = int(std::lower_bound(m_origin.cbegin(), m_origin.cend(), from) - m_origin.cbegin());
    qsizetype at = m_folded.indexOf(wanted, start);
    if (at < 0)
        at = m_folded.indexOf(wanted);
    if (at < 0)
        return {};
    // Up to the next folded character: accents written apart from their
    // letter end the match with it.
    const int end = m_origin.at(at + wanted.size());
    return {m_origin.at(at), end - m_origin.at(at)};
}
