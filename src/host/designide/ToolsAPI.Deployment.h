#pragma once

// The deployment service of a .dproj project, over its
// ProjectExtensions/BorlandProject/Deployment section.

#include "ToolsAPI.h"

namespace ide {

// The section is made on the first entry or class written, with the ProjectExtensions and
// BorlandProject elements around it when the project has none.
std::shared_ptr<IProjectDeployment> CreateProjectDeployment(std::shared_ptr<TDprojProject> AProject);

} // namespace ide
