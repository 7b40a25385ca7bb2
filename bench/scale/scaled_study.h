#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A copy of the build's sample study whose largest table holds its
// municipality rows `factor` times: every copy under new municipality codes
// and names, in that table and in the municipality list, so that a run
// grouped by municipality returns about `factor` times the rows. The copy
// lives in a temporary folder with its own solvane-export beside it (the
// program reads the study beside its executable) and the sample's other
// folders linked in.
class ScaledStudy {
  public:
    static constexpr const char *kTable = "020101"; // the largest table of the study
    static constexpr const char *kTopic = "02.01.01"; // its topic

    explicit ScaledStudy(int factor);

    bool isValid() const { return m_valid; }
    const QString &error() const { return m_error; }
    int factor() const { return m_factor; }
    QString folder() const { return m_dir.path(); }
    QString database() const { return m_dir.filePath(QStringLiteral("Dados/Solvane.db")); }
    QString exporter() const { return m_dir.filePath(QStringLiteral("solvane-export")); }

  private:
    bool build();
    bool multiply(const QString &path);

    int m_factor;
    QTemporaryDir m_dir;
    bool m_valid = false;
    QString m_error;
};
