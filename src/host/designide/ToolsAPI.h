#pragma once

// Open-tools side of the IDE: projects, build configurations, deployment, and the services
// reached through BorlandIDEServices (modules, main menu, editor views). Projects are real
// `.dproj` MSBuild files; everything not touched through these interfaces is kept byte for
// byte when a project is saved.
//
// A project's type string (IOTAProject::ProjectType) is the FrameworkType property of the
// first PropertyGroup without a condition: "FMX" for FireMonkey projects, "xfm" for projects
// of our framework. The IDE keeps no other per-project text that tells frameworks apart.

#include "System.Messaging.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <typeindex>
#include <vector>

struct QMetaObject;
class QObject;
class QWidget;

namespace ide {

namespace xml {
class TXmlDocument;
class TXmlElement;
} // namespace xml

class IProjectDeployment;
class IOTAProjectOptionsConfigurations;

// A line for the IDE's messages pane. designide has no logger of its own: the line goes
// through the default message manager to whoever shows or logs it.
class TOTATitleMessage : public TMessage<QString>
{
public:
    using TMessage::TMessage;
};

// Sends AText as a TOTATitleMessage; with nobody listening it goes to Qt's warning output,
// so it is never lost.
void AddTitleMessage(const QString& AText);

// ---------------------------------------------------------------------------------------
// Projects

class IOTAModuleInfo
{
public:
    virtual ~IOTAModuleInfo() = default;
    virtual QString FileName() const = 0; // absolute, with '/' separators
    virtual QString FormName() const = 0; // empty for plain units and the main source
};

class IOTAProjectNotifier
{
public:
    virtual ~IOTAProjectNotifier() = default;
    virtual void Modified() {}
    virtual void BeforeSave() {}
    virtual void AfterSave() {}
    virtual void Destroyed() {}
};

class IOTAProject
{
public:
    virtual ~IOTAProject() = default;

    virtual QString FileName() const = 0;
    virtual QString ProjectGUID() const = 0; // "{...}" as stored
    virtual QString ProjectType() const = 0;

    // The main source and every unit of the project; the name may be relative to the
    // project folder and is compared without regard to case or separator style.
    virtual std::shared_ptr<IOTAModuleInfo> FindModuleInfo(const QString& AFileName) const = 0;
    // Adds a unit to the project file and to the main source's uses clause, as the IDE's
    // "Add to Project" does; a unit that is already there is left alone. Other files only get
    // their DCCReference; a main source that does not exist on disk is not created. The
    // main source is written by the next Save.
    virtual void AddFile(const QString& AFileName, bool AIsUnitOrForm) = 0;

    virtual int AddNotifier(std::shared_ptr<IOTAProjectNotifier> ANotifier) = 0;
    virtual void RemoveNotifier(int AIndex) = 0;

    virtual void MarkModified() = 0;
    virtual bool IsModified() const = 0;
    // Whether Save can write every file it would write now, without writing anything;
    // AWhy says what stands in the way. A caller that writes other files first asks this.
    virtual bool CanSave(QString& AWhy) const = 0;
    // Throws what CanSave would say before anything is written.
    virtual void Save() = 0;

