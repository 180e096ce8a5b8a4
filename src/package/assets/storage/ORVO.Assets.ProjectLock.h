#pragma once

// An exclusive lock on a project for the length of a load-change-save, so that two programs
// working on one project's assets take turns instead of losing each other's changes. It is an
// advisory lock (flock) on the project file opened read-only: nothing is written to take it.

#include "ORVO.Exceptions.h"

#include <QString>
#include <memory>

namespace orvo {

// The lock could not be taken within the wait.
class EqoProjectLocked : public core::EqoException
{
public:
    using EqoException::EqoException;
};

class TqoProjectLock
{
public:
    // Waits up to AWaitMs for the lock on the project file; raises EqoProjectLocked when another
    // program keeps it longer. Locks of one process on one project nest.
    explicit TqoProjectLock(const QString& AProjectFileName, int AWaitMs = DefaultWaitMs());
    ~TqoProjectLock();
    TqoProjectLock(const TqoProjectLock&) = delete;
    TqoProjectLock& operator=(const TqoProjectLock&) = delete;

    // 30 s, or ORVO_LOCK_WAIT_MS when set.
    static int DefaultWaitMs();

private:
    QString FKey;
};

} // namespace orvo
