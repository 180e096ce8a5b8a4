// orvo-assets: the design-time package, headless, for the command line and CI.

#include "Console.h"
#include "DesignIntf.h"
#include "FormCommand.h"
#include "GenerateCommands.h"
#include "ImportCommand.h"
#include "LottieCommands.h"
#include "MaterialCommands.h"
#include "ORVO.Designer.DeviceSkins.h"
#include "PackageLoader.h"
#include "ProjectCommands.h"
#include "SvgCommands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

const char* const Usage = R"(Usage: orvo-assets [--package FILE] COMMAND [ARGS]

Commands:
  info          the package's description, required packages and palette
                (page by page, its classes and the icon resources of each),
                then its component editors with their verbs, property
                editors, selection editors with their units, sprigs and
                device classes, each in the order the package binds them
  svg ...       check, dump, render and convert SVG files (see below)
  lottie check  whether Lottie animations load, and their timing (see below)
  form FILE     a form's components and their properties (see below)
  list, add, remove, rename, copy, set, save, consts, deploy, theme, mask,
  stub          a project's assets (see below)

Options:
  --package FILE   the design-time package to load (default: the one beside
                   this program)
  --help           show this text
  --version        show the version
)";

// A component of the class on a form of its own, for the editors and sprigs to look at;
// null when the class cannot be created alone.
std::unique_ptr<QObject> SampleComponent(ide::TComponentClass AClass, QObject* AForm)
{
    QObject* LComponent = AClass->newInstance(Q_ARG(QObject*, AForm));
    if (LComponent)
        LComponent->setObjectName(ide::ClassName(AClass).mid(1) + QStringLiteral("1"));
    return std::unique_ptr<QObject>(LComponent);
}

// "Add page, Next page (disabled)": the verbs of the editor on a new component of the class.
QString VerbsOf(const ide::TClassBinding<ide::TComponentEditorClass>& ABinding)
{
    QObject LForm;
    ide::TFormDesigner LDesigner(&LForm);
    try {
        const auto LComponent = SampleComponent(ABinding.ComponentClass, &LForm);
        if (!LComponent)
            return {};
        const auto LEditor = ABinding.EditorClass.Create(LComponent.get(), &LDesigner);
        QStringList LVerbs;
        for (int I = 0; I < LEditor->GetVerbCount(); ++I) {
            ide::TVerbMenuItem LItem(LEditor->GetVerb(I));
            LEditor->PrepareItem(I, LItem);
            LVerbs << LItem.GetCaption() + (LItem.GetEnabled() ? QString() : QStringLiteral(" (disabled)"));
        }
        return LVerbs.join(QStringLiteral(", "));
    } catch (const std::exception&) {
        // An editor that needs more than a bare component (a page without its page control).
        return {};
    }
}

void PrintBindings()
{
    const auto& R = ide::TDesignRegistry::Instance();
    Out() << "Component editors (" << R.ComponentEditors().size() << "):\n";
    for (const auto& B : R.ComponentEditors()) {
        const QString LVerbs = VerbsOf(B);
        Out() << "  " << ide::ClassName(B.ComponentClass) << "\t" << B.EditorClass.Name
              << (LVerbs.isEmpty() ? QString() : QStringLiteral(": ") + LVerbs) << "\n";
    }
    Out() << "Property editors (" << R.PropertyEditors().size() << "):\n";
    for (const auto& E : R.PropertyEditors())
        Out() << "  " << E.PropertyType << "\t" << (E.ComponentClass ? ide::ClassName(E.ComponentClass) : "any") << "\t"
              << (E.PropertyName.isEmpty() ? QStringLiteral("any") : E.PropertyName) << "\t" << E.EditorClass.Name
              << "\n";
    Out() << "Selection editors (" << R.SelectionEditors().size() << "):\n";
    for (const auto& B : R.SelectionEditors()) {
        QStringList LUnits;
        B.EditorClass.Create()->RequiresUnits([&](const QString& AUnit) { LUnits << AUnit; });
        Out() << "  " << ide::ClassName(B.ComponentClass) << "\t" << B.EditorClass.Name
              << (LUnits.isEmpty() ? QString() : QStringLiteral(": ") + LUnits.join(QStringLiteral(", "))) << "\n";
    }
    Out() << "Sprigs (" << R.Sprigs().size() << "):\n";
    for (const auto& B : R.Sprigs()) {
        QObject LForm;
        const auto LComponent = SampleComponent(B.ComponentClass, &LForm);
        const QString LCaption = LComponent ? B.EditorClass.Create(LComponent.get())->Caption() : QString();
        Out() << "  " << ide::ClassName(B.ComponentClass) << "\t" << B.EditorClass.Name << "\t\"" << LCaption << "\"\n";
    }
}

QString DefaultPackage()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/bplOrvoNative.Designtime370.so");
}

