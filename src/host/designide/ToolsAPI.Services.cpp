#include "ToolsAPI.Services.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <stdexcept>

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
            QWidget* Frame = CreateFrame(*View);
            FViews.push_back({View, Frame});
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
        if (!IsOpen(*AView))
            return false;
        bool Allowed = true;
        AView->Close(Allowed);
        if (!Allowed)
            return false;
        // Close may have changed the list (a view closing others); look again.
        const auto It = std::find_if(FViews.begin(), FViews.end(), [&](const auto& E) { return E.View == AView; });
        if (It == FViews.end())
            return true;
        const QPointer<QWidget> Frame = It->Frame;
        // Told while the view is still listed, so that the host finds its frame.
        if (FOnClose)
            FOnClose(*AView);
        FViews.erase(std::remove_if(FViews.begin(), FViews.end(), [&](const auto& E) { return E.View == AView; }),
                     FViews.end());
        if (FActive == AView)
            FActive = FViews.empty() ? nullptr : FViews.back().View;
        // At once, not deleteLater: the view's code may be unloaded before the next event turn.
        delete Frame.data();
        return true;
    }

    std::vector<std::shared_ptr<INTACustomEditorView>> OpenViews() const override
    {
        std::vector<std::shared_ptr<INTACustomEditorView>> Views;
        for (const auto& Entry : FViews)
            Views.push_back(Entry.View);
        return Views;
    }

    std::shared_ptr<INTACustomEditorView> FindView(const QString& AIdentifier) const override
    {
        for (const auto& Entry : FViews)
            if (Entry.View->GetViewIdentifier() == AIdentifier)
                return Entry.View;
        return nullptr;
    }

    std::shared_ptr<INTACustomEditorView> ActiveView() const override { return FActive; }

    QWidget* FrameOf(const INTACustomEditorView& AView) const override
    {
        for (const auto& Entry : FViews)
            if (Entry.View.get() == &AView)
                return Entry.Frame;
        return nullptr;
    }

    void SetHostHandlers(std::function<void(INTACustomEditorView&)> AOnShow,
                         std::function<void(INTACustomEditorView&)> AOnClose) override
    {
        FOnShow = std::move(AOnShow);
        FOnClose = std::move(AOnClose);
    }

private:
    struct TOpenView
    {
        std::shared_ptr<INTACustomEditorView> View;
        QPointer<QWidget> Frame;
    };

    bool IsOpen(const INTACustomEditorView& AView) const
    {
        return std::any_of(FViews.begin(), FViews.end(), [&](const auto& E) { return E.View.get() == &AView; });
    }

    // The frame from the view's frame class, already handed to the view; null without a class.
    static QWidget* CreateFrame(INTACustomEditorView& AView)
    {
        const QMetaObject* Class = AView.GetFrameClass();
        if (!Class)
            return nullptr;
        QObject* Object = Class->newInstance(Q_ARG(QWidget*, nullptr));
        if (!Object || !Object->isWidgetType()) {
            delete Object;
            throw std::runtime_error(QStringLiteral("Cannot create the frame of the editor view \"%1\": %2 is not a "
                                                    "widget class with an invokable constructor taking its parent")
                                         .arg(AView.GetViewIdentifier(), QString::fromLatin1(Class->className()))
                                         .toStdString());
        }
        auto* Frame = static_cast<QWidget*>(Object);
        try {
            AView.FrameCreated(Frame);
        } catch (...) {
            delete Frame;
            throw;
        }
        return Frame;
    }

    std::vector<TOpenView> FViews;
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
