#pragma once

#include <QString>

// What one generation wrote, for the build log and the documentation.
struct SampleStudyReport {
    int municipalities = 0;
    int micros = 0;
    int metropolitans = 0;
    int topics = 0;
    int tables = 0;
    qint64 dataRows = 0;
    qint64 databaseBytes = 0;
    int maps = 0;
    qint64 mapBytes = 0;
    qint64 milliseconds = 0;

    QString summary() const;
};

// Generates the whole sample study into a program folder: Dados/Solvane.db,
// Mapas/, Anexos/ and Imagens/. Everything comes from the public
// facts of the npm packages and one fixed seed, so every run writes the
// same files.
class SampleStudyGenerator {
public:
    static constexpr quint64 kSeed = 2000;

    // packagesFolder holds the installed npm packages (sampledata/node_modules).
    SampleStudyGenerator(const QString &packagesFolder, const QString &programFolder);

    // Raises AppError with a clear message when a package file is missing or
    // a file cannot be written.
    SampleStudyReport run() const;

private:
    QString m_packages;
    QString m_program;
};
