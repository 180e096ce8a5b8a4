// orvo-assets material: the Material icons catalogue of the Assets Manager's import dialog on
// the command line, searched with the same matching and imported into the same assets.

#include "MaterialCommands.h"

#include "CommandErrors.h"
#include "Console.h"
#include "ProjectCommands.h"
#include "dialogs/icons/Dialog.Google.Icons.Model.h"
#include "assets/designer/ORVO.Assets.Designer.h"

#include <QDir>

using orvo::TqoIconType;

namespace {

const char* const MaterialUsage =
    R"(  material search TEXT [--type svg|png] [--icons-repo DIR]
                                the Material icons whose name or category
                                contains TEXT: category, name, file (tab-separated)
  material import PROJECT NAME... [--type svg|png] [--size 18|24|36|48]
                  [--tint white|black] [--icons-repo DIR]
                                the icons as SVG assets (default) or PNG bitmap
                                sets, named as shown by search; the repository
                                comes from --icons-repo, ORVO_ICONS_REPO or ORVO
)";

TqoIconType ParseType(const QString& AText)
{
    if (AText.isEmpty() || AText == QLatin1String("svg"))
        return TqoIconType::SVG;
    if (AText == QLatin1String("png"))
        return TqoIconType::PNG;
    throw EUsage(QStringLiteral("--type takes svg or png, not \"%1\"").arg(AText));
}

// The catalogue of the named repository, or of the one the designer would use.
std::unique_ptr<orvo::TMaterialIconsModel> LoadCatalogue(const QString& ARepository)
{
    const QString LPath = ARepository.isEmpty() ? orvo::TqoIconsRepository::Locate().Path : ARepository;
    auto LModel = std::make_unique<orvo::TMaterialIconsModel>();
    LModel->Load(LPath);
    if (LModel->IconCount() == 0)
        throw ECommand(orvo::TqoIconsRepository::NotFoundMessage(LPath) +
                       QStringLiteral(" Here --icons-repo DIR names it too."));
    return LModel;
}

int Search(QStringList AArgs)
{
    QString LType, LRepository;
    QStringList LWords;
    while (!AArgs.isEmpty()) {
        const QString LWord = AArgs.takeFirst();
        if (LWord == QLatin1String("--type") || LWord == QLatin1String("--icons-repo")) {
            if (AArgs.isEmpty())
                throw EUsage(QStringLiteral("%1 needs a value").arg(LWord));
            (LWord == QLatin1String("--type") ? LType : LRepository) = AArgs.takeFirst();
        } else if (LWord.startsWith(QLatin1String("--"))) {
            throw EUsage(QStringLiteral("material search: unknown option \"%1\"").arg(LWord));
        } else {
            LWords << LWord;
        }
    }
    if (LWords.size() != 1)
        throw EUsage(QStringLiteral("material search takes one TEXT"));
    const TqoIconType LIconType = ParseType(LType);
    const auto LModel = LoadCatalogue(LRepository);
    int LCount = 0;
    LModel->Enumerate(
        LWords.first(),
        [&](orvo::TqoIconData& AIcon) {
            Out() << AIcon.GroupDisplayName << '\t' << AIcon.DisplayName << '\t'
                  << QDir::toNativeSeparators(AIcon.FileName) << '\n';
            ++LCount;
        },
        LIconType);
    Out().flush();
    if (LCount == 0) {
        Err() << "orvo-assets: no icon matches \"" << LWords.first() << "\"\n";
        return 1;
    }
    return 0;
}

QStringList Import(orvo::TqoAssetsModel& AModel, const TChangeRequest& ARequest)
{
    const TqoIconType LType = ParseType(ARequest.Values.value(QStringLiteral("--type")));
    orvo::TqoMaterialImport LImport;
    const QString LSize = ARequest.Values.value(QStringLiteral("--size"), QStringLiteral("24"));
    LImport.Size = LSize.toInt();
    if (std::find(std::begin(orvo::MaterialIconSizes), std::end(orvo::MaterialIconSizes), LImport.Size) ==
        std::end(orvo::MaterialIconSizes))
        throw EUsage(QStringLiteral("--size takes 18, 24, 36 or 48, not \"%1\"").arg(LSize));
    const QString LTint = ARequest.Values.value(QStringLiteral("--tint"));
    if (!LTint.isEmpty() && LType != TqoIconType::PNG)
        throw EUsage(QStringLiteral("--tint is for PNG icons (--type png)"));
    if (!LTint.isEmpty() && LTint != QLatin1String("white") && LTint != QLatin1String("black"))
        throw EUsage(QStringLiteral("--tint takes white or black, not \"%1\"").arg(LTint));
    LImport.Black = LTint == QLatin1String("black");

    const auto LModel = LoadCatalogue(ARequest.Values.value(QStringLiteral("--icons-repo")));
    std::vector<core::TqoAssetGroup> LGroups;
    orvo::FillGroups(LModel->FindIcons(ARequest.Words, LType), LImport, LGroups);
    QStringList LNames;
    for (const core::TqoAssetGroup& LGroup : LGroups)
        LNames << AModel.AddGroupInFolder(LGroup, ARequest.Into);
    return LNames;
}

} // namespace

int RunMaterialCommand(QStringList AArgs)
{
    const QString LCommand = AArgs.isEmpty() ? QString() : AArgs.takeFirst();
    if (LCommand == QLatin1String("import"))
        return RunProjectCommand(QStringLiteral("material import"), AArgs);
    try {
        if (LCommand != QLatin1String("search"))
            throw EUsage(LCommand.isEmpty() ? QStringLiteral("material needs search or import")
                                            : QStringLiteral("material: unknown command \"%1\"").arg(LCommand));
        return Search(AArgs);
    } catch (const EUsage& E) {
        Err() << "orvo-assets: " << E.what() << "\n" << MaterialUsage;
        Err().flush();
        return 2;
    } catch (const std::exception& E) {
        Err() << "orvo-assets: " << E.what() << "\n";
        Err().flush();
        return 1;
    }
}

void RegisterMaterialCommands()
{
    RegisterChangeCommand(
        {QStringLiteral("material import"),
         QStringLiteral("PROJECT.dproj NAME... [--type svg|png] [--size 18|24|36|48] "
                        "[--tint white|black] [--icons-repo DIR]"),
         QString::fromUtf8(MaterialUsage),
         {QStringLiteral("--type"), QStringLiteral("--size"), QStringLiteral("--tint"), QStringLiteral("--icons-repo")},
         {},
         1,
         -1,
         &Import});
}
