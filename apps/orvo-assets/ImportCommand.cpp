#include "ImportCommand.h"

#include "CommandErrors.h"
#include "ProjectCommands.h"
#include "assets/designer/ORVO.Assets.Designer.Importer.h"
#include "assets/designer/ORVO.Assets.Designer.h"

#include <QFileInfo>
#include <vector>

namespace {

QString SizesText(const QList<int>& ASizes)
{
    QStringList LTexts;
    for (int LSize : ASizes)
        LTexts << QString::number(LSize);
    return LTexts.join(QStringLiteral(", "));
}

QStringList ImportFolders(orvo::TqoAssetsModel& AModel, const TChangeRequest& ARequest)
{
    int LBaseSize = 0;
    if (ARequest.Values.contains(QStringLiteral("--base-size"))) {
        const QString LText = ARequest.Values.value(QStringLiteral("--base-size"));
        bool LIsNumber = false;
        LBaseSize = LText.toInt(&LIsNumber);
        if (!LIsNumber || LBaseSize <= 0)
            throw EUsage(QStringLiteral("--base-size takes a size in pixels, not \"%1\"").arg(LText));
    }
    // Every folder is read before any is added: one that fails leaves the project as it was.
    std::vector<std::unique_ptr<core::TqoAssetGroup>> LGroups;
    for (const QString& LWord : ARequest.Words) {
        const QString LFolder = QFileInfo(LWord).absoluteFilePath();
        if (!QFileInfo(LFolder).isDir())
            throw ECommand(QStringLiteral("%1: no such folder").arg(LWord));
        // The given size stands for every folder, as the dialog's check box makes it.
        int LRemembered = LBaseSize;
        orvo::TqoIconFolderImport LImport = orvo::ImportIconFolder(
            LFolder, ARequest.Words.size() > 1, LRemembered,
            [&](const orvo::TqoMaterialIOIcons&, const QList<int>& ASizes,
                bool) -> std::optional<orvo::TqoChosenBaseSize> {
                if (LBaseSize == 0)
                    throw ECommand(QStringLiteral("%1: several base sizes found: %2; choose one with --base-size N")
                                       .arg(LWord, SizesText(ASizes)));
                throw ECommand(QStringLiteral("%1: no base size %2 found, only %3")
                                   .arg(LWord)
                                   .arg(LBaseSize)
                                   .arg(SizesText(ASizes)));
            });
        if (!LImport.Recognized)
            throw ECommand(orvo::NoIconLayoutMessage(LWord));
        LGroups.push_back(std::move(LImport.Group));
    }
    QStringList LNames;
    for (const auto& LGroup : LGroups)
        LNames << AModel.AddGroupInFolder(*LGroup, ARequest.Into);
    return LNames;
}

} // namespace

void RegisterImportCommand()
{
    RegisterChangeCommand({QStringLiteral("import"),
                           QStringLiteral("PROJECT.dproj FOLDER... [--into FOLDER] [--base-size N]"),
                           QStringLiteral("  import PROJECT FOLDER... [--base-size N]\n"
                                          "                                icon folders (Android drawable folders,\n"
                                          "                                or 1x and 2x) as bitmap sets; N picks\n"
                                          "                                the size where a folder has several\n"),
                           {QStringLiteral("--base-size")},
                           {},
                           1,
                           -1,
                           &ImportFolders});
}
