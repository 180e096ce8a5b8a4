#include "ORVO.Assets.ProjectLock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvo {

namespace {

struct TqoHeldLock
{
    int Descriptor = -1;
    int Count = 0;
};

// flock belongs to an open file, so a second open in the same process would wait for itself:
// nested locks share the first one.
QHash<QString, TqoHeldLock>& HeldLocks()
{
    static QHash<QString, TqoHeldLock> Locks;
    return Locks;
}

bool IsSameFile(int ADescriptor, const QString& AFileName)
{
    struct stat LOpen
    {
    };
    struct stat LNamed
    {
    };
    return fstat(ADescriptor, &LOpen) == 0 && stat(QFile::encodeName(AFileName).constData(), &LNamed) == 0 &&
           LOpen.st_dev == LNamed.st_dev && LOpen.st_ino == LNamed.st_ino;
}

} // namespace

int TqoProjectLock::DefaultWaitMs()
{
    bool LOk = false;
    const int LValue = qEnvironmentVariableIntValue("ORVO_LOCK_WAIT_MS", &LOk);
    return LOk && LValue >= 0 ? LValue : 30000;
}

TqoProjectLock::TqoProjectLock(const QString& AProjectFileName, int AWaitMs)
    : FKey(QFileInfo(AProjectFileName).absoluteFilePath())
{
    TqoHeldLock& LHeld = HeldLocks()[FKey];
    if (LHeld.Count > 0) {
        ++LHeld.Count;
        return;
    }
    QElapsedTimer LTimer;
    LTimer.start();
    const QByteArray LName = QFile::encodeName(FKey);
    while (true) {
        const int LDescriptor = open(LName.constData(), O_RDONLY | O_CLOEXEC);
        if (LDescriptor < 0) {
            HeldLocks().remove(FKey);
            throw core::EqoFileError(
                FKey, 0,
                QStringLiteral("cannot open the project to lock it: %1").arg(QString::fromLocal8Bit(strerror(errno))));
        }
        bool LLocked = false;
        while (!(LLocked = flock(LDescriptor, LOCK_EX | LOCK_NB) == 0) && errno == EWOULDBLOCK &&
               LTimer.elapsed() < AWaitMs)
            QThread::msleep(20);
        // A project saved by replacing its file leaves the lock on the old one: lock the new.
        if (LLocked && IsSameFile(LDescriptor, FKey)) {
            LHeld.Descriptor = LDescriptor;
            LHeld.Count = 1;
            return;
        }
        close(LDescriptor);
        if (!LLocked) {
            HeldLocks().remove(FKey);
            throw EqoProjectLocked(
                QStringLiteral("The project is in use by another program that is changing its assets; try again when "
                               "it is done: projectFileName=\"%1\"")
                    .arg(FKey));
        }
    }
}

TqoProjectLock::~TqoProjectLock()
{
    auto LIt = HeldLocks().find(FKey);
    if (LIt == HeldLocks().end() || --LIt->Count > 0)
        return;
    close(LIt->Descriptor); // releases the flock
    HeldLocks().erase(LIt);
}

} // namespace orvo
