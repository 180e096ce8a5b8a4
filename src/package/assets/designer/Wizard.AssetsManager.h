#pragma once

// The Assets Manager in the IDE: the menu item that opens it, and one editor view per project
// hosting the Assets Manager frame. Open views are kept by project GUID.

#include "DesignIntf.h"
#include "ToolsAPI.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

namespace orvo {

class TFrameAssetManager;

class TqoWizardAssetsManager final : public ide::IOTAWizard
{
public:
    // Adds the menu item after the project resources item and the tab images. Raises when the
    // menu or the editor-view images service is missing; nothing is added then.
    TqoWizardAssetsManager();
    ~TqoWizardAssetsManager() override;

    QString GetIDString() const override;
    QString GetName() const override;
    bool GetState() const;
    void Execute() override {}

    int BaseImageEditorIndex() const { return FBaseImageEditorIndex; }
    // Takes the menu item away; the package's code behind its action is about to go.
    void RemoveMenuItem();

private:
    std::shared_ptr<ide::TMenuItem> FOpenMenuItem;
    std::shared_ptr<ide::TAction> FOpenAction;
    int FBaseImageEditorIndex = -1;
};

// The Assets Manager of one project.
class TqoAssetsManagerView final : public ide::INTACustomEditorView,
                                   public ide::IOTAProjectNotifier,
                                   public std::enable_shared_from_this<TqoAssetsManagerView>
{
public:
    // The view listens to the project until it closes or the project goes.
    static std::shared_ptr<TqoAssetsManagerView> Create(const std::shared_ptr<ide::IOTAProject>& AProject,
                                                        int ABaseImageEditorIndex);
    ~TqoAssetsManagerView() override;

    QString GetCaption() override;
    QString GetEditorWindowCaption() override;
    QString GetViewIdentifier() override;
    const QMetaObject* GetFrameClass() override;
    void FrameCreated(QObject* AFrame) override;
    int GetImageIndex() override { return FBaseImageEditorIndex; }
    quint32 GetTabColor() override { return 0x0099CC00; }
    // Offers to save a modified document; Cancel, or a save that fails, keeps the view open.
    void Close(bool& AAllowed) override;

    // The project is going away: save what the user wants to keep, then close.
    void Destroyed() override;

    void SetInitialAssetName(const QString& AName);
    TFrameAssetManager* Frame() const;
    QString ProjectGUID() const { return FProjectGUID; }
    // The package is unloading: the next Close neither asks nor refuses.
    void SetUnloading() { FUnloading = true; }

private:
    TqoAssetsManagerView(const std::shared_ptr<ide::IOTAProject>& AProject, int ABaseImageEditorIndex);
    void DetachNotifier();

    QString FProjectGUID;
    std::weak_ptr<ide::IOTAProject> FProject;
    QPointer<TFrameAssetManager> FFrame;
    int FProjectNotifierId = -1;
    int FBaseImageEditorIndex = -1;
    bool FIsProjectDestroying = false;
    QString FInitialAssetName;
    QString FProjectFileName; // kept for the caption once the project is gone
    bool FUnloading = false;
};

// Opens, or brings forward, the active project's Assets Manager showing that asset (an empty
// name shows nothing in particular). Raises without an editor-view service or active project.
void OpenAssetsManagerDesigner(const QString& AInitialAssetName);

// The images the views' tabs may show, added under "ORVO".
QStringList AssetsManagerTabImages();

// The open view of a project, null when there is none.
std::shared_ptr<TqoAssetsManagerView> FindAssetsManagerView(const QString& AProjectGUID);

// The unit's start and stop: the views registry, and on stop the menu item and the open views.
void WizardAssetsManagerInitialization();
void WizardAssetsManagerFinalization();

} // namespace orvo
