#include "ORVO.Designer.IdeEvents.h"

#include "ORVO.Assert.h"
#include "ORVO.Assets.Factory.h"
#include "ORVO.Log.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

namespace dsgn {

namespace {
const QString LogCategory = QStringLiteral("IdeEvents");
}

TqoIdeEventsListener::TqoIdeEventsListener()
{
    auto& LManager = ide::TMessageManager::DefaultManager();
    FCanRemoveId = LManager.SubscribeToMessage<TqoCanRemoveAssetsManager>(
        [this](const void*, const TqoCanRemoveAssetsManager& AMessage) { RemoveAssetsManager(AMessage.Value()); });
    // What the IDE's own services have to say goes to the framework's log.
    FTitleMessageId =
        LManager.SubscribeToMessage<ide::TOTATitleMessage>([](const void*, const ide::TOTATitleMessage& AMessage) {
            core::TqoLog::Warning(QStringLiteral("IDE"), QStringLiteral("%1"), AMessage.Value());
        });
}

// The library may be unloaded before the process ends (with a package that brought it in),
// and the subscriptions must not outlive their code.
TqoIdeEventsListener::~TqoIdeEventsListener()
{
    auto& LManager = ide::TMessageManager::DefaultManager();
    LManager.Unsubscribe<TqoCanRemoveAssetsManager>(FCanRemoveId);
    LManager.Unsubscribe<ide::TOTATitleMessage>(FTitleMessageId);
}

TqoIdeEventsListener& TqoIdeEventsListener::Instance()
{
    static TqoIdeEventsListener Listener;
    return Listener;
}

QString TqoIdeEventsListener::Key(const QString& AProjectGUID)
{
    // The IDE writes GUIDs in upper case with braces, hand-edited files may not.
    const QString Trimmed = AProjectGUID.trimmed();
    const QUuid Uuid = QUuid::fromString(Trimmed);
    return Uuid.isNull() ? Trimmed.toUpper() : Uuid.toString(QUuid::WithBraces).toUpper();
}

bool TqoIdeEventsListener::TryGetAssetsManager(const QString& AProjectGUID, TqoAssetsManagerPtr& AManager) const
{
    const auto It = FAssetsManagers.constFind(Key(AProjectGUID));
    if (It == FAssetsManagers.cend())
        return false;
    AManager = It.value();
    return true;
}

TqoIdeEventsListener::TqoAssetsManagerPtr TqoIdeEventsListener::GetAssetsManager(const QString& AProjectGUID) const
{
    return FAssetsManagers.value(Key(AProjectGUID));
}

void TqoIdeEventsListener::SetAssetsManager(const QString& AProjectGUID, TqoAssetsManagerPtr AManager)
{
    const QString LKey = Key(AProjectGUID);
    core::TqoAssert::IsFalse(LKey.isEmpty(), QStringLiteral("Argument must not be empty: name=\"AProjectGUID\""));
    core::TqoAssert::IsNotNil(AManager, QStringLiteral("AManager"));
    FAssetsManagers.insert(LKey, std::move(AManager));
}

bool TqoIdeEventsListener::RemoveAssetsManager(const QString& AProjectGUID)
{
    return FAssetsManagers.remove(Key(AProjectGUID)) > 0;
}

bool TqoIdeEventsListener::Contains(const QString& AProjectGUID) const
{
    return FAssetsManagers.contains(Key(AProjectGUID));
}

QString TqoIdeEventsListener::ConfigFileName(const QString& AProjectFileName)
{
    return QDir(QFileInfo(AProjectFileName).absolutePath()).filePath(QStringLiteral("Assets/config.json"));
}

void TqoIdeEventsListener::ProjectOpened(const std::shared_ptr<ide::IOTAProject>& AProject)
{
    core::TqoAssert::IsNotNil(AProject, QStringLiteral("AProject"));
    const QString LGUID = AProject->ProjectGUID();
    if (Key(LGUID).isEmpty()) {
        core::TqoLog::Warning(LogCategory,
                              QStringLiteral("The project has no GUID, its assets are not loaded: fileName=\"%1\""),
                              AProject->FileName());
        return;
    }

    auto LManager = std::make_shared<core::TqoAssetsManager>();
    const QString LConfig = ConfigFileName(AProject->FileName());
    // A broken file must not keep the project from opening: the project gets no manager and no
    // opened message (nothing acts on assets it cannot read), and the user is told which line.
    if (QFileInfo(LConfig).isFile()) {
        try {
            core::TqoAssetsFactory::LoadFromFile(*LManager, LConfig);
        } catch (const std::exception& E) {
            const QString LText =
                QStringLiteral("The project's assets were not loaded: %1").arg(QString::fromUtf8(E.what()));
            core::TqoLog::Error(LogCategory, LText);
            ide::AddTitleMessage(LText);
            return;
        }
    }
    SetAssetsManager(LGUID, LManager);

    ide::TMessageManager::DefaultManager().SendMessage(this, TqoProjectOpenedMessage(AProject));
}

namespace {

// Added to a closing project after its views' notifiers, so a view that saves on closing
// still finds the project's manager.
class TqoReleaseOnDestroyed : public ide::IOTAProjectNotifier
{
public:
    explicit TqoReleaseOnDestroyed(QString AProjectGUID) : FProjectGUID(std::move(AProjectGUID)) {}
    void Destroyed() override { TqoIdeEventsListener::Instance().RemoveAssetsManager(FProjectGUID); }

private:
    QString FProjectGUID;
};

} // namespace

void TqoIdeEventsListener::ProjectClosing(const std::shared_ptr<ide::IOTAProject>& AProject)
{
    AProject->AddNotifier(std::make_shared<TqoReleaseOnDestroyed>(AProject->ProjectGUID()));
}

class TqoIdeNotifier : public ide::IOTAIDENotifier
{
public:
    explicit TqoIdeNotifier(std::weak_ptr<ide::IOTAModuleServices> AServices) : FServices(std::move(AServices)) {}

    void FileNotification(ide::TOTAFileNotification ANotifyCode, const QString& AFileName, bool&) override
    {
        const auto LServices = FServices.lock();
        if (!LServices)
            return;
        for (const auto& LProject : LServices->Projects()) {
            if (LProject->FileName() != AFileName)
                continue;
            if (ANotifyCode == ide::ofnFileOpened)
                TqoIdeEventsListener::Instance().ProjectOpened(LProject);
            else if (ANotifyCode == ide::ofnFileClosing)
                TqoIdeEventsListener::Instance().ProjectClosing(LProject);
            return;
        }
    }

private:
    std::weak_ptr<ide::IOTAModuleServices> FServices;
};

namespace {

struct TqoRegistration
{
    std::weak_ptr<ide::IOTAModuleServices> Services;
    int Id = -1;
} Registration;

} // namespace

void RegisterIdeEventsListener()
{
    ide::ModuleServices(); // a host without an IDE of its own gets the default services
    const auto LServices = ide::BorlandIDEServices().Supports<ide::IOTAModuleServices>();
    if (Registration.Id >= 0 && Registration.Services.lock() == LServices)
        return;
    UnregisterIdeEventsListener();
    TqoIdeEventsListener::Instance(); // its subscriptions come first
    Registration.Id = LServices->AddNotifier(std::make_shared<TqoIdeNotifier>(LServices));
    Registration.Services = LServices;
}

void UnregisterIdeEventsListener()
{
    if (const auto LServices = Registration.Services.lock(); LServices && Registration.Id >= 0)
        LServices->RemoveNotifier(Registration.Id);
    Registration = {};
}

} // namespace dsgn
