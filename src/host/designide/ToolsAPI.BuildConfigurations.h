#pragma once

// Build configurations of a .dproj project: Base, Debug, Release, ... with MSBuild-style
// inheritance.

#include "ToolsAPI.h"

namespace ide {

std::shared_ptr<IOTAProjectOptionsConfigurations>
CreateProjectOptionsConfigurations(std::shared_ptr<TDprojProject> AProject);

} // namespace ide
