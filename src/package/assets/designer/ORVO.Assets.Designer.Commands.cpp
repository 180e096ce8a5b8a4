// The Assets Manager's editing commands. Each changes the document through the model; the
// model's reports then shape the tree.

#include "ORVO.Log.h"
#include "ORVO.Translator.h"
#include "ToolsAPI.h"
#include "assets/designer/Dialog.Assets.ColorThemeGenerator.h"
#include "dialogs/icons/Dialog.Google.Icons.h"
#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/storage/ORVO.Assets.Designer.Importer.h"
#include "assets/storage/ORVO.Assets.Picker.Size.h"
#include "assets/storage/ORVO.Assets.Editors.h"
#include "assets/storage/ORVO.Assets.ImageStub.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QMimeData>
#include <QPointer>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QTimer>
#include <QUrl>

namespace orvo {

using core::TqoAssetNameHelper;
using core::TqoLog;

namespace {

const QString CLogCategory = QStringLiteral("AssetsDesigner");

// Keeps the tree's updates suspended for a block of changes.
class TTreeUpdate
{
public:
    explicit TTreeUpdate(ext::TVirtualStringTree& ATree) : FTree(ATree) { FTree.BeginUpdate(); }
    ~TTreeUpdate() { FTree.EndUpdate(); }
    TTreeUpdate(const TTreeUpdate&) = delete;
    TTreeUpdate& operator=(const TTreeUpdate&) = delete;

private:
    ext::TVirtualStringTree& FTree;
};

} // namespace

void TFrameAssetManager::AddAssetCommand(const QString& AKind, const QString& ABaseName)
{
    TTreeUpdate LUpdate(*FTree);
    const QString LName = GenerateUniqueNameForCurrentFolder(FindFolderAmongSelected(), ABaseName);
    if (AKind == core::TqoAssetColor::Kind)
        Model().AddColor(LName, 0);
    else
        Model().AddEmpty(AKind, LName);
    ExpandNodesToAsset(LName);
    SelectNode(LName, true);
}

void TFrameAssetManager::GenerateMaskCommand()
{
    TFormMaskGenerationParams LDialog(this);
    if (!TFormMaskGenerationParams::ExecuteDialog(LDialog))
        return;
    TTreeUpdate LUpdate(*FTree);
    const QString LName = GenerateUniqueNameForCurrentFolder(
        FindFolderAmongSelected(), GeneratedAssetName(QStringLiteral("Mask"), LDialog.BaseSize()));
    Model().AddAsset(GenerateMask(LName, LDialog.BaseSize(), LDialog.Kind(), LDialog.CornerRadius()));
    ExpandNodesToAsset(LName);
    SelectNode(LName, true);
}

void TFrameAssetManager::GenerateImageStubCommand()
{
    TFormImageStubGenerationParams LDialog(this);
    if (!TFormImageStubGenerationParams::ExecuteDialog(LDialog))
        return;
    TTreeUpdate LUpdate(*FTree);
    const QString LName = GenerateUniqueNameForCurrentFolder(
        FindFolderAmongSelected(), GeneratedAssetName(QStringLiteral("Image"), LDialog.GetBaseSize()));
    Model().AddAsset(GenerateImageStub(LName, LDialog.GetBaseSize()));
    ExpandNodesToAsset(LName);
    SelectNode(LName, true);
}

void TFrameAssetManager::ActionImportIconsCollectionsExecute()
{
    TDialogMaterialIconsImporter LDialog(this);
    if (!TDialogMaterialIconsImporter::ExecuteDialog(LDialog))
        return;
    std::vector<core::TqoAssetGroup> LGroups;
    LDialog.FillGroups(&LGroups);
    TTreeUpdate LUpdate(*FTree);
    const QString LFolder = GetPathForNode(FindFolderAmongSelected());
    for (const core::TqoAssetGroup& LGroup : LGroups) {
        const QString LName = Model().AddGroupInFolder(LGroup, LFolder);
        ExpandNodesToAsset(LName);
        SelectNode(LName, true);
    }
}

void TFrameAssetManager::ImportIconPackCommand()
{
    const auto LDialogs = ide::BorlandIDEServices().Supports<ide::IOTADialogServices>();
    if (!LDialogs)
        return;
    ide::TFileDialogOptions LOptions;
    LOptions.Title = Action(QStringLiteral("ActionImportIconPack"))->text();
    LOptions.Folders = true;
    LOptions.Multiple = true;
    QStringList LFolders;
    for (const QString& LPath : LDialogs->ChooseFiles(LOptions))
        if (QFileInfo(LPath).isDir())
            LFolders << LPath;
    if (LFolders.isEmpty())
        return;
    const PVirtualNode LTarget = FindFolderAmongSelected();
    int LRememberedSize = 0;
    QString LLastName;
    QStringList LErrors;
    for (const QString& LFolder : LFolders)
        if (!ImportIconFolderInto(LFolder, LTarget, LFolders.size() > 1, LRememberedSize, LLastName, LErrors))
            LErrors << NoIconLayoutMessage(LFolder);
    if (!LLastName.isEmpty() && !FDocument->HasState(TqoState::Loading)) {
        TTreeUpdate LUpdate(*FTree);
        ExpandNodesToAsset(LLastName);
        SelectNode(LLastName, true);
    }
    if (!LErrors.isEmpty())
        ide::MessageDlg(QStringLiteral("These folders were not imported:\n") + LErrors.join(QLatin1Char('\n')),
                        ide::TMsgDlgType::mtWarning, ide::mbOK);
}

bool TFrameAssetManager::ImportIconFolderInto(const QString& AFolder, PVirtualNode ATarget, bool AMultipleFolders,
                                              int& ARememberedSize, QString& ALastName, QStringList& AErrors)
{
    try {
        const TqoIconFolderImport LImport =
            ImportIconFolder(AFolder, AMultipleFolders, ARememberedSize, TFormSizePicker::AskBaseSize(this));
        if (LImport.Group) {
            TTreeUpdate LUpdate(*FTree);
            ALastName = Model().AddGroupInFolder(*LImport.Group, GetPathForNode(ATarget));
        }
        return LImport.Recognized;
    } catch (const std::exception& E) {
        AErrors << QString::fromUtf8(E.what());
        return true;
    }
}

void TFrameAssetManager::AddThemeCommand()
{
    // A theme is never made inside another theme.
    const QString LName =
        GenerateUniqueNameForCurrentFolder(FindFolderAmongSelectedAndAvoidThemeNode(), QStringLiteral("Theme"));
    Model().AddThemeContainer(LName);
}

void TFrameAssetManager::ActionGenerateThemeColorsExecute()
{
    TDialogThemeGenerator LDialog(this);
    if (!TDialogThemeGenerator::ExecuteDialog(LDialog))
        return;
    const TThemeChoice LChoice = LDialog.Choice();
    TTreeUpdate LUpdate(*FTree);
    const QString LBase = ThemeName(LChoice);
    const PVirtualNode LFolder = FindFolderAmongSelectedAndAvoidThemeNode();
    QString LName;
    if (FindFolderAmongSelected() && !LFolder)
        LName = GenerateUniqueNameForCurrentFolder(nullptr, LBase);
    else if (LFolder)
        LName = GenerateUniqueNameForCurrentFolder(LFolder, LBase);
    else
        LName = Model().GenerateAssetName(QStringLiteral("Themes") + TqoAssetNameHelper::Separator + LBase);
    Model().AddThemeContainer(LName);
    for (const TThemeColor& LColor : ThemeColors(LChoice))
        Model().AddColor(LName + TqoAssetNameHelper::Separator + LColor.Name, LColor.Color);
    ExpandNodesToAsset(LName);
    SelectNode(LName, true);
}

void TFrameAssetManager::AddFolderCommand()
{
    TTreeUpdate LUpdate(*FTree);
    const PVirtualNode LParent = FindFolderAmongSelected();
    const PVirtualNode LNode = AddFolderNode(LParent, GenerateNodeName(QStringLiteral("New Folder"), LParent));
    if (LParent)
        FTree->SetExpanded(LParent, true);
    FTree->ClearSelection();
    FTree->SetSelected(LNode, true);
    FTree->SetFocusedNode(LNode);
}

void TFrameAssetManager::DeleteCommand()
{
    if (FTree->SelectedCount() == 0)
        return;
    if (ide::MessageDlg(core::TqoTranslator::Translate(QStringLiteral("TFrameAssetManager"),
                                                       QStringLiteral("remove_confirmation_message")),
                        ide::TMsgDlgType::mtConfirmation,
                        ide::mbYes | ide::mbNo | ide::mbCancel) != ide::TModalResult::mrYes)
        return;
    TTreeUpdate LUpdate(*FTree);
    QStringList LPaths;
    for (PVirtualNode LNode : FTree->GetSortedSelection()) {
        const QString LName = GetAssetName(LNode);
        switch (GetNodeData(LNode)->NodeType) {
        case TqoNodeType::Folder:
            LPaths << LName + TqoAssetNameHelper::Separator;
            break;
        case TqoNodeType::AssetContainer:
            LPaths << LName << LName + TqoAssetNameHelper::Separator;
            break;
        case TqoNodeType::Asset:
            LPaths << LName;
            break;
        }
    }
    for (const QString& LPath : LPaths)
        Model().RemovePath(LPath);
    DeleteEmptyFoldersAmongSelected();
    FDocument->MarkModified();
}

void TFrameAssetManager::CopyNameCommand()
{
    const PVirtualNode LNode = FTree->FocusedNode() ? FTree->FocusedNode() : FTree->GetSortedSelection().value(0);
    if (!LNode)
        return;
    if (const auto LClipboard = ide::BorlandIDEServices().Supports<ide::IFMXClipboardService>())
        LClipboard->SetClipboard(GetAssetName(LNode));
}

void TFrameAssetManager::CloneCommand()
{
    const PVirtualNode LNode = FTree->FocusedNode() ? FTree->FocusedNode() : FTree->GetSortedSelection().value(0);
    if (!LNode || GetNodeData(LNode)->NodeType != TqoNodeType::Asset)
        return;
    const core::TqoAssetPtr LCopy = Model().Copy(GetAssetName(LNode));
    if (!LCopy)
        return;
    TTreeUpdate LUpdate(*FTree);
    SelectNode(LCopy->GetName(), true);
}

void TFrameAssetManager::ConvertToThemeCommand()
{
    const PVirtualNode LFolder = FindFolderAmongSelectedAndAvoidThemeNode();
    if (!LFolder)
        return;
    TTreeUpdate LUpdate(*FTree);
    const QString LName = GetAssetName(LFolder);
    // The container takes the folder's name, so no asset name changes.
    Model().AddThemeContainer(LName);
    PVirtualNode LContainer = nullptr;
    if (!TryFindNode(LName, LContainer))
        return;
    while (const PVirtualNode LChild = FTree->GetFirstChild(LFolder))
        FTree->MoveTo(LChild, LContainer, ext::TVTNodeAttachMode::amAddChildLast);
    const bool LExpanded = FTree->Expanded(LFolder);
    DeleteNode(LFolder);
    FTree->SetExpanded(LContainer, LExpanded);
    FTree->SortTree(0);
    FTree->ClearSelection();
    FTree->SetSelected(LContainer, true);
}

void TFrameAssetManager::SaveCommand()
{
    // A node's key is its captions from the top joined with "|": it survives the reload.
    const auto LKey = [this](PVirtualNode ANode) {
        return GetAssetName(ANode).replace(TqoAssetNameHelper::Separator, QLatin1Char('|'));
    };
    TTreeUpdate LUpdate(*FTree);
    QSet<QString> LSelected, LExpanded;
    for (PVirtualNode LNode : FTree->GetSortedSelection())
        LSelected.insert(LKey(LNode));
    std::function<void(PVirtualNode)> LWalk = [&](PVirtualNode AParent) {
        for (PVirtualNode LChild = FTree->GetFirstChild(AParent); LChild; LChild = FTree->GetNextSibling(LChild))
            if (FTree->Expanded(LChild)) {
                LExpanded.insert(LKey(LChild));
                LWalk(LChild);
            }
    };
    LWalk(nullptr);

    // Writing thousands of assets takes seconds: the user sees how far it got.
    QProgressDialog LProgress(QStringLiteral("Saving the assets..."), QString(), 0, 0, this);
    LProgress.setWindowModality(Qt::WindowModal);
    LProgress.setMinimumDuration(500);
    Model().SetOnSaveProgress([&LProgress](int ADone, int ATotal, const QString& AName) {
        LProgress.setMaximum(ATotal);
        LProgress.setLabelText(QStringLiteral("Saving %1 of %2: %3").arg(ADone).arg(ATotal).arg(AName));
        LProgress.setValue(ADone);
    });
    const auto LStopProgress = qScopeGuard([this] { Model().SetOnSaveProgress({}); });
    const TqoAssetsSaveResult LResult = FDocument->Save(false);
    FDocument->Load();
    FDocument->Exclude(TqoState::Modified);

    std::function<void(PVirtualNode)> LRestore = [&](PVirtualNode AParent) {
        for (PVirtualNode LChild = FTree->GetFirstChild(AParent); LChild; LChild = FTree->GetNextSibling(LChild)) {
            const QString LChildKey = LKey(LChild);
            if (LExpanded.contains(LChildKey))
                FTree->SetExpanded(LChild, true);
            if (LSelected.contains(LChildKey))
                FTree->SetSelected(LChild, true);
            LRestore(LChild);
        }
    };
    LRestore(nullptr);
    if (!LResult.FailedAssets.isEmpty() || !LResult.Warnings.isEmpty())
        ide::MessageDlg((LResult.FailedAssets.isEmpty()
                             ? QString()
                             : QStringLiteral("These assets could not be written; their files are as before:\n%1\n")
                                   .arg(LResult.FailedAssets.join(QLatin1Char('\n')))) +
                            LResult.Warnings.join(QLatin1Char('\n')),
                        ide::TMsgDlgType::mtWarning, ide::mbOK);
}

// ---------------------------------------------------------------------------------------
// Renaming in place

namespace {

// The node of a folder path ("A\\B\\"), folders and containers alike; null when there is none.
PVirtualNode FindContainer(const TFrameAssetManager& AFrame, const QString& APath)
{
    PVirtualNode LCurrent = nullptr;
    for (const QString& LPart : APath.chopped(1).split(TqoAssetNameHelper::Separator)) {
        PVirtualNode LFound = nullptr;
        for (PVirtualNode LChild = AFrame.Tree().GetFirstChild(LCurrent); LChild && !LFound;
             LChild = AFrame.Tree().GetNextSibling(LChild))
            if (AFrame.GetNodeData(LChild)->NodeType != TqoNodeType::Asset &&
                AFrame.GetNodeData(LChild)->Caption == LPart)
                LFound = LChild;
        if (!LFound)
            return nullptr;
        LCurrent = LFound;
    }
    return LCurrent;
}

} // namespace

void TFrameAssetManager::NewText(PVirtualNode ANode, const QString& AText)
{
    const QString LText = TqoAssetNameHelper::Normalize(AText);
    if (LText.isEmpty())
        return;
    TqoNodeData* LData = GetNodeData(ANode);
    // A typed path moves an asset into that folder; a folder's caption is one level.
    if (LData->NodeType != TqoNodeType::Asset && LText.contains(TqoAssetNameHelper::Separator))
        return;
    const PVirtualNode LParent = FTree->NodeParent(ANode);
    const QString LCaption = GenerateNodeName(LText, LParent, ANode);
    const QString LParentPath = GetPathForNode(LParent);
    const QString LOldName = GetAssetName(ANode);
    if (LCaption == LData->Caption)
        return;
    switch (LData->NodeType) {
    case TqoNodeType::Asset:
        Model().Rename(LOldName, LParentPath + LCaption);
        return;
    case TqoNodeType::AssetContainer:
        Model().Rename(LOldName, LParentPath + LCaption);
        break;
    case TqoNodeType::Folder:
        break;
    }
    // The rest waits until the in-place editor has closed: nodes must not move under it.
    const QString LOldPath = LOldName + TqoAssetNameHelper::Separator;
    const QString LNewName = LParentPath + LCaption;
    const bool LIsContainer = LData->NodeType == TqoNodeType::AssetContainer;
    QTimer::singleShot(0, this, [this, LOldPath, LNewName, LIsContainer] {
        // The container's node already has its new caption; a folder's still has the old one.
        const PVirtualNode LNode =
            FindContainer(*this, LIsContainer ? LNewName + TqoAssetNameHelper::Separator : LOldPath);
        if (!LNode)
            return;
        TTreeUpdate LUpdate(*FTree);
        // Captioned first, so the assets' renames find their folder where it is.
        GetNodeData(LNode)->Caption = TqoAssetNameHelper::ShortName(LNewName);
        try {
            Model().RenamePath(LOldPath, LNewName + TqoAssetNameHelper::Separator);
        } catch (const std::exception& E) {
            ide::MessageDlg(QString::fromUtf8(E.what()), ide::TMsgDlgType::mtError, ide::mbOK);
        }
        if (!LIsContainer)
            DeleteEmptyFoldersAmongSelected();
        FTree->SortTree(0);
        FDocument->MarkModified();
        UpdateActions();
    });
}

// ---------------------------------------------------------------------------------------
// Drag and drop

void TFrameAssetManager::DragDrop(const QMimeData* AData, const QList<PVirtualNode>& ANodes, PVirtualNode ATarget,
                                  ext::TDropMode AMode)
{
    if (!ANodes.isEmpty()) {
        ext::TVTNodeAttachMode LMode = ext::TVTNodeAttachMode::amAddChildLast;
        if (AMode == ext::TDropMode::dmAbove)
            LMode = ext::TVTNodeAttachMode::amInsertBefore;
        else if (AMode == ext::TDropMode::dmBelow)
            LMode = ext::TVTNodeAttachMode::amInsertAfter;
        MoveNodesToNewParent(ANodes, ATarget, LMode);
        return;
    }
    if (!AData || !AData->hasUrls())
        return;
    QStringList LFiles;
    for (const QUrl& LUrl : AData->urls())
        if (LUrl.isLocalFile())
            LFiles << LUrl.toLocalFile();
    if (window())
        window()->activateWindow();
    DropFiles(LFiles, ATarget);
}

void TFrameAssetManager::MoveNodesToNewParent(const QList<PVirtualNode>& ANodes, PVirtualNode ATarget,
                                              ext::TVTNodeAttachMode AMode)
{
    // The tree is sorted: a node lands among its new siblings by its name, wherever it was dropped.
    Q_UNUSED(AMode);
    TTreeUpdate LUpdate(*FTree);
    PVirtualNode LNewParent = ATarget && GetNodeData(ATarget)->NodeType == TqoNodeType::Asset
                                  ? FindFolder(FTree->NodeParent(ATarget))
                                  : ATarget;
    const auto LIsAncestorOf = [this](PVirtualNode AAncestor, PVirtualNode ANode) {
        for (PVirtualNode LNode = ANode; LNode; LNode = FTree->NodeParent(LNode))
            if (LNode == AAncestor)
                return true;
        return false;
    };
    // Renames move and delete nodes: each dragged node is found again by its name at its turn.
    struct TDragged
    {
        TqoNodeType Type;
        QString Name;
    };
    QList<TDragged> LDragged;
    for (PVirtualNode LNode : ANodes) {
        bool LInsideAnother = false;
        for (PVirtualNode LOther : ANodes)
            LInsideAnother = LInsideAnother || (LOther != LNode && LIsAncestorOf(LOther, LNode));
        if (!LInsideAnother)
            LDragged.append({GetNodeData(LNode)->NodeType, GetAssetName(LNode)});
    }
    // The target may itself move: it is kept by its name too.
    const QString LTargetName = LNewParent ? GetAssetName(LNewParent) : QString();
    const auto LFindTarget = [&]() -> PVirtualNode {
        return LTargetName.isEmpty() ? nullptr : FindContainer(*this, LTargetName + TqoAssetNameHelper::Separator);
    };
    for (const TDragged& LItem : LDragged) {
        LNewParent = LFindTarget();
        if (!LTargetName.isEmpty() && !LNewParent)
            return;
        PVirtualNode LNode = nullptr;
        if (LItem.Type == TqoNodeType::Folder)
            LNode = FindContainer(*this, LItem.Name + TqoAssetNameHelper::Separator);
        else
            TryFindNode(LItem.Name, LNode);
        if (!LNode || FTree->NodeParent(LNode) == LNewParent || LIsAncestorOf(LNode, LNewParent))
            continue;
        TqoNodeData* LData = GetNodeData(LNode);
        const QString LOldPath = LItem.Name + TqoAssetNameHelper::Separator;
        switch (LItem.Type) {
        case TqoNodeType::Folder:
            if (FTree->ChildCount(LNode) == 0) {
                LData->Caption = GenerateNodeName(LData->Caption, LNewParent, LNode);
                FTree->MoveTo(LNode, LNewParent, ext::TVTNodeAttachMode::amAddChildLast);
                if (LNewParent)
                    FTree->SetExpanded(LNewParent, true);
            } else {
                const QString LNewPath = GetPathForNode(LNewParent) + LData->Caption + TqoAssetNameHelper::Separator;
                TqoLog::Trace(CLogCategory, QStringLiteral("Rename: old=%1, new=%2"), LOldPath,
                              GetPathForNode(LNewParent));
                Model().RenamePath(LOldPath, LNewPath);
                // Subfolders emptied by the move are not worth keeping.
                if (const PVirtualNode LOld = FindContainer(*this, LOldPath))
                    DeleteNestedEmptyFolders(LOld);
            }
            break;
        case TqoNodeType::AssetContainer: {
            // Themes live only in ordinary folders.
            const PVirtualNode LThemeParent = FindThemeContainerParentNode(LNewParent);
            const QString LNewName = GetPathForNode(LThemeParent) + GenerateNodeName(LData->Caption, LThemeParent);
            Model().Rename(LItem.Name, LNewName);
            Model().RenamePath(LOldPath, LNewName + TqoAssetNameHelper::Separator);
            break;
        }
        case TqoNodeType::Asset:
            Model().Rename(LItem.Name, GetPathForNode(LNewParent) + GenerateNodeName(LData->Caption, LNewParent));
            break;
        }
    }
    FTree->SortTree(0);
}

void TFrameAssetManager::DropFiles(const QStringList& AFileNames, PVirtualNode ATarget)
{
    TTreeUpdate LUpdate(*FTree);
    const PVirtualNode LTarget = FindFolder(ATarget ? ATarget : FindFolderAmongSelected());
    FTree->ClearSelection();
    if (LTarget)
        FTree->SetExpanded(LTarget, true);
    QStringList LRefused;
    QString LLastName;
    const auto LAddFile = [&](const QString& AFileName) {
        const QString LBase = QFileInfo(AFileName).completeBaseName();
        const QString LName = Model().GenerateAssetName(GetPathForNode(LTarget) + GenerateNodeName(LBase, LTarget));
        try {
            // A file that no kind takes is left out without a word, as the IDE's other drops do.
            if (auto LAsset = TqoAssetsEditorsManager::Instance()->TryCreateAsset(LName, AFileName)) {
                Model().AddAsset(std::move(LAsset));
                LLastName = LName;
            }
        } catch (const std::exception& E) {
            LRefused << QStringLiteral("%1: %2").arg(QFileInfo(AFileName).fileName(), QString::fromUtf8(E.what()));
        }
    };
    const bool LMultipleFolders = std::count_if(AFileNames.cbegin(), AFileNames.cend(),
                                                [](const QString& A) { return QFileInfo(A).isDir(); }) > 1;
    int LRememberedSize = 0;
    for (const QString& LPath : AFileNames) {
        const QFileInfo LInfo(LPath);
        if (LInfo.isDir()) {
            // An icon set's folder becomes one bitmap set rather than an asset per file.
            if (ImportIconFolderInto(LPath, LTarget, LMultipleFolders, LRememberedSize, LLastName, LRefused))
                continue;
            QStringList LFiles;
            for (QDirIterator LIt(LPath, QDir::Files, QDirIterator::Subdirectories); LIt.hasNext();)
                LFiles << LIt.next();
            LFiles.sort();
            for (const QString& LFile : LFiles)
                LAddFile(LFile);
        } else if (LInfo.isFile()) {
            LAddFile(LPath);
        }
    }
    if (!LLastName.isEmpty())
        SelectNode(LLastName, false);
    if (!LRefused.isEmpty())
        ide::MessageDlg(QStringLiteral("These files were not added:\n") + LRefused.join(QLatin1Char('\n')),
                        ide::TMsgDlgType::mtWarning, ide::mbOK);
}

} // namespace orvo
