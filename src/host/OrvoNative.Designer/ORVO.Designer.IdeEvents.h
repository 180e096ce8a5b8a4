#pragma once

#include "ORVO.Assets.h"
#include "System.Messaging.h"
#include "ToolsAPI.h"

#include <QHash>
#include <QString>
#include <memory>

namespace dsgn {

// Sent through the default message manager once the IDE has opened a project and its asset
// manager is known to the listener.
class TqoProjectOpenedMessage : public ide::TMessage<std::shared_ptr<ide::IOTAProject>>
{
public:
    using TMessage::TMessage;
};

// Sent by an Assets Manager view once it has saved for a closing project: the listener may
// now drop that project's manager. The value is the project's GUID.
class TqoCanRemoveAssetsManager : public ide::TMessage<QString>
{
public:
    using TMessage::TMessage;
};

// Keeps the asset manager the IDE (and its form designer) uses for every open project,
// keyed by the project's GUID. GUIDs are compared as GUIDs: letter case and braces do not
// matter.
class TqoIdeEventsListener
{
public:
    using TqoAssetsManagerPtr = std::shared_ptr<core::TqoAssetsManager>;

    static TqoIdeEventsListener& Instance();

    TqoIdeEventsListener(const TqoIdeEventsListener&) = delete;
    TqoIdeEventsListener& operator=(const TqoIdeEventsListener&) = delete;

    // False (AManager untouched) when the project has no manager.
    bool TryGetAssetsManager(const QString& AProjectGUID, TqoAssetsManagerPtr& AManager) const;
    // Null when the project has no manager.
    TqoAssetsManagerPtr GetAssetsManager(const QString& AProjectGUID) const;
    // Replaces any manager kept for the project. Raises EqoAssertionFailed for an empty GUID
    // or a null manager.
    void SetAssetsManager(const QString& AProjectGUID, TqoAssetsManagerPtr AManager);
    // Returns whether a manager was kept.
    bool RemoveAssetsManager(const QString& AProjectGUID);
    bool Contains(const QString& AProjectGUID) const;
    int Count() const { return int(FAssetsManagers.size()); }
    void Clear() { FAssetsManagers.clear(); }

    // "<project folder>/Assets/config.json".
    static QString ConfigFileName(const QString& AProjectFileName);

private:
    friend class TqoIdeNotifier;

    TqoIdeEventsListener();
    ~TqoIdeEventsListener();
    // When the IDE has opened a project: a new manager filled from the project's
    // "Assets\config.json" (empty when there is none) is kept for the project, then
    // TqoProjectOpenedMessage is sent. A configuration file that cannot be read raises
    // EqoFileError; nothing is kept and nothing is sent then. A project without a GUID gets
    // no manager (a warning is logged) and no message.
    void ProjectOpened(const std::shared_ptr<ide::IOTAProject>& AProject);
    // When the IDE is closing a project: its manager is dropped once the project's own
    // notifiers (an Assets Manager view saving it) have been told.
    void ProjectClosing(const std::shared_ptr<ide::IOTAProject>& AProject);
    static QString Key(const QString& AProjectGUID);

    QHash<QString, TqoAssetsManagerPtr> FAssetsManagers;
    int FCanRemoveId = 0;
    int FTitleMessageId = 0;
};

// The listener registers with the IDE's module services as an IDE notifier when the
// package loads (its unit initialization) and leaves when it unloads. Registering again
// while registered with the same services changes nothing; without module services the
// default ones are installed first.
void RegisterIdeEventsListener();
void UnregisterIdeEventsListener();

} // namespace dsgn
