#pragma once

// The deployment service of a .dproj project, over its
// ProjectExtensions/BorlandProject/Deployment section.

#include "ToolsAPI.h"

namespace ide {

// Null when the project has no BorlandProject section.
std::shared_ptr<IProjectDeployment> CreateProjectDeployment(std::shared_ptr<TDprojProject> AProject);

} // namespace ide