    // Null when the project does not offer the service; a .dproj always does.
    virtual std::shared_ptr<IOTAProjectOptionsConfigurations> ProjectOptionsConfigurations() = 0;
    virtual std::shared_ptr<IProjectDeployment> ProjectDeployment() = 0;
};

// ---------------------------------------------------------------------------------------
// Build configurations (Base, Debug, Release, ...) with MSBuild-style inheritance.

class IOTABuildConfiguration
{
public:
    virtual ~IOTABuildConfiguration() = default;
    virtual QString Name() const = 0;     // "Debug"
    virtual QString Key() const = 0;      // "Cfg_1"
    virtual QString Parent() const = 0;   // parent's key, empty for Base
    virtual QString Platform() const = 0; // empty for the platform-neutral view
    // The property as MSBuild evaluates it for this configuration and platform: Base,
    // Base_<Platform>, ..., Key, Key_<Platform> in file order, later groups overriding
    // earlier ones. References to properties known at that point are expanded; others,
    // such as $(BDS), stay as written. Empty when the property is not set.
    virtual QString GetValue(const QString& AName) const = 0;
    // Writes into this configuration's own group (Key, or Key_<Platform>), which must exist.
    virtual void SetValue(const QString& AName, const QString& AValue) = 0;
    virtual std::shared_ptr<IOTABuildConfiguration> PlatformConfiguration(const QString& APlatform) const = 0;
};

class IOTAProjectOptionsConfigurations
{
public:
    virtual ~IOTAProjectOptionsConfigurations() = default;
    virtual int ConfigurationCount() const = 0;
    virtual std::shared_ptr<IOTABuildConfiguration> Configuration(int AIndex) const = 0;
    virtual std::shared_ptr<IOTABuildConfiguration> ConfigurationByName(const QString& AName) const = 0;
    virtual std::shared_ptr<IOTABuildConfiguration> BaseConfiguration() const = 0;
    // The active configuration for the active platform.
    virtual std::shared_ptr<IOTABuildConfiguration> ActiveConfiguration() const = 0;
    virtual QString ActiveConfigurationName() const = 0;
    virtual void SetActiveConfigurationName(const QString& AName) = 0;
    virtual QString ActivePlatformName() const = 0;
    virtual void SetActivePlatformName(const QString& APlatform) = 0;
};

// ---------------------------------------------------------------------------------------
// Deployment, stored under ProjectExtensions/BorlandProject/Deployment. One DeployFile per
// (local name, configuration) holds a Platform child for each platform it is deployed to.

class IProjectDeploymentFile
{
public:
    virtual ~IProjectDeploymentFile() = default;
    virtual QString LocalName() const = 0;
    virtual QString DeploymentClass() const = 0;
    virtual void SetDeploymentClass(const QString& AClass) = 0;
    virtual QString Configuration() const = 0;
    virtual void SetConfiguration(const QString& AConfiguration) = 0;
    virtual QStringList Platforms() const = 0;
    virtual bool Enabled(const QString& APlatform) const = 0;
    virtual void SetEnabled(const QString& APlatform, bool AEnabled) = 0;
    virtual QString RemoteDir(const QString& APlatform) const = 0;
    virtual void SetRemoteDir(const QString& APlatform, const QString& AValue) = 0;
    virtual QString RemoteName(const QString& APlatform) const = 0;
    virtual void SetRemoteName(const QString& APlatform, const QString& AValue) = 0;
    // The deploy operation (0 copies the file as is); the IDE writes it only when not 0.
    virtual int Operation(const QString& APlatform) const = 0;
    virtual void SetOperation(const QString& APlatform, int AValue) = 0;
};

struct TDeployClassPlatform
{
    QString Platform;
    QString RemoteDir;
    int Operation = 0;
};

class IProjectDeployment
{
public:
    virtual ~IProjectDeployment() = default;
    // The entry for (configuration, platform, local name), made when missing; its platform
    // is not enabled until SetEnabled.
    virtual std::shared_ptr<IProjectDeploymentFile> GetFile(const QString& AConfiguration, const QString& APlatform,
                                                            const QString& ALocalName) = 0;
    // Null when there is no entry, or when it is not deployed to the platform (unless the
    // platform is empty).
    virtual std::shared_ptr<IProjectDeploymentFile> FindFile(const QString& AConfiguration, const QString& APlatform,
                                                             const QString& ALocalName) const = 0;
    // Drops the platform from the entry, and the entry once no platform is left.
    virtual bool RemoveFile(const QString& AConfiguration, const QString& APlatform, const QString& ALocalName) = 0;
    // Removes every entry of the class; returns how many.
    virtual int RemoveFilesOfClass(const QString& AClass) = 0;
    virtual std::vector<std::shared_ptr<IProjectDeploymentFile>> Files() const = 0;

    virtual bool HasDeployClass(const QString& AName) const = 0;
    // Adds the class with the given platforms unless it exists; true when added.
    virtual bool EnsureDeployClass(const QString& AName, const std::vector<TDeployClassPlatform>& APlatforms) = 0;
};

// ---------------------------------------------------------------------------------------
// A project backed by a .dproj file.

class TDprojProject final : public IOTAProject, public std::enable_shared_from_this<TDprojProject>
{
public:
    // Throws xml::EXmlError naming the file (with line and column where there is one).
    static std::shared_ptr<TDprojProject> Open(const QString& AFileName);
    ~TDprojProject() override;

