#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

namespace orvo {
class TqoAssetsModel;
}

// The commands that open a project's assets: list, add, remove, rename, copy, set, save, consts,
// deploy and the registered change commands. AArgs are the words after the command. Returns the
// exit status: 0 done, 1 failed (the message on stderr names the file), 2 bad usage.
int RunProjectCommand(const QString& ACommand, QStringList AArgs);
bool IsProjectCommand(const QString& ACommand);
QString ProjectCommandsUsage();

// What a change command was given on its command line.
struct TChangeRequest
{
    // The words after PROJECT.dproj.
    QStringList Words;
    // The command's own options: those that take a value by name ("--size"), and the others.
    QMap<QString, QString> Values;
    QSet<QString> Flags;
    // --into FOLDER as an asset folder path ending with a backslash; empty for the top level.
    QString Into;
};

// A command that adds assets to a project (import, theme, mask...). It runs as add does: under
// the project's lock, on a scratch copy with --dry-run, followed by the save and its summary,
// and the names Apply returns are printed once the save has written them. Apply throws EUsage
// (exit 2) or ECommand (exit 1); nothing is saved then, so a refused command adds nothing.
struct TChangeCommand
{
    QString Name;
    // "PROJECT.dproj FOLDER... [--base-size N]", for the usage error.
    QString Shape;
    // Lines for --help, each starting with two blanks.
    QString Usage;
    QStringList ValueOptions;
    QStringList FlagOptions;
    // Words after PROJECT.dproj; MaxWords -1 for no limit.
    qsizetype MinWords = 0;
    qsizetype MaxWords = 0;
    std::function<QStringList(orvo::TqoAssetsModel&, const TChangeRequest&)> Apply;
};

void RegisterChangeCommand(TChangeCommand ACommand);
