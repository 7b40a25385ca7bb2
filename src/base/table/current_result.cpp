#include "base/table/current_result.h"

CurrentResult::CurrentResult(Database &database) : m_qValorNivel(database) {
    m_cdsDados.setObjectName(QStringLiteral("cdsDados"));
    m_qValorNivel.setObjectName(QStringLiteral("qValorNivel"));
}