int Info(const ide::TLoadedPackage& APackage)
{
    const auto& R = ide::TDesignRegistry::Instance();
    Out() << "Package: " << QFileInfo(APackage.FileName()).fileName() << "\n";
    Out() << "Description: " << APackage.Description() << "\n";
    Out() << "Version: " << APackage.Version() << "\n";
    Out() << "Requires:\n";
    for (const auto& LRequire : APackage.Requires())
        Out() << "  " << LRequire.Name << " " << LRequire.Version << "\n";
    Out() << "Units: " << APackage.Units().join(QStringLiteral(", ")) << "\n";

    const QStringList LResources = APackage.ResourceNames();
    const QStringList LPages = R.Pages();
    int LCount = 0;
    Out() << "Palette (" << LPages.size() << " pages):\n";
    for (const auto& LPage : LPages) {
        Out() << "  " << LPage << "\n";
        for (auto LClass : R.PageClasses(LPage)) {
            const QString LName = ide::ClassName(LClass);
            const QString LPrefix = LName.toUpper();
            QStringList LIcons;
            for (const auto& LResource : LResources) {
                // TQOBUTTON_PNG, TQOBUTTON16_PNG, ...: the class name, digits, then _PNG.
                if (!LResource.startsWith(LPrefix) || !LResource.endsWith(QStringLiteral("_PNG")))
                    continue;
                const QString LSize = LResource.mid(LPrefix.size(), LResource.size() - LPrefix.size() - 4);
                bool LIsNumber = LSize.isEmpty();
                if (!LIsNumber)
                    LSize.toInt(&LIsNumber);
                if (LIsNumber)
                    LIcons.append(LResource);
            }
            Out() << "    " << LName << "\t" << (LIcons.isEmpty() ? QStringLiteral("(default icon)") : LIcons.join(' '))
                  << "\n";
            ++LCount;
        }
    }
    Out() << "Registrations: " << LCount << "\n";
    PrintBindings();

    // What the form designer offers to show a form in: skin, layouts and grids.
    const auto& LSkins = dsgn::TqoDeviceSkinManager::Instance().Skins();
    Out() << "Device classes (" << LSkins.size() << "):\n";
    for (const auto& LSkin : LSkins) {
        Out() << "  " << LSkin->Id() << "\t" << LSkin->Caption() << "\t"
              << core::TqoTargetNames::PlatformKey(LSkin->Platform()) << "\t"
              << core::TqoTargetNames::DeviceClassKey(LSkin->DeviceClass()) << "\n";
        for (const auto LOrientation : {dsgn::TqoScreenOrientation::Portrait, dsgn::TqoScreenOrientation::Landscape}) {
            const auto& LLayout = LSkin->Layout(LOrientation);
            const auto* LGrid = dsgn::TqoModularGridManager::Instance().GridFor(LSkin->Id(), LOrientation);
            Out() << "    " << (LOrientation == dsgn::TqoScreenOrientation::Portrait ? "portrait" : "landscape")
                  << ": frame " << LLayout.FrameSize().width() << " x " << LLayout.FrameSize().height() << ", screen "
                  << LLayout.ScreenSize().width() << " x " << LLayout.ScreenSize().height() << " at ("
                  << LLayout.ScreenPosition().x() << ", " << LLayout.ScreenPosition().y() << "), "
                  << LLayout.Images().size() << " frame images";
            if (LGrid)
                Out() << ", grid " << LGrid->Columns << " columns, gutter " << LGrid->Gutter << ", module "
                      << LGrid->ModuleHeight;
            Out() << "\n";
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    RegisterGenerateCommands();
    RegisterImportCommand();
    RegisterMaterialCommands();
    QStringList LArgs = App.arguments().mid(1);
    QString LPackageFile = DefaultPackage();

    if (LArgs.contains(QStringLiteral("--help")) || LArgs.contains(QStringLiteral("-h"))) {
        Out() << Usage << "\n"
              << SvgCommandsUsage() << "\n"
              << LottieCommandsUsage() << "\n"
              << ProjectCommandsUsage() << "\n"
              << FormCommandUsage();
        return 0;
    }
    if (LArgs.contains(QStringLiteral("--version"))) {
        Out() << "orvo-assets " << ORVO_VERSION << "\n";
        return 0;
    }
    const int LPackageIndex = LArgs.indexOf(QStringLiteral("--package"));
    if (LPackageIndex >= 0) {
        if (LPackageIndex + 1 >= LArgs.size()) {
            Err() << "orvo-assets: --package needs a file name\n" << Usage;
            return 2;
        }
        LPackageFile = LArgs.at(LPackageIndex + 1);
        LArgs.remove(LPackageIndex, 2);
    }
    if (LArgs.isEmpty()) {
        Err() << "orvo-assets: no command given\n" << Usage;
        return 2;
    }

    const QString LCommand = LArgs.takeFirst();
    if (LCommand == QStringLiteral("svg"))
        return RunSvgCommand(LArgs);
    if (LCommand == QStringLiteral("lottie"))
        return RunLottieCommand(LArgs);
    if (LCommand == QStringLiteral("material"))
        return RunMaterialCommand(LArgs);
    if (LCommand == QStringLiteral("form"))
        return RunFormCommand(LArgs, LPackageFile);
    if (IsProjectCommand(LCommand))
        return RunProjectCommand(LCommand, LArgs);
    if (LCommand != QStringLiteral("info")) {
        Err() << "orvo-assets: unknown command \"" << LCommand << "\"\n" << Usage;
        return 2;
    }
    try {
        const auto LPackage = ide::LoadPackage(LPackageFile);
        return Info(*LPackage);
    } catch (const std::exception& E) {
        Err() << "orvo-assets: " << E.what() << "\n";
        return 1;
    }
}
