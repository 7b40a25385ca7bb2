#include "sample_result.h"

#include "data/app_error.h"
#include "data/program_folder.h"
#include "table/topic_notes.h"

SampleResult::SampleResult() {
    ProgramFolder::setPath(kStudy);
    db.setPath(ProgramFolder::file(QStringLiteral("Dados/Solvane.db")));
    db.setConnected(true);
    qObservacao.sql() = TopicNotes::initialStatement();
}

SampleResult::~SampleResult() { ProgramFolder::setPath(QString()); }

MapRequest SampleResult::run(const SelectionState &s, const QString &field) {
    if (!tableRun.run(QStringLiteral("01.01.01"), s, state))
        throw AppError(QStringLiteral("not a table"));
    MapRequest request;
    request.cdsDados = &cdsDados;
    request.valueStatement = qValorNivel.sql();
    request.FNivelSelecionado = QStringLiteral("01.01.01");
    request.FCampoMarcado = cdsDados.fieldByName(field).name();
    request.FCampoPercentual = field;
    request.totalKind = state.totalKind;
    request.selection = s;
    return request;
}

SelectionState selection(int agrupar, int uf, int rm, int regiao) {
    SelectionState s;
    s.agrupar = agrupar;
    s.unidadeFederativa = uf;
    s.regiaoMetropolitana = rm;
    s.regiao = regiao;
    return s;
}
