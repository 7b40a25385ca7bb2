#pragma once

#include <QString>

class SampleGeography;
class TopicCatalogue;

// Writes the three attached documents under "Anexos/": the report and the
// statistical annex as PDF files and the annex as a workbook. They describe
// the sample study with figures taken from its database tables.
namespace AttachmentWriter {

inline const QString kReport = QStringLiteral("Anexos/Relatório_Solvane2005.pdf");
inline const QString kAnnex = QStringLiteral("Anexos/Solvane2005_Anexo.pdf");
inline const QString kWorkbook = QStringLiteral("Anexos/Solvane2005_Anexo.xlsx");

void write(const SampleGeography &geography, const TopicCatalogue &topics, const QString &programFolder,
           quint64 seed);

} // namespace AttachmentWriter
