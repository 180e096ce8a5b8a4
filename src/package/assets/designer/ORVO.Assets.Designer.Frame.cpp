#include "assets/designer/ORVO.Assets.Designer.Frame.h"

#include "ORVO.Assert.h"
#include "ORVO.Log.h"
#include "ORVO.Translator.h"
#include "ToolsAPI.h"
#include "assets/designer/ORVO.Assets.DataModule.h"
#include "assets/designer/ORVO.Assets.Designer.Icons.h"
#include "assets/designer/ORVO.Assets.View.Assets.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace orvo {

using core::TqoAsset;
using core::TqoAssetNameHelper;
using core::TqoLog;

namespace {

const QString CScope = QStringLiteral("TFrameAssetManager");
const QString CLogCategory = QStringLiteral("AssetsDesigner");
constexpr int CImageSize = 24;

// Caption and hint of each command: the default text, then the English one. An empty hint is none.
struct TActionText
{
    const char* Name;
    const char* Caption;
    const char* CaptionEn;
    const char* Hint;
    const char* HintEn;
};

const TActionText CActionTexts[] = {
    {"ActionAddBitmapSet", "Добавить набор изображений", "Add image set", "Добавляет набор изображений",
     "Adding image set"},
    {"ActionAddSVG", "Добавить SVG изображение", "Add SVG image", "Добавляет файл с SVG изображением",
     "Adds file with SVG image"},
    {"ActionAddColor", "Добавить цвет", "Add color", "Добавляет ресурс цвета", "Adds color"},
    {"ActionAddFont", "Добавить шрифт", "Add font", "Добавляет ресурс с файлом шрифта", "Adds font file"},
    {"ActionAddCustomFile", "Добавить файл", "Add file", "Добавляет произвольный файл", "Adds custom file"},
    {"ActionAddLottieAnimation", "Добавить анимацию Lottie", "Add Lottie animation",
     "Добавляет ресурс с файлом Lottie анимацией", "Adds file with Lottie animation"},
    {"ActionAddStyle", "Добавить стиль", "Add style", "", ""},
    {"ActionAddTheme", "Добавить тему", "Add theme", "Создает пустую папку-тему", "Adds empty theme"},
    {"ActionAddFolder", "Добавить папку", "Add folder", "Добавляет папку для группировки ресурсов",
     "Adds folder for grouping assets."},
    {"ActionGenerateThemeColors", "Сгенерировать тему", "Generate theme", "Генерирует набор ресурсов темы.",
     "Generates theme assets set."},
    {"ActionGenerateRoundMask", "Сгенерировать маску", "Generate mask",
     "Генерирует маску, которую можно использовать в TqoImage", "Generates mask, which can be used in TqoImage."},
    {"ActionGenerateImageStub", "Сгенерировать изображение заглушку", "Generate a stub image",
     "Генерирует изображение указанного размера для использования в быстром прототипировании UI.",
     "Generates an image of the specified size for use in rapid UI prototyping."},
    {"ActionImportIconsCollections", "Добавить Material Icons", "Add Material Icon", "", ""},
    {"ActionImportIconPack", "Добавить Material Icon из папки", "Add Material Icon from folder", "", ""},
    {"ActionConvertFolderToThemeContainer", "Сконвертировать в тему", "Convert to Theme", "", ""},
    {"ActionDelete", "Удалить", "Delete", "Удаляет выделенные ресурсы", "Deletes selected assets"},
    {"ActionCopyName", "Скопировать имя ассета", "Copy asset name",
     "Копирует идентификатор ассета для использования в коде", "Copies asset id for using in code"},
    {"ActionCloneAsset", "Сделать копию", "Clone", "Делает копию выбранных ресурсов", "Makes copy of selected assets"},
    {"ActionSave", "Сохранить", "Save", "", ""},
};

void RegisterTranslations()
{
    static bool LRegistered = false;
    if (LRegistered)
        return;
    LRegistered = true;
    core::TqoTranslationItems LDefault, LEnglish;
    for (const auto& LText : CActionTexts) {
        const QString LKey = QString::fromLatin1(LText.Name).toLower();
        LDefault.append({LKey + QStringLiteral(".caption"), QString::fromUtf8(LText.Caption)});
        LEnglish.append({LKey + QStringLiteral(".caption"), QString::fromUtf8(LText.CaptionEn)});
        if (*LText.Hint) {
            LDefault.append({LKey + QStringLiteral(".hint"), QString::fromUtf8(LText.Hint)});
            LEnglish.append({LKey + QStringLiteral(".hint"), QString::fromUtf8(LText.HintEn)});
        }
    }
    const auto LAdd = [&](const char* AKey, const char* ADefault, const char* AEnglish) {
        LDefault.append({QString::fromLatin1(AKey), QString::fromUtf8(ADefault)});
        LEnglish.append({QString::fromLatin1(AKey), QString::fromUtf8(AEnglish)});
    };
    LAdd("vtresources.header.columns[0].text", "Имя", "Name");
    LAdd("vtresources.header.columns[1].text", "Инфо", "Info");
    LAdd("panelspacer.caption", "Загрузка...", "Loading...");
    LAdd("remove_confirmation_message", "Все выбранные ресурсы будут удалены. Продолжить?",
         "All selected resource will be removed. Continue?");
    core::TqoTranslator::RegisterTable(CScope, core::TqoTranslator::DefaultLanguage, LDefault);
    core::TqoTranslator::RegisterTable(CScope, core::TqoTranslator::EnglishLanguage, LEnglish);
}

QString Tr(const QString& AKey) { return core::TqoTranslator::Translate(CScope, AKey); }

// English when the IDE speaks English, the framework's own texts otherwise.
void FollowIdeLanguage()
{
    if (const auto LServices = ide::BorlandIDEServices().Supports<ide::IOTAServices>())
        core::TqoTranslator::SetCurrentLanguage(LServices->GetLanguage() == QLatin1String("en")
                                                    ? core::TqoTranslator::EnglishLanguage
                                                    : core::TqoTranslator::DefaultLanguage);
}

QString AssetIdentity(const TqoAsset* AAsset) { return QString::number(quintptr(AAsset), 16); }

} // namespace