    QString FileName() const override { return FFileName; }
    QString ProjectGUID() const override;
    QString ProjectType() const override;
    std::shared_ptr<IOTAModuleInfo> FindModuleInfo(const QString& AFileName) const override;
    void AddFile(const QString& AFileName, bool AIsUnitOrForm) override;
    int AddNotifier(std::shared_ptr<IOTAProjectNotifier> ANotifier) override;
    void RemoveNotifier(int AIndex) override;
    void MarkModified() override;
    bool IsModified() const override { return FModified; }
    bool CanSave(QString& AWhy) const override;
    void Save() override;
    std::shared_ptr<IOTAProjectOptionsConfigurations> ProjectOptionsConfigurations() override;
    std::shared_ptr<IProjectDeployment> ProjectDeployment() override;

    // The project file as it would be saved now.
    QByteArray Serialize() const;
    QString MainSourceFileName() const; // absolute; empty when the project names none
    // Called when the IDE closes the project.
    void NotifyDestroyed();
    // A condition the project's evaluation could not read (and read as false): said once
    // per condition through AddTitleMessage.
    void ReportUnreadableCondition(const QString& ACondition, const QString& AReason) const;

    xml::TXmlElement* Root() const;

    // Deployment entries by configuration and local name, built on first use; the
    // deployment service keeps it in step with its own edits.
    struct TDeploymentIndex;
    TDeploymentIndex& DeploymentIndex() const;

private:
    TDprojProject() = default;
    template <class F> void ForEachNotifier(F AFunc);

    QString FFileName;
    std::unique_ptr<xml::TXmlDocument> FDocument;
    QByteArray FMainSource; // pending .dpr content, empty when unchanged
    std::map<int, std::shared_ptr<IOTAProjectNotifier>> FNotifiers;
    int FNextNotifier = 0;
    bool FModified = false;
    mutable std::shared_ptr<TDeploymentIndex> FDeploymentIndex;
    mutable QSet<QString> FReportedConditions;
};

// ---------------------------------------------------------------------------------------
// Services

enum TOTAFileNotification
{
    ofnFileOpening,
    ofnFileOpened,
    ofnFileClosing,
};

// Told by the module services of the files the IDE opens and closes.
class IOTAIDENotifier
{
public:
    virtual ~IOTAIDENotifier() = default;
    // ofnFileOpened once a project is open (and active), ofnFileClosing before it closes.
    // Setting ACancel on ofnFileClosing keeps the project open; it is ignored otherwise.
    virtual void FileNotification(TOTAFileNotification ANotifyCode, const QString& AFileName, bool& ACancel) = 0;
};

class IOTAModuleServices
{
public:
    virtual ~IOTAModuleServices() = default;
    // Opens (or returns the already open) project and makes it active. A notifier that
    // throws on ofnFileOpened closes the project again, and the error propagates.
    virtual std::shared_ptr<IOTAProject> OpenProject(const QString& AFileName) = 0;
    // Returns false when the project is not open or a notifier kept it open.
    virtual bool CloseProject(const std::shared_ptr<IOTAProject>& AProject) = 0;
    virtual int AddNotifier(std::shared_ptr<IOTAIDENotifier> ANotifier) = 0;
    // Unknown ids are ignored.
    virtual void RemoveNotifier(int AIndex) = 0;
    virtual std::vector<std::shared_ptr<IOTAProject>> Projects() const = 0;
    virtual std::shared_ptr<IOTAProject> GetActiveProject() const = 0;
    virtual void SetActiveProject(const std::shared_ptr<IOTAProject>& AProject) = 0;
};

class TAction
{
public:
    QString Caption;
    int ImageIndex = -1;
    bool Enabled = true;
    bool Visible = true;
    std::function<void()> OnExecute;
    std::function<void(TAction&)> OnUpdate;

    void Update()
    {
        if (OnUpdate)
            OnUpdate(*this);
    }
    bool Execute();
};

// A plain menu model; the host maps it onto its menu bar.
class TMenuItem
{
public:
    QString Name;
    QString Caption; // the action's caption when empty
    std::shared_ptr<TAction> Action;
    int ImageIndex = -1;
    std::vector<std::shared_ptr<TMenuItem>> Items;

