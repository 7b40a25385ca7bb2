#include "support/study_copy.h"

#include "base/data/program_folder.h"

#include <QDir>
#include <QFile>

namespace {

const QString kBuiltStudy = QStringLiteral(SOLVANE_PROGRAM_DIR);

} // namespace

StudyCopy::StudyCopy() {
    const QDir built(kBuiltStudy);
    const QDir copy(m_dir.path());
    bool made = m_dir.isValid();
    for (const char *program : {"solvane-export", "solvane-export-desenho", "solvane-export-planilha"})
        made = made && QFile::copy(built.filePath(QLatin1String(program)), copy.filePath(QLatin1String(program)));
    for (const char *data : {"Dados", "Imagens", "Ajuda", "Anexos"})
        made = made && QFile::link(built.filePath(QLatin1String(data)), copy.filePath(QLatin1String(data)));
    made = made && copy.mkpath(QStringLiteral("Mapas/Legendas"));
    for (const QString &maps :
         QDir(built.filePath(QStringLiteral("Mapas"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (maps != QLatin1String("Legendas"))
            made = made && QFile::link(built.filePath(QStringLiteral("Mapas/") + maps),
                                       copy.filePath(QStringLiteral("Mapas/") + maps));
    m_made = made;
    ProgramFolder::setPath(m_dir.path());
}

StudyCopy::~StudyCopy() { ProgramFolder::setPath(QString()); }

StudyCopy::Run StudyCopy::exportWith(const QStringList &arguments) const {
    return ExportProcess::run(QDir(m_dir.path()).filePath(QStringLiteral("solvane-export")), arguments);
}