// ---------------------------------------------------------------------------------------
// Construction

TFrameAssetManager::TFrameAssetManager(QWidget* AParent)
    : QWidget(AParent), FDocument(std::make_unique<TqoAssetsDocument>())
{
    setObjectName(QStringLiteral("FrameAssetManager"));
    RegisterTranslations();
    FollowIdeLanguage();
    for (const QImage& LImage : DesignerDataModule().KindImages24())
        FImages.append(QIcon(QPixmap::fromImage(LImage)));
    FInitialTreeIconsCount = FImages.size();
    CreateActions();
    CreateLayout();
    Translate();

    FDocument->SetOnLoaded([this] { LoadTree(); });
    FDocument->SetOnAssetChanged([this](const core::TqoAssetName& AName, TqoAssetOperation AOperation) {
        AssetsChangedHandler(AName, AOperation);
    });
    FDocument->SetOnAssetRenamed(
        [this](const core::TqoAssetName& AOld, const core::TqoAssetName& ANew) { AssetRenamedHandler(AOld, ANew); });
    UpdateActions();
}

TFrameAssetManager::~TFrameAssetManager()
{
    // The views hold assets of the document, and the tree asks this frame for texts and images
    // while it goes: both go before the members they use.
    FTree->OnChange = nullptr;
    ClearViews();
    delete FSplitter;
    FSplitter = nullptr;
    FTree = nullptr;
    FImageSetPanel = nullptr;
}

QAction* TFrameAssetManager::NewAction(const QString& AName, const std::function<void()>& AExecute)
{
    auto* LAction = new QAction(this);
    LAction->setObjectName(AName);
    LAction->setIcon(AssetsDesignerIcon(AName));
    connect(LAction, &QAction::triggered, this, [this, AExecute] {
        try {
            AExecute();
        } catch (const std::exception& E) {
            // A command that fails leaves the document as the model left it; the user reads why.
            ide::MessageDlg(QString::fromUtf8(E.what()), ide::TMsgDlgType::mtError, ide::mbOK);
        }
        UpdateActions();
    });
    FActions.insert(AName, LAction);
    return LAction;
}

void TFrameAssetManager::CreateActions()
{
    const auto LAdd = [this](const char* AName, const QString& AKind, const char* ABase) {
        NewAction(QString::fromLatin1(AName),
                  [this, AKind, ABase] { AddAssetCommand(AKind, QString::fromLatin1(ABase)); });
    };
    LAdd("ActionAddBitmapSet", core::TqoAssetBitmapSet::Kind, "Image");
    LAdd("ActionAddSVG", core::TqoAssetSVG::Kind, "SVG");
    LAdd("ActionAddColor", core::TqoAssetColor::Kind, "Color");
    LAdd("ActionAddFont", core::TqoAssetFont::Kind, "Font");
    LAdd("ActionAddCustomFile", core::TqoAssetFile::Kind, "File");
    LAdd("ActionAddLottieAnimation", core::TqoAssetLottieAnimation::Kind, "Animation");
    LAdd("ActionAddStyle", core::TqoAssetStyle::Kind, "Style");
    NewAction(QStringLiteral("ActionAddTheme"), [this] { AddThemeCommand(); });
    NewAction(QStringLiteral("ActionAddFolder"), [this] { AddFolderCommand(); });
    NewAction(QStringLiteral("ActionGenerateThemeColors"), [this] { ActionGenerateThemeColorsExecute(); });
    NewAction(QStringLiteral("ActionGenerateRoundMask"), [this] { GenerateMaskCommand(); });
    NewAction(QStringLiteral("ActionGenerateImageStub"), [this] { GenerateImageStubCommand(); });
    NewAction(QStringLiteral("ActionImportIconsCollections"), [this] { ActionImportIconsCollectionsExecute(); });
    NewAction(QStringLiteral("ActionImportIconPack"), [this] { ImportIconPackCommand(); });
    NewAction(QStringLiteral("ActionConvertFolderToThemeContainer"), [this] { ConvertToThemeCommand(); });
    NewAction(QStringLiteral("ActionDelete"), [this] { DeleteCommand(); });
    NewAction(QStringLiteral("ActionCopyName"), [this] { CopyNameCommand(); });
    NewAction(QStringLiteral("ActionCloneAsset"), [this] { CloneCommand(); });
    NewAction(QStringLiteral("ActionSave"), [this] { SaveCommand(); });
    Action(QStringLiteral("ActionAddStyle"))->setVisible(false);
}

