#pragma once

#include <QString>
#include <QStringList>

// jet_writer run as the tests run it: its status and error output.
struct JetWriterRun {
    int status;
    QString errors;

    static JetWriterRun run(const QStringList &arguments);
};
