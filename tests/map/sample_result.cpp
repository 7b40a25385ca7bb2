#include "sample_result.h"

#include "base/data/app_error.h"
#include "base/data/program_folder.h"

SampleResult::SampleResult() {
    ProgramFolder::setPath(kStudy);
    db.setPath(ProgramFolder::studyFile());
    db.setConnected(true);
}

SampleResult::~SampleResult() { ProgramFolder::setPath(QString()); }

const CurrentResult &SampleResult::run(const SelectionState &s, const QString &field) {
    if (!tableRun.run(QStringLiteral("01.01.01"), s))
        throw AppError(QStringLiteral("not a table"));
    tableRun.clearMark();
    tableRun.markColumn(1, cdsDados.fieldByName(field).name(), field);
    return tableRun.result();
}

SelectionState selection(int agrupar, int uf, int rm, int regiao) {
    SelectionState s;
    s.agrupar = static_cast<Grouping::Level>(agrupar);
    s.unidadeFederativa = uf;
    s.regiaoMetropolitana = rm;
    s.regiao = regiao;
    return s;
}