void TFrameAssetManager::CreateLayout()
{
    auto* LLayout = new QVBoxLayout(this);
    LLayout->setContentsMargins(0, 0, 0, 0);
    LLayout->setSpacing(0);
    FMessage = new QLabel(this);
    FMessage->setObjectName(QStringLiteral("LoadMessage"));
    FMessage->setWordWrap(true);
    FMessage->setContentsMargins(8, 6, 8, 6);
    FMessage->setStyleSheet(QStringLiteral("background:#FDECEA; color:#8A1C14;"));
    FMessage->hide();
    LLayout->addWidget(FMessage);

    FSplitter = new QSplitter(Qt::Horizontal, this);
    FSplitter->setChildrenCollapsible(false);
    LLayout->addWidget(FSplitter, 1);

    FTreePanel = new QWidget(FSplitter);
    FTreePanel->setMinimumWidth(MinTreeWidth);
    auto* LTreeLayout = new QVBoxLayout(FTreePanel);
    LTreeLayout->setContentsMargins(0, 0, 0, 0);
    LTreeLayout->setSpacing(0);

    auto* LToolRow = new QHBoxLayout();
    LToolRow->setContentsMargins(2, 2, 2, 2);
    FToolBar = new QToolBar(FTreePanel);
    FToolBar->setObjectName(QStringLiteral("ToolBar"));
    FToolBar->setIconSize(QSize(16, 16));
    const auto LDropDown = [this](const char* AName, std::initializer_list<const char*> AItems) {
        auto* LButton = new QToolButton(FToolBar);
        LButton->setDefaultAction(Action(QString::fromLatin1(AName)));
        auto* LMenu = new QMenu(LButton);
        for (const char* LItem : AItems)
            LMenu->addAction(Action(QString::fromLatin1(LItem)));
        LButton->setMenu(LMenu);
        LButton->setPopupMode(QToolButton::MenuButtonPopup);
        FToolBar->addWidget(LButton);
    };
    LDropDown("ActionAddBitmapSet", {"ActionImportIconsCollections", "ActionImportIconPack"});
    for (const char* LName : {"ActionAddSVG", "ActionAddColor", "ActionAddFont", "ActionAddCustomFile",
                              "ActionAddLottieAnimation", "ActionAddStyle"})
        FToolBar->addAction(Action(QString::fromLatin1(LName)));
    FToolBar->addSeparator();
    LDropDown("ActionGenerateThemeColors", {"ActionAddTheme", "ActionGenerateThemeColors"});
    for (const char* LName : {"ActionGenerateRoundMask", "ActionGenerateImageStub", "ActionAddFolder"})
        FToolBar->addAction(Action(QString::fromLatin1(LName)));
    FToolBar->addSeparator();
    FToolBar->addAction(Action(QStringLiteral("ActionDelete")));
    LToolRow->addWidget(FToolBar, 1);
    FSaveButton = new QToolButton(FTreePanel);
    FSaveButton->setObjectName(QStringLiteral("SaveButton"));
    FSaveButton->setDefaultAction(Action(QStringLiteral("ActionSave")));
    FSaveButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    LToolRow->addWidget(FSaveButton);
    LTreeLayout->addLayout(LToolRow);

    FTree = new ext::TVirtualStringTree(FTreePanel);
    FTree->setObjectName(QStringLiteral("VTResources"));
    FTree->SetColumns({{QString(), 162, Qt::AlignLeft | Qt::AlignVCenter}, {QString(), 85, Qt::AlignCenter}});
    // The name takes what the info column leaves.
    FTree->header()->setStretchLastSection(false);
    FTree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    FTree->SetDefaultNodeHeight(32);
    FTree->SetHeaderHeight(30);
    FTree->setIconSize(QSize(CImageSize, CImageSize));
    FTree->setContextMenuPolicy(Qt::CustomContextMenu);
    FTree->installEventFilter(this);
    FTree->OnGetText = [this](PVirtualNode ANode, int AColumn) -> QString {
        const TqoNodeData* LData = GetNodeData(ANode);
        switch (AColumn) {
        case 0:
        case ext::NoColumn:
            return LData->Caption;
        case 1:
            return LData->Size;
        default:
            core::TqoAssert::Fail(QStringLiteral("Cannot get cell text. Unknown column index: column=%1").arg(AColumn));
        }
        return {};
    };
    FTree->OnGetImage = [this](PVirtualNode ANode, int AColumn) -> QIcon {
        const int LIndex = AColumn == 0 ? GetNodeData(ANode)->ImageIndex : -1;
        return LIndex >= 0 && LIndex < FImages.size() ? FImages[LIndex] : QIcon();
    };
    FTree->OnCompareNodes = [this](PVirtualNode A, PVirtualNode B, int) { return CompareNodes(A, B); };
    FTree->OnEditing = [](PVirtualNode, int AColumn) { return AColumn == 0; };
    FTree->OnNewText = [this](PVirtualNode ANode, int AColumn, const QString& AText) {
        if (AColumn != 0)
            return;
        try {
            NewText(ANode, AText);
        } catch (const std::exception& E) {
            ide::MessageDlg(QString::fromUtf8(E.what()), ide::TMsgDlgType::mtError, ide::mbOK);
        }
    };
    FTree->OnChange = [this] { SelectionChanged(); };
    FTree->OnDragDrop = [this](const QMimeData* AData, const QList<PVirtualNode>& ANodes, PVirtualNode ATarget,
                               ext::TDropMode AMode) {
        try {
            DragDrop(AData, ANodes, ATarget, AMode);
        } catch (const std::exception& E) {
            ide::MessageDlg(QString::fromUtf8(E.what()), ide::TMsgDlgType::mtError, ide::mbOK);
        }
        UpdateActions();
    };
    FTree->OnHeaderDrawBackground = [](QPainter& APainter, const QRect& ARect, int) {
        APainter.fillRect(ARect, QColor::fromRgba(ide::IdeThemeColor(ide::TIdeColor::clBtnFace)));
        APainter.setPen(QColor::fromRgba(ide::IdeThemeColor(ide::TIdeColor::clBtnShadow)));
        APainter.drawLine(ARect.bottomLeft(), ARect.bottomRight());
        APainter.drawLine(ARect.topRight(), ARect.bottomRight());
    };
    connect(FTree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& APos) { FContextMenu->popup(FTree->viewport()->mapToGlobal(APos)); });
    LTreeLayout->addWidget(FTree, 1);

    FContextMenu = new QMenu(this);
    FContextMenu->setObjectName(QStringLiteral("PopupMenu"));
    for (const char* LName : {"ActionAddColor",
                              "ActionAddBitmapSet",
                              "ActionAddSVG",
                              "ActionAddLottieAnimation",
                              "ActionAddStyle",
                              "ActionAddCustomFile",
                              "ActionAddTheme",
                              "ActionAddFolder",
                              "-",
                              "ActionImportIconsCollections",
                              "ActionImportIconPack",
                              "-",
                              "ActionGenerateThemeColors",
                              "ActionGenerateRoundMask",
                              "ActionGenerateImageStub",
                              "-",
                              "ActionConvertFolderToThemeContainer",
                              "-",
                              "ActionDelete",
                              "ActionCopyName",
                              "ActionCloneAsset"}) {
        if (qstrcmp(LName, "-") == 0)
            FContextMenu->addSeparator();
        else
            FContextMenu->addAction(Action(QString::fromLatin1(LName)));
    }

    auto* LRight = new QWidget(FSplitter);
    auto* LRightLayout = new QVBoxLayout(LRight);
    LRightLayout->setContentsMargins(0, 0, 0, 0);
    LRightLayout->setSpacing(0);
    FImageSetPanel = new QScrollArea(LRight);
    FImageSetPanel->setObjectName(QStringLiteral("ImageSetPanel"));
    FImageSetPanel->setWidgetResizable(true);
    FImageSetPanel->setFrameShape(QFrame::NoFrame);
    auto* LViews = new QWidget(FImageSetPanel);
    LViews->setAutoFillBackground(true);
    QPalette LPalette = LViews->palette();
    LPalette.setColor(QPalette::Window, QColor::fromRgba(ide::IdeThemeColor(ide::TIdeColor::clWindow)));
    LViews->setPalette(LPalette);
    FViewsLayout = new QVBoxLayout(LViews);
    FViewsLayout->setContentsMargins(0, 0, 0, 0);
    FViewsLayout->setSpacing(0);
    FViewsLayout->addStretch(1);
    FImageSetPanel->setWidget(LViews);
    FImageSetPanel->viewport()->installEventFilter(this);
    LRightLayout->addWidget(FImageSetPanel, 1);
    FPanelSpacer = new QLabel(LRight);
    FPanelSpacer->setObjectName(QStringLiteral("PanelSpacer"));
    FPanelSpacer->setAlignment(Qt::AlignCenter);
    FPanelSpacer->hide();
    LRightLayout->addWidget(FPanelSpacer, 1);

    FSplitter->addWidget(FTreePanel);
    FSplitter->addWidget(LRight);
    FSplitter->setStretchFactor(1, 1);
    FSplitter->setSizes({DefaultTreeWidth, 700});
}

