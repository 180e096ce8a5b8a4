#include "ToolsAPI.Services.h"

#include <QFileInfo>
#include <algorithm>

namespace ide {

namespace {

class TModuleServices final : public IOTAModuleServices
{
public:
    std::shared_ptr<IOTAProject> OpenProject(const QString& AFileName) override
    {
        const QString Absolute = QFileInfo(AFileName).absoluteFilePath();
        for (const auto& Project : FProjects) {
            if (Project->FileName() == Absolute) {
                FActive = Project;
                return Project;
            }
        }
        std::shared_ptr<IOTAProject> Project = TDprojProject::Open(Absolute);
        const auto Previous = FActive;
        FProjects.push_back(Project);
        FActive = Project;
        try {
            Notify(ofnFileOpened, Absolute);
        } catch (...) {
            // Half-opened is not open: those already told hear of the closing.
            try {
                Notify(ofnFileClosing, Absolute);
            } catch (...) {
            }
            FProjects.pop_back();
            FActive = Previous;
            throw;
        }
        return Project;
    }

    bool CloseProject(const std::shared_ptr<IOTAProject>& AProject) override
    {
        if (std::find(FProjects.begin(), FProjects.end(), AProject) == FProjects.end())
            return false;
        if (Notify(ofnFileClosing, AProject->FileName()))
            return false;
        // The project's own notifiers (its open views) go first, while it is still listed.
        if (const auto Dproj = std::dynamic_pointer_cast<TDprojProject>(AProject))
            Dproj->NotifyDestroyed();
        FProjects.erase(std::remove(FProjects.begin(), FProjects.end(), AProject), FProjects.end());
        if (FActive == AProject)
            FActive = FProjects.empty() ? nullptr : FProjects.back();
        return true;
    }

    int AddNotifier(std::shared_ptr<IOTAIDENotifier> ANotifier) override
    {
        const int Index = FNextNotifier++;
        FNotifiers[Index] = std::move(ANotifier);
        return Index;
    }

    void RemoveNotifier(int AIndex) override { FNotifiers.erase(AIndex); }

    std::vector<std::shared_ptr<IOTAProject>> Projects() const override { return FProjects; }
    std::shared_ptr<IOTAProject> GetActiveProject() const override { return FActive; }
    void SetActiveProject(const std::shared_ptr<IOTAProject>& AProject) override { FActive = AProject; }

private:
    // Returns whether a notifier cancelled. Notifiers may add or remove notifiers meanwhile.
    bool Notify(TOTAFileNotification ACode, const QString& AFileName)
    {
        std::vector<std::shared_ptr<IOTAIDENotifier>> Snapshot;
        for (const auto& [Index, Notifier] : FNotifiers)
            Snapshot.push_back(Notifier);
        bool Cancel = false;
        for (const auto& Notifier : Snapshot)
            Notifier->FileNotification(ACode, AFileName, Cancel);
        return Cancel && ACode == ofnFileClosing;
    }

    std::vector<std::shared_ptr<IOTAProject>> FProjects;
    std::shared_ptr<IOTAProject> FActive;
    std::map<int, std::shared_ptr<IOTAIDENotifier>> FNotifiers;
    int FNextNotifier = 0;
};

class TEditorViewServices final : public IOTAEditorViewServices
{
public:
    void ShowEditorView(const std::shared_ptr<INTACustomEditorView>& AView) override
    {
        std::shared_ptr<INTACustomEditorView> View = FindView(AView->GetViewIdentifier());
        if (!View) {
            View = AView;
            FViews.push_back(View);
            if (FOnShow)
                FOnShow(*View);
        }
        if (FActive != View) {
            if (FActive)
                FActive->DeselectView();
            FActive = View;
            View->SelectView();
        }
    }

    bool CloseEditorView(const std::shared_ptr<INTACustomEditorView>& AView) override
    {
        const auto It = std::find(FViews.begin(), FViews.end(), AView);
        if (It == FViews.end())
            return false;
        bool Allowed = true;
        AView->Close(Allowed);
        if (!Allowed)
            return false;
        // Close may have changed the list; look again.
        FViews.erase(std::remove(FViews.begin(), FViews.end(), AView), FViews.end());
        if (FOnClose)
            FOnClose(*AView);
        if (FActive == AView)
            FActive = FViews.empty() ? nullptr : FViews.back();
        return true;
    }

    std::vector<std::shared_ptr<INTACustomEditorView>> OpenViews() const override { return FViews; }

    std::shared_ptr<INTACustomEditorView> FindView(const QString& AIdentifier) const override
    {
        for (const auto& View : FViews)
            if (View->GetViewIdentifier() == AIdentifier)
                return View;
        return nullptr;
    }

    std::shared_ptr<INTACustomEditorView> ActiveView() const override { return FActive; }

    void SetHostHandlers(std::function<void(INTACustomEditorView&)> AOnShow,
                         std::function<void(INTACustomEditorView&)> AOnClose) override
    {
        FOnShow = std::move(AOnShow);
        FOnClose = std::move(AOnClose);
    }

private:
    std::vector<std::shared_ptr<INTACustomEditorView>> FViews;
    std::shared_ptr<INTACustomEditorView> FActive;
    std::function<void(INTACustomEditorView&)> FOnShow;
    std::function<void(INTACustomEditorView&)> FOnClose;
};

class TNTAEditorViewServices final : public INTAEditorViewServices
{
public:
    int AddImages(const QStringList& AImagePaths, const QString& AIdentifier) override
    {
        const auto It = FBases.find(AIdentifier);
        if (It != FBases.end())
            return It->second;
        const int Base = static_cast<int>(FImages.size());
        FImages << AImagePaths;
        FBases[AIdentifier] = Base;
        return Base;
    }
    QStringList Images() const override { return FImages; }

private:
    QStringList FImages;
    std::map<QString, int> FBases;
};

} // namespace

std::shared_ptr<IOTAModuleServices> CreateModuleServices() { return std::make_shared<TModuleServices>(); }
std::shared_ptr<IOTAEditorViewServices> CreateEditorViewServices() { return std::make_shared<TEditorViewServices>(); }
std::shared_ptr<INTAEditorViewServices> CreateNTAEditorViewServices()
{
    return std::make_shared<TNTAEditorViewServices>();
}

} // namespace ide
