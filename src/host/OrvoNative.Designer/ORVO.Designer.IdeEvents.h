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

    // The host's part when the IDE opens a project: a new manager filled from the project's
    // "Assets\config.json" (empty when there is none) is kept for the project, then
    // TqoProjectOpenedMessage is sent. A configuration file that cannot be read raises
    // EqoFileError; nothing is kept and nothing is sent then. A project without a GUID gets
    // no manager (a warning is logged) and no message. Returns the kept manager.
    TqoAssetsManagerPtr ProjectOpened(const std::shared_ptr<ide::IOTAProject>& AProject);
    // The host's part when the IDE closes a project.
    void ProjectClosed(const ide::IOTAProject& AProject);

    // "<project folder>/Assets/config.json".
    static QString ConfigFileName(const QString& AProjectFileName);

private:
    TqoIdeEventsListener();
    static QString Key(const QString& AProjectGUID);

    QHash<QString, TqoAssetsManagerPtr> FAssetsManagers;
};

} // namespace dsgn