void TFrameAssetManager::Translate()
{
    for (auto It = FActions.cbegin(); It != FActions.cend(); ++It) {
        const QString LKey = It.key().toLower();
        It.value()->setText(Tr(LKey + QStringLiteral(".caption")));
        const QString LHint = Tr(LKey + QStringLiteral(".hint"));
        It.value()->setToolTip(LHint.endsWith(QStringLiteral(".hint")) ? It.value()->text() : LHint);
    }
    FTree->SetColumnText(0, Tr(QStringLiteral("vtresources.header.columns[0].text")));
    FTree->SetColumnText(1, Tr(QStringLiteral("vtresources.header.columns[1].text")));
    FPanelSpacer->setText(Tr(QStringLiteral("panelspacer.caption")));
}

QAction* TFrameAssetManager::Action(const QString& AName) const { return FActions.value(AName); }

QWidget* TFrameAssetManager::ViewsPanel() const { return FImageSetPanel; }

QList<TAssetsView*> TFrameAssetManager::SelectedViews() const { return FViews; }

void TFrameAssetManager::showEvent(QShowEvent* AEvent)
{
    QWidget::showEvent(AEvent);
    ApplyTreeWidth();
    UpdateActions();
}

void TFrameAssetManager::resizeEvent(QResizeEvent* AEvent)
{
    QWidget::resizeEvent(AEvent);
    ApplyTreeWidth();
}

bool TFrameAssetManager::eventFilter(QObject* AObject, QEvent* AEvent)
{
    if (FTree && AObject == FTree && AEvent->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(AEvent)->key() == Qt::Key_Delete && !FTree->IsEditing() && FTree->SelectedCount() > 0) {
        Action(QStringLiteral("ActionDelete"))->trigger();
        return true;
    }
    if (FImageSetPanel && AObject == FImageSetPanel->viewport() && AEvent->type() == QEvent::Wheel) {
        // A slower step than the platform's: the views are tall and users look along them.
        auto* LBar = FImageSetPanel->verticalScrollBar();
        LBar->setValue(LBar->value() - static_cast<QWheelEvent*>(AEvent)->angleDelta().y() / 10);
        return true;
    }
    return QWidget::eventFilter(AObject, AEvent);
}

// ---------------------------------------------------------------------------------------
// Document

void TFrameAssetManager::SetProject(const std::shared_ptr<ide::IOTAProject>& AProject)
{
    FLoadError.clear();
    try {
        FDocument->SetProject(AProject);
    } catch (const std::exception& E) {
        FLoadError = QString::fromUtf8(E.what());
        TqoLog::Error(CLogCategory, QStringLiteral("Cannot load the assets: %1"), FLoadError);
    }
    FMessage->setText(FLoadError.isEmpty() ? QString()
                                           : FLoadError + QStringLiteral("\nFix the file and open the project "
                                                                         "again; nothing is saved over it."));
    FMessage->setVisible(!FLoadError.isEmpty());
    UpdateActions();
}

QString TFrameAssetManager::LoadErrorText() const { return FLoadError; }

void TFrameAssetManager::LoadUISettings()
{
    FDocument->LoadUISettings();
    FPendingTreeWidth =
        qMax(FDocument->GetTreeWidth() > 0 ? FDocument->GetTreeWidth() : DefaultTreeWidth, MinTreeWidth);
    ApplyTreeWidth();
    if (FDocument->GetInfoColumnWidth() > 0)
        FTree->setColumnWidth(1, FDocument->GetInfoColumnWidth());
}

void TFrameAssetManager::ApplyTreeWidth()
{
    // A splitter shares out its width only once it has one: until the frame is shown at a useful
    // width, the tree's width waits.
    if (FPendingTreeWidth <= 0 || !isVisible() || FSplitter->width() < FPendingTreeWidth + MinTreeWidth)
        return;
    FSplitter->setSizes({FPendingTreeWidth, qMax(FSplitter->width() - FPendingTreeWidth, 1)});
    FPendingTreeWidth = 0;
}

