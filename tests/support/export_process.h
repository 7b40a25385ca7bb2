#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A solvane-export run as a user runs it from a shell set to Brazilian
// Portuguese, the number format the window shows: its status, standard
// output and messages.
struct ExportProcess {
    int status;
    QByteArray out;
    QString err;

    // Runs the program with the arguments and waits for it; a program that
    // does not finish in two minutes gives status -1 and says so in err, one
    // ended by a signal 128 + the signal's number, as a shell shows it. With
    // addressSpace (bytes) the program runs under that limit of its address
    // space, as "ulimit -v" sets it, with font caches of its own to write.
    static ExportProcess run(const QString &program, const QStringList &arguments, qint64 addressSpace = 0);
};
