#include "PackageLoader.h"

#include "DesignIntf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>
#include <exception>

namespace ide {

namespace {

QStringList& ModuleList()
{
    static QStringList LModules;
    return LModules;
}

} // namespace

void RegisterModule(const QString& AModuleName) { ModuleList().append(AModuleName); }

void UnregisterModule(const QString& AModuleName) { ModuleList().removeOne(AModuleName); }

QStringList RegisteredModules() { return ModuleList(); }

QString ModuleResourceRoot(const QString& AModuleName)
{
    return QStringLiteral(":/") + AModuleName + QStringLiteral("/RCDATA");
}

std::unique_ptr<TLoadedPackage> LoadPackage(const QString& AFileName)
{
    const QFileInfo LInfo(AFileName);
    if (!LInfo.exists())
        throw EPackageError("Package " + AFileName.toStdString() + " not found");

    std::unique_ptr<TLoadedPackage> LPackage(new TLoadedPackage());
    LPackage->FFileName = LInfo.absoluteFilePath();
    LPackage->FModuleName = LInfo.completeBaseName();
    LPackage->FHandle = dlopen(QFile::encodeName(LPackage->FFileName).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!LPackage->FHandle)
        throw EPackageError("Can't load package " + AFileName.toStdString() + ": " + dlerror());

    auto Symbol = [&](const char* AName) {
        void* LSymbol = dlsym(LPackage->FHandle, AName);
        if (!LSymbol) {
            LPackage->Unload();
            throw EPackageError("Package " + AFileName.toStdString() + " does not export " + AName);
        }
        return LSymbol;
    };
    auto LInitialize = reinterpret_cast<TPackageProc>(Symbol("Initialize"));
    auto LFinalize = reinterpret_cast<TPackageProc>(Symbol("Finalize"));
    auto LGetInfo = reinterpret_cast<TGetPackageInfoTable>(Symbol("GetPackageInfoTable"));

    const TPackageInfoTable* LTable = LGetInfo();
    if (!LTable) {
        LPackage->Unload();
        throw EPackageError("Package " + AFileName.toStdString() + " has no package info");
    }
    LPackage->FDescription = QString::fromUtf8(LTable->Description ? LTable->Description : "");
    LPackage->FVersion = LTable->Version;
    for (int I = 0; I < LTable->RequiresCount; ++I)
        LPackage->FRequires.push_back({QString::fromUtf8(LTable->Requires[I].Name), LTable->Requires[I].Version});
    for (int I = 0; I < LTable->UnitCount; ++I)
        LPackage->FUnits.append(QString::fromUtf8(LTable->Units[I].Name));

    LInitialize();
    LPackage->FFinalize = LFinalize;

    auto& LRegistry = TDesignRegistry::Instance();
    LRegistry.BeginModule(LPackage->FModuleName);
    try {
        for (int I = 0; I < LTable->UnitCount; ++I)
            if (LTable->Units[I].Register)
                LTable->Units[I].Register();
    } catch (const std::exception& E) {
        LRegistry.EndModule();
        LPackage->Unload();
        throw EPackageError("Package " + AFileName.toStdString() + " failed to register: " + E.what());
    }
    LRegistry.EndModule();
    return LPackage;
}

TLoadedPackage::~TLoadedPackage() { Unload(); }

void TLoadedPackage::Unload()
{
    if (!FHandle)
        return;
    if (FFinalize)
        FFinalize();
    FFinalize = nullptr;
    TDesignRegistry::Instance().UnregisterModule(FModuleName);
    dlclose(FHandle);
    FHandle = nullptr;
}

QByteArray TLoadedPackage::FindResource(const QString& AName) const
{
    if (!FHandle)
        return {};
    QFile LFile(ModuleResourceRoot(FModuleName) + QLatin1Char('/') + AName);
    if (!LFile.open(QIODevice::ReadOnly))
        return {};
    return LFile.readAll();
}

QStringList TLoadedPackage::ResourceNames() const
{
    if (!FHandle)
        return {};
    return ResourceNamesOf(FModuleName);
}

QStringList TLoadedPackage::ResourceNamesOf(const QString& AModuleName)
{
    return QDir(ModuleResourceRoot(AModuleName)).entryList(QDir::Files, QDir::Name);
}

} // namespace ide