void TFrameAssetManager::SaveUISettings()
{
    FDocument->SetTreeWidth(FPendingTreeWidth > 0 ? FPendingTreeWidth : FSplitter->sizes().value(0));
    FDocument->SetInfoColumnWidth(FTree->columnWidth(1));
    FDocument->SaveUISettings();
}

void TFrameAssetManager::LoadTree()
{
    FTree->BeginUpdate();
    ClearViews();
    FTree->Clear();
    while (FImages.size() > FInitialTreeIconsCount)
        FImages.removeLast();
    FPreviewIndexes.clear();
    const auto LAddGroup = [this](const core::TqoAssetGroup& AGroup) {
        try {
            AddNode(*AGroup.First());
        } catch (const std::exception& E) {
            TqoLog::Trace(CLogCategory, QStringLiteral("Не могу добавить узел ресурса в дерево: e=\"%1\""),
                          QString::fromUtf8(E.what()));
        }
    };
    // Theme containers first, so that the assets of a theme find their container's node.
    std::vector<core::TqoAssetGroup> LGroups = FDocument->GetAssetsManager().GetGroupedAssets();
    for (auto& LGroup : LGroups) {
        LGroup.Sort();
        if (LGroup.First()->GetKind() == core::TqoAssetThemeContainer::Kind)
            LAddGroup(LGroup);
    }
    for (auto& LGroup : FDocument->GetAssetsManager().GetGroupedAssets())
        if (LGroup.First()->GetKind() != core::TqoAssetThemeContainer::Kind)
            LAddGroup(LGroup);
    FTree->SortTree(0);
    FTree->EndUpdate();
    if (!FDocument->GetInitialAssetName().isEmpty())
        SetInitialAssetName(FDocument->GetInitialAssetName());
    NotifyViewsReady();
}

TqoAssetsSaveResult TFrameAssetManager::Save(bool AIsProjectDestroying)
{
    return FDocument->Save(AIsProjectDestroying);
}

// ---------------------------------------------------------------------------------------
// Nodes

TqoNodeData* TFrameAssetManager::GetNodeData(PVirtualNode ANode) const
{
    core::TqoAssert::IsNotNil(ANode, QStringLiteral("ANode"));
    return FTree->GetNodeData<TqoNodeData>(ANode);
}

bool TFrameAssetManager::IsContainerLike(PVirtualNode ANode) const
{
    return ANode && GetNodeData(ANode)->NodeType != TqoNodeType::Asset;
}

int TFrameAssetManager::CompareNodes(PVirtualNode ANode1, PVirtualNode ANode2) const
{
    const bool LContainer1 = IsContainerLike(ANode1);
    const bool LContainer2 = IsContainerLike(ANode2);
    if (LContainer1 != LContainer2)
        return LContainer1 ? -1 : 1;
    return GetNodeData(ANode1)->Caption.compare(GetNodeData(ANode2)->Caption, Qt::CaseSensitive);
}

void TFrameAssetManager::SortTree()
{
    // A batch sorts once at its end (LoadTree); sorting per node would make loads quadratic.
    if (!FDocument->HasState(TqoState::Loading))
        FTree->SortTree(0);
}

PVirtualNode TFrameAssetManager::AddNode(const TqoAsset& AAsset)
{
    const auto* LEditors = TqoAssetsEditorsManager::Instance();
    core::TqoAssert::IsNotNil(LEditors, QStringLiteral("TqoAssetsEditorsManager"));
    const IORVOAssetEditorPtr LEditor = LEditors->GetEditors(AAsset.GetKind());
    const TqoAssetEditorOptions LOptions = LEditor->GetOptions();
    auto LData = std::make_unique<TqoNodeData>();
    LData->NodeType =
        LOptions.testFlag(TqoAssetEditorOption::AssetContainer) ? TqoNodeType::AssetContainer : TqoNodeType::Asset;
    LData->Caption = AAsset.GetShortName();
    if (LOptions.testFlag(TqoAssetEditorOption::UniquePreview)) {
        const std::unique_ptr<QImage> LPreview = LEditor->GeneratePreview(&AAsset, QSize(CImageSize, CImageSize));
        LData->ImageIndex = LPreview ? AddPreview(&AAsset, LPreview.get()) : -1;
    } else {
        LData->ImageIndex = LEditor->GetPreviewImageIndex();
    }
    LData->Size = LEditor->GetAdditionalInfo(&AAsset);
    const PVirtualNode LParent = GetNodeForPath(AAsset.GetRelativePath());
    const PVirtualNode LNode = FTree->AddChild(LParent, std::move(LData));
    SortTree();
    return LNode;
}

PVirtualNode TFrameAssetManager::AddFolderNode(PVirtualNode AParent, const QString& AName)
{
    auto LData = std::make_unique<TqoNodeData>();
    LData->NodeType = TqoNodeType::Folder;
    LData->Caption = AName;
    const PVirtualNode LNode = FTree->AddChild(AParent, std::move(LData));
    // Folders made while loading or while following a rename are only the shape of names.
    if (!FDocument->HasState(TqoState::Loading) && !FDocument->HasState(TqoState::Renaming))
        FTree->SetSelected(LNode, true);
    SortTree();
    if (AParent && !FDocument->HasState(TqoState::Loading))
        FTree->SetExpanded(AParent, true);
    FDocument->MarkModified();
    return LNode;
}

PVirtualNode TFrameAssetManager::GetNodeForPath(const QString& APath)
{
    if (APath.isEmpty())
        return nullptr;
    PVirtualNode LCurrent = nullptr;
    for (const QString& LPart : APath.split(TqoAssetNameHelper::Separator)) {
        PVirtualNode LFound = nullptr;
        for (PVirtualNode LChild = FTree->GetFirstChild(LCurrent); LChild; LChild = FTree->GetNextSibling(LChild))
            if (IsContainerLike(LChild) && GetNodeData(LChild)->Caption.compare(LPart, Qt::CaseInsensitive) == 0) {
                LFound = LChild;
                break;
            }
        LCurrent = LFound ? LFound : AddFolderNode(LCurrent, LPart);
    }
    return LCurrent;
}

