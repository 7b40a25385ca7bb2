#pragma once

#include <QString>

class SampleGeography;
class TopicCatalogue;

// Writes the study database: the territory tables, the topic tree, the
// attribute catalogues, the notes and one data table per table topic with
// a row for every municipality and for every total the groupings need.
namespace StudyDatabaseWriter {

struct Counts {
    int tables = 0;
    qint64 dataRows = 0;
    qint64 bytes = 0;
};

// Builds the file beside its target and moves it into place when complete.
// Raises AppError with the engine's message when anything fails.
Counts write(const SampleGeography &geography, const TopicCatalogue &topics, const QString &path, quint64 seed);

} // namespace StudyDatabaseWriter
