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
        auto Project = TDprojProject::Open(Absolute);
        FProjects.push_back(Project);
        FActive = Project;
        return Project;
    }

    void CloseProject(const std::shared_ptr<IOTAProject>& AProject) override
    {
        const auto It = std::find(FProjects.begin(), FProjects.end(), AProject);
        if (It == FProjects.end())
            return;
        const auto Closing = *It;
        FProjects.erase(It);
        if (FActive == Closing)
            FActive = FProjects.empty() ? nullptr : FProjects.back();
        if (const auto Dproj = std::dynamic_pointer_cast<TDprojProject>(Closing))
            Dproj->NotifyDestroyed();
    }

    std::vector<std::shared_ptr<IOTAProject>> Projects() const override { return FProjects; }
    std::shared_ptr<IOTAProject> GetActiveProject() const override { return FActive; }
    void SetActiveProject(const std::shared_ptr<IOTAProject>& AProject) override { FActive = AProject; }

private:
    std::vector<std::shared_ptr<IOTAProject>> FProjects;
    std::shared_ptr<IOTAProject> FActive;
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
