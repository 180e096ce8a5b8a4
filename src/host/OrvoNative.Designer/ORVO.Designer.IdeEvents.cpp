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
    // Lives as long as the process, like the message manager, so it never unsubscribes.
    ide::TMessageManager::DefaultManager().SubscribeToMessage<TqoCanRemoveAssetsManager>(
        [this](const void*, const TqoCanRemoveAssetsManager& AMessage) { RemoveAssetsManager(AMessage.Value()); });
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

TqoIdeEventsListener::TqoAssetsManagerPtr
TqoIdeEventsListener::ProjectOpened(const std::shared_ptr<ide::IOTAProject>& AProject)
{
    core::TqoAssert::IsNotNil(AProject, QStringLiteral("AProject"));
    const QString LGUID = AProject->ProjectGUID();
    if (Key(LGUID).isEmpty()) {
        core::TqoLog::Warning(LogCategory,
                              QStringLiteral("The project has no GUID, its assets are not loaded: fileName=\"%1\""),
                              AProject->FileName());
        return nullptr;
    }

    auto LManager = std::make_shared<core::TqoAssetsManager>();
    const QString LConfig = ConfigFileName(AProject->FileName());
    // A broken file raises before anything is kept, so the previous state stays whole.
    if (QFileInfo(LConfig).isFile())
        core::TqoAssetsFactory::LoadFromFile(*LManager, LConfig);
    SetAssetsManager(LGUID, LManager);

    ide::TMessageManager::DefaultManager().SendMessage(this, TqoProjectOpenedMessage(AProject));
    return LManager;
}

void TqoIdeEventsListener::ProjectClosed(const ide::IOTAProject& AProject)
{
    RemoveAssetsManager(AProject.ProjectGUID());
}

} // namespace dsgn
