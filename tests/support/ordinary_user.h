#pragma once

#include <QString>

#include <functional>

struct UserRun {
    bool skipped = false;
    QString report; // what the work returned, or why it could not run
};

// Runs work as an ordinary user, for the checks root would pass without
// testing anything (a file the user may not read or write): in this process
// when it is one, else in a child that drops to the unprivileged ids 65534
// and sends the work's report back through a pipe. skipped says the ids
// could not be dropped.
UserRun runAsOrdinaryUser(const std::function<QString()> &work);
