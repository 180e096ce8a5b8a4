#pragma once

// Projects opened as the IDE opens them once the package is loaded: through the module
// services, with the framework's IDE events listener registered as the package registers
// it. For suites that link OrvoNative.Designer.

#include "ORVO.Designer.IdeEvents.h"
#include "ToolsAPI.h"

#include <memory>
#include <vector>

namespace testdata {

class TIdeSession
{
public:
    TIdeSession() { dsgn::RegisterIdeEventsListener(); }
    ~TIdeSession()
    {
        for (const auto& LProject : ide::ModuleServices().Projects())
            ide::ModuleServices().CloseProject(LProject);
        dsgn::UnregisterIdeEventsListener();
    }
    TIdeSession(const TIdeSession&) = delete;
    TIdeSession& operator=(const TIdeSession&) = delete;

    // Throws what opening throws.
    std::shared_ptr<ide::TDprojProject> Open(const QString& AFileName)
    {
        // The services make only TDprojProject.
        return std::static_pointer_cast<ide::TDprojProject>(ide::ModuleServices().OpenProject(AFileName));
    }
    static bool Close(const std::shared_ptr<ide::IOTAProject>& AProject)
    {
        return ide::ModuleServices().CloseProject(AProject);
    }
    // The asset manager the IDE keeps for the project, null when none.
    static std::shared_ptr<core::TqoAssetsManager> AssetsManager(const ide::IOTAProject& AProject)
    {
        return dsgn::TqoIdeEventsListener::Instance().GetAssetsManager(AProject.ProjectGUID());
    }
};

} // namespace testdata