bool TFrameAssetManager::TryFindNode(const QString& AName, PVirtualNode& ANode) const
{
    ANode = nullptr;
    if (AName.isEmpty())
        return false;
    const QStringList LParts = AName.split(TqoAssetNameHelper::Separator);
    PVirtualNode LCurrent = nullptr;
    for (int I = 0; I < LParts.size(); ++I) {
        const bool LLast = I == LParts.size() - 1;
        PVirtualNode LFound = nullptr;
        for (PVirtualNode LChild = FTree->GetLastChild(LCurrent); LChild; LChild = FTree->GetPreviousSibling(LChild)) {
            const TqoNodeData* LData = GetNodeData(LChild);
            const bool LKindFits =
                LLast ? LData->NodeType != TqoNodeType::Folder : LData->NodeType != TqoNodeType::Asset;
            if (LKindFits && LData->Caption == LParts[I]) {
                LFound = LChild;
                break;
            }
        }
        if (!LFound)
            return false;
        LCurrent = LFound;
    }
    ANode = LCurrent;
    return true;
}

bool TFrameAssetManager::ContainsName(const QString& AName) const
{
    PVirtualNode LNode = nullptr;
    if (!AName.endsWith(TqoAssetNameHelper::Separator))
        return TryFindNode(AName, LNode);
    // A folder path: every level is a folder or a theme container.
    PVirtualNode LCurrent = nullptr;
    for (const QString& LPart : AName.chopped(1).split(TqoAssetNameHelper::Separator)) {
        PVirtualNode LFound = nullptr;
        for (PVirtualNode LChild = FTree->GetFirstChild(LCurrent); LChild && !LFound;
             LChild = FTree->GetNextSibling(LChild))
            if (IsContainerLike(LChild) && GetNodeData(LChild)->Caption == LPart)
                LFound = LChild;
        if (!LFound)
            return false;
        LCurrent = LFound;
    }
    return true;
}

void TFrameAssetManager::SelectNode(const QString& AName, bool AClearSelection)
{
    PVirtualNode LNode = nullptr;
    if (!TryFindNode(AName, LNode))
        return;
    if (AClearSelection)
        FTree->ClearSelection();
    FTree->SetSelected(LNode, true);
    FTree->SetFocusedNode(LNode);
    FTree->ScrollIntoView(LNode);
}

void TFrameAssetManager::ExpandNodesToAsset(const QString& AName)
{
    PVirtualNode LNode = nullptr;
    if (!TryFindNode(AName, LNode))
        return;
    for (PVirtualNode LParent = FTree->NodeParent(LNode); LParent; LParent = FTree->NodeParent(LParent))
        FTree->SetExpanded(LParent, true);
}

void TFrameAssetManager::SetInitialAssetName(const QString& AName)
{
    FDocument->SetInitialAssetName(AName);
    QString LName = AName;
    while (LName.endsWith(TqoAssetNameHelper::Separator))
        LName.chop(1);
    // The views are ready at once when the selection stays as it is.
    NotifyViewsReady();
    if (LName.isEmpty())
        return;
    QList<PVirtualNode> LPath;
    PVirtualNode LCurrent = nullptr;
    for (const QString& LPart : LName.split(TqoAssetNameHelper::Separator)) {
        PVirtualNode LFound = nullptr;
        for (PVirtualNode LChild = FTree->GetFirstChild(LCurrent); LChild && !LFound;
             LChild = FTree->GetNextSibling(LChild))
            if (GetNodeData(LChild)->Caption.compare(LPart, Qt::CaseInsensitive) == 0)
                LFound = LChild;
        if (!LFound)
            return;
        LPath.append(LFound);
        LCurrent = LFound;
    }
    FTree->BeginUpdate();
    for (PVirtualNode LNode : LPath)
        FTree->SetExpanded(LNode, true);
    FTree->ClearSelection();
    FTree->SetSelected(LPath.last(), true);
    FTree->SetFocusedNode(LPath.last());
    FTree->EndUpdate();
    FTree->ScrollIntoView(LPath.last());
}

QString TFrameAssetManager::GetAssetName(PVirtualNode ANode) const
{
    core::TqoAssert::IsNotNil(ANode, QStringLiteral("Node"));
    QStringList LParts;
    for (PVirtualNode LNode = ANode; LNode; LNode = FTree->NodeParent(LNode))
        LParts.prepend(GetNodeData(LNode)->Caption);
    return LParts.join(TqoAssetNameHelper::Separator);
}

QString TFrameAssetManager::GetPathForNode(PVirtualNode ANode) const
{
    return ANode ? GetAssetName(ANode) + TqoAssetNameHelper::Separator : QString();
}

QString TFrameAssetManager::GenerateNodeName(const QString& ABase, PVirtualNode AParent, PVirtualNode AExcept) const
{
    const auto LTaken = [&](const QString& AName) {
        for (PVirtualNode LChild = FTree->GetFirstChild(AParent); LChild; LChild = FTree->GetNextSibling(LChild))
            if (LChild != AExcept && GetNodeData(LChild)->Caption == AName)
                return true;
        return false;
    };
    if (!LTaken(ABase))
        return ABase;
    for (int LCounter = 1;; ++LCounter) {
        const QString LName = QStringLiteral("%1-%2").arg(ABase).arg(LCounter);
        if (!LTaken(LName))
            return LName;
    }
}

QString TFrameAssetManager::GenerateUniqueNameForCurrentFolder(PVirtualNode AFolder, const QString& ABase) const
{
    return Model().GenerateAssetName(GetPathForNode(AFolder) + ABase);
}

PVirtualNode TFrameAssetManager::FindFolder(PVirtualNode ANode) const
{
    // A node outside every folder has the top level (null) as its folder.
    for (PVirtualNode LNode = ANode; LNode; LNode = FTree->NodeParent(LNode))
        if (IsContainerLike(LNode))
            return LNode;
    return nullptr;
}

