#pragma once

#include "PackageInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace ide {

struct TPackageRequirement
{
    QString Name;
    int Version;
};

// A loaded design-time package. Loading runs what the IDE runs: the library is opened,
// Initialize is called, then every unit's Register procedure found through the package
// info, inside a registration scope named after the module. Unloading calls Finalize,
// drops the module's registrations and closes the library.
class TLoadedPackage
{
public:
    ~TLoadedPackage();
    TLoadedPackage(const TLoadedPackage&) = delete;
    TLoadedPackage& operator=(const TLoadedPackage&) = delete;

    QString FileName() const { return FFileName; }
    // The module name: the file name without folder and extension ("bplX.so" gives "bplX").
    QString ModuleName() const { return FModuleName; }
    QString Description() const { return FDescription; }
    int Version() const { return FVersion; }
    QStringList Units() const { return FUnits; }
    std::vector<TPackageRequirement> Requires() const { return FRequires; }

    // The package's data resource of that name (RCDATA), empty when it has none.
    QByteArray FindResource(const QString& AName) const;
    QStringList ResourceNames() const;
    // The data resources a module has in the process now; empty once it is unloaded.
    static QStringList ResourceNamesOf(const QString& AModuleName);

    void Unload();
    bool IsLoaded() const { return FHandle != nullptr; }

private:
    friend std::unique_ptr<TLoadedPackage> LoadPackage(const QString&);
    TLoadedPackage() = default;

    void* FHandle = nullptr;
    QString FFileName;
    QString FModuleName;
    QString FDescription;
    int FVersion = 0;
    QStringList FUnits;
    std::vector<TPackageRequirement> FRequires;
    TPackageProc FFinalize = nullptr;
};

// Throws EPackageError with the file name and the loader's reason on failure; a package
// whose Register fails is finalized and unloaded before the error propagates.
std::unique_ptr<TLoadedPackage> LoadPackage(const QString& AFileName);

class EPackageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Module records, registered by a package when the library is attached and unregistered
// when it is detached.
void RegisterModule(const QString& AModuleName);
void UnregisterModule(const QString& AModuleName);
QStringList RegisteredModules();

// Where a module's data resources live in the process-wide resource tree.
QString ModuleResourceRoot(const QString& AModuleName);

} // namespace ide