    TMenuItem* Parent() const { return FParent; }
    TMenuItem* Find(const QString& AName);
    QString DisplayCaption() const;
    bool IsEnabled() const { return !Action || Action->Enabled; }
    bool IsVisible() const { return !Action || Action->Visible; }
    void Add(std::shared_ptr<TMenuItem> AItem);
    void Insert(size_t AIndex, std::shared_ptr<TMenuItem> AItem);
    bool Click();

private:
    friend class TNTAServices;
    TMenuItem* FParent = nullptr;
};

class INTAServices
{
public:
    virtual ~INTAServices() = default;
    virtual TMenuItem& MainMenu() = 0;
    // Puts AMenuItem (bound to AAction) after, before or inside the item named ATargetName.
    // Returns false, changing nothing, when there is no such item.
    virtual bool AddActionMenu(const QString& ATargetName, std::shared_ptr<TAction> AAction,
                               std::shared_ptr<TMenuItem> AMenuItem, bool AInsertAfter = true,
                               bool AInsertAsChild = false) = 0;
    virtual bool RemoveMenuItem(const TMenuItem* AMenuItem) = 0;
    // Runs every action's update handler, as the IDE does when it is idle.
    virtual void UpdateActions() = 0;
    // Called after every change of the menu's structure.
    virtual void SetMenuChangedHandler(std::function<void()> AHandler) = 0;
};

// "No color" among TColor values, which are $00BBGGRR.
constexpr quint32 clNone = 0x1FFFFFFF;

// A view in the editor area. The frame class is a QWidget class with an invokable
// constructor taking the parent widget; the editor-view service creates the frame when it
// first shows the view, hands it over through FrameCreated and deletes it when the view
// closes. A view without a frame class gets no frame.
class INTACustomEditorView
{
public:
    virtual ~INTACustomEditorView() = default;
    virtual QString GetCaption() = 0;
    virtual QString GetEditorWindowCaption() = 0;
    virtual QString GetViewIdentifier() = 0;
    virtual const QMetaObject* GetFrameClass() = 0;
    virtual void FrameCreated(QObject* AFrame) = 0;
    virtual bool GetCanCloneView() { return false; }
    virtual void SelectView() {}
    virtual void DeselectView() {}
    virtual void CloseAllCalled(bool& /*AShouldClose*/) {}
    virtual int GetImageIndex() { return -1; }
    virtual QString GetTabHintText() { return {}; }
    // The tab's color as a TColor; clNone leaves the tab as the theme draws it.
    virtual quint32 GetTabColor() { return clNone; }
    virtual void Close(bool& AAllowed) { AAllowed = true; }
};

class IOTAEditorViewServices
{
public:
    virtual ~IOTAEditorViewServices() = default;
    // Shows the view (a view with the same identifier is brought forward instead). The first
    // time, the view's frame is made and handed to FrameCreated before the host is told;
    // when either throws, the view is not shown and the frame is gone.
    virtual void ShowEditorView(const std::shared_ptr<INTACustomEditorView>& AView) = 0;
    // Asks the view whether it may close; returns whether it did. Once it did, the host is
    // told and then the frame is deleted.
    virtual bool CloseEditorView(const std::shared_ptr<INTACustomEditorView>& AView) = 0;
    // The frame made for an open view; null for other views.
    virtual QWidget* FrameOf(const INTACustomEditorView& AView) const = 0;
    virtual std::vector<std::shared_ptr<INTACustomEditorView>> OpenViews() const = 0;
    virtual std::shared_ptr<INTACustomEditorView> FindView(const QString& AIdentifier) const = 0;
    virtual std::shared_ptr<INTACustomEditorView> ActiveView() const = 0;
    // The host's part: place the frame (FrameOf) of a view shown for the first time, and take
    // it away when the view closes.
    virtual void SetHostHandlers(std::function<void(INTACustomEditorView&)> AOnShow,
                                 std::function<void(INTACustomEditorView&)> AOnClose) = 0;
};

class INTAEditorViewServices
{
public:
    virtual ~INTAEditorViewServices() = default;
    // Adds the images (file or resource paths) under an identifier and returns the index of
    // the first; adding under a known identifier again returns the first index given then.
    virtual int AddImages(const QStringList& AImagePaths, const QString& AIdentifier) = 0;
    virtual QStringList Images() const = 0;
};

// ---------------------------------------------------------------------------------------
// What the IDE shows on a package's behalf: message and file dialogs, the clipboard, the
// colors of its theme and its language. The IDE's own services show real dialogs; tests
// register services of their own that answer without a window.

enum class TMsgDlgType
{
    mtWarning,
    mtError,
    mtInformation,
    mtConfirmation
};

enum TMsgDlgBtn
{
    mbYes = 0x1,
    mbNo = 0x2,
    mbOK = 0x4,
    mbCancel = 0x8
};
using TMsgDlgButtons = int;

enum class TModalResult
{
    mrNone,
    mrOk,
    mrCancel,
    mrYes,
    mrNo
};

struct TFileDialogOptions
{
    QString Title;
    QString Filter;        // "Images (*.png *.jpg)"; empty for every file
    bool Folders = false;  // choose folders instead of files
    bool Multiple = false; // several at once
    bool Save = false;     // a name to write to, which need not exist yet
};

class IOTADialogServices
{
public:
    virtual ~IOTADialogServices() = default;
    // The button the user chose; mrCancel when the dialog was closed otherwise.
    virtual TModalResult MessageDlg(const QString& AText, TMsgDlgType AType, TMsgDlgButtons AButtons) = 0;
    // The chosen paths, empty when the user cancelled.
    virtual QStringList ChooseFiles(const TFileDialogOptions& AOptions) = 0;
};

// The IDE theme's colors, as 32-bit ARGB values.
enum class TIdeColor
{
    clBtnFace,
    clBtnShadow,
    clWindow,
    clWindowText,
    clGrayText,
    clHighlight
};

class IOTAIDEThemingServices
{
public:
    virtual ~IOTAIDEThemingServices() = default;
    virtual quint32 GetSystemColor(TIdeColor AColor) const = 0;
};

// The platform's clipboard, as text.
class IFMXClipboardService
{
public:
    virtual ~IFMXClipboardService() = default;
    virtual QString GetClipboard() const = 0;
    virtual void SetClipboard(const QString& AText) = 0;
};

class IOTAServices
{
public:
    virtual ~IOTAServices() = default;
    // The IDE's user-interface language: "en", "ru", ...
    virtual QString GetLanguage() const = 0;
    virtual void SetLanguage(const QString& ALanguage) = 0;
};

// The service locator. Each service may be missing; callers must cope with null.
class TBorlandIDEServices
{
public:
    template <class T> std::shared_ptr<T> Supports() const
    {
        const auto It = FServices.find(std::type_index(typeid(T)));
        return It == FServices.end() ? nullptr : std::static_pointer_cast<T>(It->second);
    }
    template <class T> void RegisterService(std::shared_ptr<T> AService)
    {
        FServices[std::type_index(typeid(T))] = std::move(AService);
    }
    template <class T> void UnregisterService() { FServices.erase(std::type_index(typeid(T))); }
    void Clear() { FServices.clear(); }
    // Registers our own implementation of every service.
    void InstallDefaultServices();

private:
    std::map<std::type_index, std::shared_ptr<void>> FServices;
};

TBorlandIDEServices& BorlandIDEServices();
// The module services' active project; null without module services or project.
std::shared_ptr<IOTAProject> GetActiveProject();
// The theme's color, or the light theme's when there is no theming service.
quint32 IdeThemeColor(TIdeColor AColor);
// A message dialog through the dialog service; mrCancel when there is none.
TModalResult MessageDlg(const QString& AText, TMsgDlgType AType, TMsgDlgButtons AButtons);

// The module services, for hosts without an IDE of their own: the default services are
// installed first when there are no module services.
IOTAModuleServices& ModuleServices();

// The main menu the IDE starts with: File, Edit, View, Project, Run, Tools, Help, with the
// Project menu's "ProjectViewResourcesItem" ("Resources and Images...").
std::shared_ptr<TMenuItem> CreateDefaultMainMenu();

} // namespace ide