PVirtualNode TFrameAssetManager::FindFolderAmongSelected() const
{
    for (PVirtualNode LSelected : FTree->GetSortedSelection())
        if (const PVirtualNode LFolder = FindFolder(LSelected))
            return LFolder;
    return nullptr;
}

bool TFrameAssetManager::IsInThemeContainerNode(PVirtualNode ANode) const
{
    for (PVirtualNode LNode = ANode; LNode; LNode = FTree->NodeParent(LNode))
        if (GetNodeData(LNode)->NodeType == TqoNodeType::AssetContainer)
            return true;
    return false;
}

PVirtualNode TFrameAssetManager::FindThemeContainerParentNode(PVirtualNode ANode) const
{
    for (PVirtualNode LNode = ANode; LNode; LNode = FTree->NodeParent(LNode))
        if (GetNodeData(LNode)->NodeType == TqoNodeType::Folder && !IsInThemeContainerNode(LNode))
            return LNode;
    return nullptr;
}

PVirtualNode TFrameAssetManager::FindFolderAmongSelectedAndAvoidThemeNode() const
{
    for (PVirtualNode LSelected : FTree->GetSortedSelection())
        if (const PVirtualNode LFolder = FindThemeContainerParentNode(LSelected))
            return LFolder;
    return nullptr;
}

void TFrameAssetManager::DeleteNode(PVirtualNode ANode)
{
    FSelectedViews.erase(ANode);
    FTree->DeleteNode(ANode);
}

bool TFrameAssetManager::DeleteNestedEmptyFolders(PVirtualNode ANode)
{
    for (PVirtualNode LChild = FTree->GetLastChild(ANode); LChild;) {
        const PVirtualNode LPrevious = FTree->GetPreviousSibling(LChild);
        DeleteNestedEmptyFolders(LChild);
        LChild = LPrevious;
    }
    if (FTree->ChildCount(ANode) == 0 && GetNodeData(ANode)->NodeType == TqoNodeType::Folder) {
        DeleteNode(ANode);
        return true;
    }
    return false;
}

void TFrameAssetManager::DeleteEmptyFolders(PVirtualNode ANode, bool AWithParents)
{
    while (ANode && GetNodeData(ANode)->NodeType == TqoNodeType::Folder && FTree->ChildCount(ANode) == 0) {
        const PVirtualNode LParent = FTree->NodeParent(ANode);
        DeleteNode(ANode);
        ANode = AWithParents ? LParent : nullptr;
    }
}

void TFrameAssetManager::DeleteEmptyFoldersAmongSelected()
{
    // Last first: a node's subtree comes after it, so what is deleted was already visited.
    QList<PVirtualNode> LSelection = FTree->GetSortedSelection();
    for (auto It = LSelection.crbegin(); It != LSelection.crend(); ++It) {
        if (DeleteNestedEmptyFolders(*It) || FTree->ChildCount(*It) > 0)
            continue;
        // A container whose asset is gone goes too; an asset node stays while its asset does.
        if (GetNodeData(*It)->NodeType == TqoNodeType::Folder ||
            !FDocument->GetAssetsManager().Contains(GetAssetName(*It)))
            DeleteNode(*It);
    }
}

// ---------------------------------------------------------------------------------------
// Previews

int TFrameAssetManager::AddPreview(const TqoAsset* AAsset, const QImage* APreview)
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    core::TqoAssert::IsNotNil(APreview, QStringLiteral("APreview"));
    const int LIndex = FImages.size();
    FImages.append(QIcon(QPixmap::fromImage(*APreview)));
    FPreviewIndexes.insert(AssetIdentity(AAsset), LIndex);
    return LIndex;
}

int TFrameAssetManager::ReplacePreview(const TqoAsset* AAsset, const QImage& APreview)
{
    const int LIndex = FPreviewIndexes.value(AssetIdentity(AAsset), -1);
    if (LIndex >= 0)
        FImages[LIndex] = QIcon(QPixmap::fromImage(APreview));
    FTree->viewport()->update();
    return LIndex;
}

void TFrameAssetManager::RestoreBitmapScales(const core::TqoAssetGroup& AGroup)
{
    TqoAssetsDocument::RestoreBitmapScales(AGroup);
}

void TFrameAssetManager::NeedUpdateAssetPreviewHandler(TqoAsset* AAsset)
{
    PVirtualNode LNode = nullptr;
    if (AAsset && TryFindNode(AAsset->GetName(), LNode)) {
        const IORVOAssetEditorPtr LEditor = TqoAssetsEditorsManager::Instance()->GetEditors(AAsset->GetKind());
        if (LEditor->GetOptions().testFlag(TqoAssetEditorOption::UniquePreview)) {
            // The node shows the group's first variant.
            const auto LGroup = Model().GetAssets(AAsset->GetName());
            LGroup->Sort();
            const TqoAsset* LShown = LGroup->First() ? LGroup->First().get() : AAsset;
            if (const auto LPreview = LEditor->GeneratePreview(LShown, QSize(CImageSize, CImageSize))) {
                TqoNodeData* LData = GetNodeData(LNode);
                const int LIndex = ReplacePreview(LShown, *LPreview);
                LData->ImageIndex = LIndex >= 0 ? LIndex : AddPreview(LShown, LPreview.get());
            }
        }
        GetNodeData(LNode)->Size = LEditor->GetAdditionalInfo(AAsset);
        FTree->InvalidateNode(LNode);
    }
    FDocument->MarkModified();
    UpdateActions();
}

// ---------------------------------------------------------------------------------------
// The model's reports

