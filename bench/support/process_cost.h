#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What one whole process cost: its own CPU time (user + system, which a
// loaded machine disturbs less than the wall clock), its wall time and its
// peak resident memory, from the kernel's accounting of that child alone.
struct ProcessCost {
    bool ok = false; // started and ended normally with status 0
    double cpuSeconds = 0;
    double wallSeconds = 0;
    double peakKB = 0;
    QByteArray output; // its standard output, when asked for
};

// Runs program with arguments, its standard output thrown away or, on
// request, collected.
ProcessCost runProcess(const QString &program, const QStringList &arguments, bool keepOutput = false);
