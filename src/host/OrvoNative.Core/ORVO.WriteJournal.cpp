#include "ORVO.WriteJournal.h"

#include <QDir>
#include <QFileInfo>

namespace core {

namespace {
thread_local TqoWriteJournal* GInnermost = nullptr;
}

TqoWriteJournal::TqoWriteJournal() : FOuter(GInnermost) { GInnermost = this; }

TqoWriteJournal::~TqoWriteJournal() { GInnermost = FOuter; }

void TqoWriteJournal::Note(const QString& AFileName)
{
    if (!GInnermost)
        return;
    const QString LPath = QDir::cleanPath(QFileInfo(AFileName).absoluteFilePath());
    for (TqoWriteJournal* LJournal = GInnermost; LJournal; LJournal = LJournal->FOuter)
        LJournal->FFiles.insert(LPath);
}

} // namespace core
