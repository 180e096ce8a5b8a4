#pragma once

#include <QSet>
#include <QString>

namespace core {

// The files written on this thread while a journal is open. A save tells the files it wrote
// from those it left alone by the journal, instead of looking at every file again: on a
// project of thousands of files that second look costs more than the save itself.
// Journals nest; a write is noted in every open one.
class TqoWriteJournal
{
public:
    TqoWriteJournal();
    ~TqoWriteJournal();
    TqoWriteJournal(const TqoWriteJournal&) = delete;
    TqoWriteJournal& operator=(const TqoWriteJournal&) = delete;

    // Clean absolute paths, as written.
    const QSet<QString>& Files() const { return FFiles; }

    // Every writer of files calls this once the file holds its new bytes.
    static void Note(const QString& AFileName);

private:
    TqoWriteJournal* FOuter = nullptr;
    QSet<QString> FFiles;
};

} // namespace core
