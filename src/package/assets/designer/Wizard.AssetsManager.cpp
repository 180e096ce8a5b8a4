#include "assets/designer/Wizard.AssetsManager.h"

#include "ORVO.Designer.IdeEvents.h"
#include "ORVO.Log.h"
#include "PackageLoader.h"
#include "assets/designer/ORVO.Assets.Designer.Frame.h"

#include <QFileInfo>
#include <QHash>
#include <stdexcept>

namespace orvo {

namespace {

const QString MenuTargetName = QStringLiteral("ProjectViewResourcesItem");

// The views registry: project GUID to its open view. The IDE owns the views.
using TViewsRegistry = QHash<QString, std::weak_ptr<TqoAssetsManagerView>>;
std::unique_ptr<TViewsRegistry> GViews;

// The wizard the package registered, for the unit's finalization.
TqoWizardAssetsManager* GWizard = nullptr;

// GUIDs are compared as GUIDs: hand-edited project files may differ in letter case.
QString Key(const QString& AProjectGUID) { return AProjectGUID.toUpper(); }

void Unregister(const QString& AProjectGUID)
{
    if (GViews)
        GViews->remove(Key(AProjectGUID));
}

[[noreturn]] void RaiseMissing(const char* AWhat, const char* AService)
{
    throw std::runtime_error(std::string(AWhat) + ". Sevice " + AService + " is unavailable");
}

// The project holds its notifiers; a view it held itself would never go.
class TqoViewNotifier final : public ide::IOTAProjectNotifier
{
public:
    explicit TqoViewNotifier(std::weak_ptr<TqoAssetsManagerView> AView) : FView(std::move(AView)) {}
    void Destroyed() override
    {
        if (const auto LView = FView.lock())
            LView->Destroyed();
    }

private:
    std::weak_ptr<TqoAssetsManagerView> FView;
};

} // namespace

// ---------------------------------------------------------------------------------------

QStringList AssetsManagerTabImages()
{
    return {ide::ModuleResourceRoot(QStringLiteral(ORVO_PACKAGE_MODULE)) + QStringLiteral("/TQOIMAGE16_PNG")};
}

TqoWizardAssetsManager::TqoWizardAssetsManager()
{
    const char* LFailure = "Cannot create Assets Manager menu Item in MainMenu";
    const auto LMenu = ide::BorlandIDEServices().Supports<ide::INTAServices>();
    if (!LMenu)
        RaiseMissing(LFailure, "INTAService");
    const auto LImages = ide::BorlandIDEServices().Supports<ide::INTAEditorViewServices>();
    if (!LImages)
        RaiseMissing(LFailure, "INTAEditorViewServices");

    FOpenAction = std::make_shared<ide::TAction>();
    FOpenAction->Caption = QStringLiteral("Orvo Assets Manager");
    FOpenAction->OnExecute = [] { OpenAssetsManagerDesigner(QString()); };
    FOpenAction->OnUpdate = [](ide::TAction& AAction) {
        const auto LProject = ide::GetActiveProject();
        // Only projects of the framework have an Assets Manager.
        AAction.Enabled = LProject && LProject->ProjectType() == QStringLiteral("xfm");
        AAction.Visible = AAction.Enabled;
    };
    FOpenAction->Update();
    FOpenMenuItem = std::make_shared<ide::TMenuItem>();
    FOpenMenuItem->Name = QStringLiteral("OrvoAssetsManagerItem");
    if (!LMenu->AddActionMenu(MenuTargetName, FOpenAction, FOpenMenuItem, true, false))
        throw std::runtime_error("Cannot create Assets Manager menu Item in MainMenu. There is no menu item " +
                                 MenuTargetName.toStdString());
    FBaseImageEditorIndex = LImages->AddImages(AssetsManagerTabImages(), QStringLiteral("ORVO"));
    GWizard = this;
}

TqoWizardAssetsManager::~TqoWizardAssetsManager()
{
    RemoveMenuItem();
    if (GWizard == this)
        GWizard = nullptr;
}

QString TqoWizardAssetsManager::GetIDString() const
{
    return QStringLiteral("ORVO.View.AssetsManager.TqoOpenAssetsManagerMenuItem");
}

QString TqoWizardAssetsManager::GetName() const { return GetIDString(); }

bool TqoWizardAssetsManager::GetState() const { return FOpenAction && FOpenAction->Enabled; }

void TqoWizardAssetsManager::RemoveMenuItem()
{
    if (FOpenMenuItem && FOpenMenuItem->Parent())
        if (const auto LMenu = ide::BorlandIDEServices().Supports<ide::INTAServices>())
            LMenu->RemoveMenuItem(FOpenMenuItem.get());
    if (FOpenAction) {
        FOpenAction->OnExecute = nullptr;
        FOpenAction->OnUpdate = nullptr;
    }
}

// ---------------------------------------------------------------------------------------

TqoAssetsManagerView::TqoAssetsManagerView(const std::shared_ptr<ide::IOTAProject>& AProject, int ABaseImageEditorIndex)
    : FProjectGUID(AProject->ProjectGUID()), FProject(AProject), FBaseImageEditorIndex(ABaseImageEditorIndex),
      FProjectFileName(AProject->FileName())
{
}

std::shared_ptr<TqoAssetsManagerView> TqoAssetsManagerView::Create(const std::shared_ptr<ide::IOTAProject>& AProject,
                                                                   int ABaseImageEditorIndex)
{
    std::shared_ptr<TqoAssetsManagerView> LView(new TqoAssetsManagerView(AProject, ABaseImageEditorIndex));
    LView->FProjectNotifierId = AProject->AddNotifier(std::make_shared<TqoViewNotifier>(LView));
    return LView;
}

TqoAssetsManagerView::~TqoAssetsManagerView() { DetachNotifier(); }

void TqoAssetsManagerView::DetachNotifier()
{
    if (FProjectNotifierId == -1)
        return;
    if (const auto LProject = FProject.lock())
        LProject->RemoveNotifier(FProjectNotifierId);
    FProjectNotifierId = -1;
}

QString TqoAssetsManagerView::GetCaption()
{
    return QStringLiteral("Assets Manager: ") + QFileInfo(FProjectFileName).fileName();
}

QString TqoAssetsManagerView::GetEditorWindowCaption() { return QStringLiteral("GetEditorWindowCaption"); }

QString TqoAssetsManagerView::GetViewIdentifier()
{
    const QFileInfo LFile(FProjectFileName);
    const QString LWithoutExtension = LFile.suffix().isEmpty()
                                          ? FProjectFileName
                                          : FProjectFileName.left(FProjectFileName.size() - LFile.suffix().size() - 1);
    return QStringLiteral("ORVO.Project.Designer.Assets.%1").arg(LWithoutExtension);
}

const QMetaObject* TqoAssetsManagerView::GetFrameClass() { return &TFrameAssetManager::staticMetaObject; }

void TqoAssetsManagerView::FrameCreated(QObject* AFrame)
{
    FFrame = qobject_cast<TFrameAssetManager*>(AFrame);
    const auto LProject = FProject.lock();
    if (!FFrame || !LProject)
        return;
    FFrame->SetProject(LProject);
    FFrame->SetInitialAssetName(FInitialAssetName);
    FFrame->LoadUISettings();
}

TFrameAssetManager* TqoAssetsManagerView::Frame() const { return FFrame.data(); }

void TqoAssetsManagerView::SetInitialAssetName(const QString& AName)
{
    FInitialAssetName = AName;
    if (FFrame)
        FFrame->SetInitialAssetName(AName);
}

void TqoAssetsManagerView::Close(bool& AAllowed)
{
    AAllowed = true;
    if (FFrame && FFrame->GetModified()) {
        if (FUnloading) {
            // Nobody is left to answer while the package goes; the changes are not written.
            core::TqoLog::Warning(TqoAssetsDocument::LogCategory,
                                  QStringLiteral("Unsaved asset changes of %1 were discarded on unloading"),
                                  FProjectFileName);
        } else {
            switch (
                ide::MessageDlg(QStringLiteral("The assets designer is closing. Would you like to save all changes?"),
                                ide::TMsgDlgType::mtConfirmation, ide::mbYes | ide::mbNo | ide::mbCancel)) {
            case ide::TModalResult::mrYes:
                try {
                    FFrame->Save(FIsProjectDestroying);
                } catch (const std::exception& E) {
                    // What did not save stays on screen rather than being thrown away.
                    ide::MessageDlg(QString::fromUtf8(E.what()), ide::TMsgDlgType::mtError, ide::mbOK);
                    AAllowed = false;
                    break;
                }
                if (FIsProjectDestroying)
                    ide::TMessageManager::DefaultManager().SendMessage(this,
                                                                       dsgn::TqoCanRemoveAssetsManager(FProjectGUID));
                break;
            case ide::TModalResult::mrNo:
                break;
            default:
                AAllowed = false;
            }
        }
    }
    if (FFrame)
        FFrame->SaveUISettings();
    if (AAllowed) {
        DetachNotifier();
        Unregister(FProjectGUID);
    }
}

void TqoAssetsManagerView::Destroyed()
{
    FIsProjectDestroying = true;
    DetachNotifier();
    Unregister(FProjectGUID);
    if (const auto LViews = ide::BorlandIDEServices().Supports<ide::IOTAEditorViewServices>())
        LViews->CloseEditorView(shared_from_this());
}

// ---------------------------------------------------------------------------------------

std::shared_ptr<TqoAssetsManagerView> FindAssetsManagerView(const QString& AProjectGUID)
{
    return GViews ? GViews->value(Key(AProjectGUID)).lock() : nullptr;
}

void OpenAssetsManagerDesigner(const QString& AInitialAssetName)
{
    const auto LViews = ide::BorlandIDEServices().Supports<ide::IOTAEditorViewServices>();
    if (!LViews)
        RaiseMissing("Cannot open Assets Manager designer", "IOTAEditorViewServices");
    const auto LProject = ide::GetActiveProject();
    if (!LProject)
        throw std::runtime_error("Cannot open Assets Manager designer. There is no active project");
    if (!GViews)
        throw std::runtime_error("Cannot open Assets Manager designer. The package is not initialized");
    auto LView = FindAssetsManagerView(LProject->ProjectGUID());
    const bool LIsNew = !LView;
    if (LIsNew) {
        LView = TqoAssetsManagerView::Create(LProject, -1);
        GViews->insert(Key(LProject->ProjectGUID()), LView);
    }
    LView->SetInitialAssetName(AInitialAssetName);
    try {
        LViews->ShowEditorView(LView);
    } catch (...) {
        // A view that never showed has no place in the registry.
        if (LIsNew)
            Unregister(LProject->ProjectGUID());
        throw;
    }
}

void WizardAssetsManagerInitialization() { GViews = std::make_unique<TViewsRegistry>(); }

void WizardAssetsManagerFinalization()
{
    // Views and menu item both run the package's code, which is about to be unloaded.
    if (GWizard)
        GWizard->RemoveMenuItem();
    if (const auto LViews = ide::BorlandIDEServices().Supports<ide::IOTAEditorViewServices>()) {
        for (const auto& LOpen : LViews->OpenViews()) {
            const auto LView = std::dynamic_pointer_cast<TqoAssetsManagerView>(LOpen);
            if (!LView)
                continue;
            LView->SetUnloading();
            LViews->CloseEditorView(LView);
        }
    }
    GViews.reset();
}

} // namespace orvo
