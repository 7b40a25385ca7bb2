#pragma once

#include "support/export_process.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The generated sample study in a temporary folder that is the program's
// folder for the window (through ProgramFolder) and for solvane-export,
// copied there with its drawing program so that it takes that folder as
// its own. The study's data are links to the build's; the legend folder
// belongs to the copy, so a legend saved by one test reaches no other.
class StudyCopy {
  public:
    StudyCopy();
    ~StudyCopy();
    StudyCopy(const StudyCopy &) = delete;
    StudyCopy &operator=(const StudyCopy &) = delete;

    QString folder() const { return m_dir.path(); }
    // Whether every file and link could be made.
    bool made() const { return m_made; }

    using Run = ExportProcess;
    // Runs the copied solvane-export with the arguments and waits for it.
    Run exportWith(const QStringList &arguments) const;

  private:
    QTemporaryDir m_dir;
    bool m_made = false;
};
