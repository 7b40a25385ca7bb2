#include "municipality_list.h"

#include "base/data/app_error.h"

#include <QFile>
#include <QSet>

MunicipalityList MunicipalityList::read(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Não foi possível ler a lista de municípios %1: %2 (rode scripts/setup.sh)")
                           .arg(path, file.errorString()));
    MunicipalityList list;
    QSet<int> seen;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QStringList parts = line.trimmed().split(QLatin1Char('\t'));
        if (parts.size() < 4)
            continue;
        bool stateOk = false;
        bool codeOk = false;
        const int state = parts[0].toInt(&stateOk);
        const int local = parts[2].toInt(&codeOk);
        if (!stateOk || !codeOk || parts[3].trimmed().isEmpty())
            continue;
        const int code = state * 100000 + local;
        if (seen.contains(code))
            continue;
        seen.insert(code);
        list.m_all.push_back({code, state, parts[3].trimmed()});
    }
    if (list.m_all.empty())
        throw AppError(QStringLiteral("A lista de municípios %1 não tem nenhuma linha válida.").arg(path));
    return list;
}
