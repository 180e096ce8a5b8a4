// The package's entry: its info table and the three entry points the IDE calls.

#include "OrvoNative.Designtime.h"

#include "ORVO.Designer.IdeEvents.h"
#include "PackageLoader.h"
#include "assets/designer/Wizard.AssetsManager.h"
#include "assets/storage/ORVO.Assets.Deployment.h"
#include "assets/storage/ORVO.Assets.Editors.h"
#include "registration/ORVO.Registration.h"

namespace {

constexpr int PackageVersion = 370;

// The Assets Manager needs the IDE's project events for as long as the package is loaded.
void AssetsDesignerInitialization() { dsgn::RegisterIdeEventsListener(); }
void AssetsDesignerFinalization() { dsgn::UnregisterIdeEventsListener(); }

// The units in the package's order; Initialize runs their initialization parts in this order
// and Finalize their finalization parts in reverse.
const TPackageUnitEntry Units[] = {
    {"ORVO.Registration", nullptr, nullptr, &orvo::registration::Register},
    {"ORVO.Assets.Designer", &AssetsDesignerInitialization, &AssetsDesignerFinalization, nullptr},
    // After the designer unit, so its views are closed while the project events still arrive.
    {"Wizard.AssetsManager", &orvo::WizardAssetsManagerInitialization, &orvo::WizardAssetsManagerFinalization, nullptr},
    {"ORVO.Assets.Editors", &orvo::AssetsEditorsInitialization, &orvo::AssetsEditorsFinalization, nullptr},
    {"ORVO.Assets.Constants.Generator", nullptr, nullptr, nullptr},
    {"ORVO.Assets.Deployment", nullptr, &orvo::FinalizeAssetsDeploymentUnit, nullptr},
    {"SVG.Colors", nullptr, nullptr, nullptr},
    {"ORVO.VectorImage.Reader.SVG", nullptr, nullptr, nullptr},
    {"ORVO.VectorImage.Writer.SkiaFMX", nullptr, nullptr, nullptr},
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
    int(std::size(Units)), Units, int(std::size(Requires)), Requires, "Orvo Native - Designtime Registration",
    PackageVersion,
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
    // A second call (a front end that links the package and also starts it) changes nothing.
    if (InitializedUnits > 0)
        return;
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

__attribute__((visibility("default"))) const TPackageInfoTable* GetPackageInfoTable() { return &PackageInfo; }
}
