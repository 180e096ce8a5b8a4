// The package's entry: its info table and the three entry points the IDE calls.

#include "PackageInfo.h"
#include "PackageLoader.h"
#include "registration/ORVO.Registration.h"

namespace {

constexpr int PackageVersion = 370;

const TPackageUnitEntry Units[] = {
    {"ORVO.Registration", nullptr, nullptr, &orvo::registration::Register},
};

const TPackageRequire Requires[] = {
    {"vclsmp", PackageVersion},
    {"RESTComponents", PackageVersion},
    {"fmx", PackageVersion},
    {"designide", PackageVersion},
    {"rtl", PackageVersion},
    {"OrvoNative.Externals", PackageVersion},
    {"OrvoNative.Designer", PackageVersion},
};

const TPackageInfoTable PackageInfo = {
    int(std::size(Units)), Units, int(std::size(Requires)), Requires,
    "Orvo Native - Designtime Registration", PackageVersion,
};

// The module record lives from library attach to detach, as a package's does.
struct TModuleRecord
{
    TModuleRecord() { ide::RegisterModule(QStringLiteral(ORVO_PACKAGE_MODULE)); }
    ~TModuleRecord() { ide::UnregisterModule(QStringLiteral(ORVO_PACKAGE_MODULE)); }
} ModuleRecord;

int InitializedUnits = 0;

} // namespace

extern "C" {

__attribute__((visibility("default"))) void Initialize()
{
    for (const auto& LUnit : Units) {
        if (LUnit.Init)
            LUnit.Init();
        ++InitializedUnits;
    }
}

__attribute__((visibility("default"))) void Finalize()
{
    // Only the units that were initialized are finalized, last first.
    while (InitializedUnits > 0) {
        const auto& LUnit = Units[--InitializedUnits];
        if (LUnit.FInit)
            LUnit.FInit();
    }
}

__attribute__((visibility("default"))) const TPackageInfoTable* GetPackageInfoTable()
{
    return &PackageInfo;
}
}
