#include "base/table/topic_code.h"

#include "base/data/text_utils.h"

namespace TopicCode {

bool isMunicipalityList(const QString &topic) { return topic == kMunicipalityList; }

bool isTable(const QString &topic) { return topic.size() == 8 || isMunicipalityList(topic); }

QString tableName(const QString &topic) {
    return TextUtils::cut(TextUtils::SubstituiTexto(QStringLiteral("."), topic, QString()));
}

} // namespace TopicCode
