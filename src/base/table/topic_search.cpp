#include "base/table/topic_search.h"

#include "base/data/query.h"
#include "base/data/study_schema.h"

#include <QRegularExpression>

namespace TopicSearch {

QString folded(const QString &text) {
    QString plain;
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    plain.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c;
    return plain.toCaseFolded();
}

QStringList words(const QString &typed) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return folded(typed).split(blanks, Qt::SkipEmptyParts);
}

bool matches(const QString &title, const QStringList &foldedWords) {
    const QString plain = folded(title);
    for (const QString &word : foldedWords)
        if (!plain.contains(word))
            return false;
    return true;
}

QStringList find(Database &database, const QString &typed) {
    const QStringList wanted = words(typed);
    if (wanted.isEmpty())
        return {};
    Query query(database);
    query.setActivity(QStringLiteral("procurar \"%1\" nos tópicos").arg(typed));
    query.sql() << QStringLiteral("select Nivel_Informacao, Descricao From Nivel_Informacao order by Nivel_Informacao");
    query.open();
    QStringList codes;
    for (; !query.eof(); query.next())
        if (matches(query.fieldByName(StudySchema::kDescricao).asString(), wanted))
            codes << query.fieldByName(StudySchema::kNivelInformacao).asString();
    return codes;
}

} // namespace TopicSearch