void TFrameAssetManager::AssetsChangedHandler(const core::TqoAssetName& AName, TqoAssetOperation AOperation)
{
    switch (AOperation) {
    case TqoAssetOperation::Added: {
        TqoLog::Trace(CLogCategory, QStringLiteral("AssetsChanged: Added: name=\"%1\""), AName);
        const auto LGroup = Model().GetAssets(AName);
        LGroup->Sort();
        PVirtualNode LNode = nullptr;
        if (LGroup->First() && TryFindNode(AName, LNode)) {
            // A variant added to a name already shown: the node stays, its info follows.
            GetNodeData(LNode)->Size = TqoAssetsEditorsManager::Instance()
                                           ->GetEditors(LGroup->First()->GetKind())
                                           ->GetAdditionalInfo(LGroup->First().get());
            FTree->InvalidateNode(LNode);
        } else if (LGroup->First()) {
            AddNode(*LGroup->First());
        }
        break;
    }
    case TqoAssetOperation::Deleting: {
        TqoLog::Trace(CLogCategory, QStringLiteral("AssetsChanged: Deleting: name=\"%1\""), AName);
        PVirtualNode LNode = nullptr;
        if (TryFindNode(AName, LNode) && FTree->ChildCount(LNode) == 0)
            DeleteNode(LNode);
        break;
    }
    case TqoAssetOperation::Renamed:
        break;
    }
    FDocument->MarkModified();
    UpdateActions();
}

void TFrameAssetManager::AssetRenamedHandler(const core::TqoAssetName& AOldName, const core::TqoAssetName& ANewName)
{
    FDocument->Include(TqoState::Renaming);
    PVirtualNode LNode = nullptr;
    if (TryFindNode(AOldName, LNode)) {
        GetNodeData(LNode)->Caption = TqoAssetNameHelper::ShortName(ANewName);
        const PVirtualNode LOldParent = FTree->NodeParent(LNode);
        const PVirtualNode LNewParent = DefineRootNode(TqoAssetNameHelper::Path(ANewName));
        if (LOldParent != LNewParent) {
            FTree->MoveTo(LNode, LNewParent, ext::TVTNodeAttachMode::amAddChildLast);
            if (LOldParent && FTree->ChildCount(LOldParent) == 0)
                DeleteNode(LOldParent);
        }
    } else if (TryFindNode(ANewName, LNode)) {
        GetNodeData(LNode)->Caption = TqoAssetNameHelper::ShortName(ANewName);
    }
    FTree->SortTree(0);
    TqoLog::Trace(CLogCategory, QStringLiteral("--------------- %1"), int(FSelectedViews.size()));
    if (LNode) {
        FTree->InvalidateNode(LNode);
        const auto It = FSelectedViews.find(LNode);
        if (It != FSelectedViews.end())
            It->second->RefreshTitle();
    }
    FDocument->Exclude(TqoState::Renaming);
}

// ---------------------------------------------------------------------------------------
// Views of the selection

void TFrameAssetManager::ClearViews()
{
    FSelectedViews.clear();
    for (TAssetsView* LView : FViews)
        delete LView;
    FViews.clear();
}

void TFrameAssetManager::SelectionChanged()
{
    FImageSetPanel->setUpdatesEnabled(false);
    FSelectedViews.clear();
    const auto LResume = qScopeGuard([this] {
        FImageSetPanel->setUpdatesEnabled(true);
        FImageSetPanel->update();
    });
    UpdateActions();
    if (FTree->SelectedCount() == 0) {
        ClearViews();
        NotifyViewsReady();
        return;
    }
    if (FDocument->HasState(TqoState::Renaming))
        return;
    FPanelSpacer->show();
    FImageSetPanel->hide();
    ClearViews();
    const auto LAddView = [this](PVirtualNode ANode) {
        auto LGroup = Model().GetAssets(GetAssetName(ANode));
        if (LGroup->IsEmpty())
            return;
        auto* LView = new TAssetsView();
        LView->SetGroup(std::move(LGroup));
        LView->OnNeedUpdatePreview = [this](TqoAsset* AAsset) { NeedUpdateAssetPreviewHandler(AAsset); };
        FSelectedViews[ANode] = LView;
        FViews.append(LView);
        FViewsLayout->insertWidget(FViewsLayout->count() - 1, LView);
    };
    for (PVirtualNode LNode : FTree->GetSortedSelection()) {
        if (GetNodeData(LNode)->NodeType == TqoNodeType::Asset) {
            LAddView(LNode);
            continue;
        }
        for (PVirtualNode LChild = FTree->GetFirstChild(LNode); LChild; LChild = FTree->GetNextSibling(LChild))
            if (GetNodeData(LChild)->NodeType == TqoNodeType::Asset)
                LAddView(LChild);
    }
    FImageSetPanel->show();
    FPanelSpacer->hide();
    FViewsLayout->activate();
    NotifyViewsReady();
}

void TFrameAssetManager::NotifyViewsReady()
{
    // From the event loop: the views are laid out by then, and a host that connects right after
    // asking for a selection still hears of it.
    QTimer::singleShot(0, this, [this] { Q_EMIT ViewsReady(); });
}

void TFrameAssetManager::UpdateActions()
{
    const QList<PVirtualNode> LSelection = FTree->GetSortedSelection();
    const int LCount = LSelection.size();
    const TqoNodeType LType = LCount == 1 ? GetNodeData(LSelection.first())->NodeType : TqoNodeType::Folder;
    const bool LLoaded = FLoadError.isEmpty() && FDocument->GetProject();
    for (auto It = FActions.cbegin(); It != FActions.cend(); ++It) {
        const QString& LName = It.key();
        bool LEnabled = LLoaded;
        if (LName == QLatin1String("ActionConvertFolderToThemeContainer"))
            LEnabled =
                LEnabled && LCount == 1 && LType == TqoNodeType::Folder && !IsInThemeContainerNode(LSelection.first());
        else if (LName == QLatin1String("ActionDelete"))
            LEnabled = LEnabled && LCount > 0;
        else if (LName == QLatin1String("ActionCopyName"))
            LEnabled = LEnabled && LCount == 1 && LType != TqoNodeType::Folder;
        else if (LName == QLatin1String("ActionCloneAsset"))
            LEnabled = LEnabled && LCount == 1 && LType == TqoNodeType::Asset;
        else if (LName == QLatin1String("ActionSave"))
            LEnabled = LEnabled && FDocument->GetModified();
        It.value()->setEnabled(LEnabled);
    }
}

} // namespace orvo
