#pragma once

// The module and editor-view services.

#include "ToolsAPI.h"

namespace ide {

std::shared_ptr<IOTAModuleServices> CreateModuleServices();
std::shared_ptr<IOTAEditorViewServices> CreateEditorViewServices();
std::shared_ptr<INTAEditorViewServices> CreateNTAEditorViewServices();

} // namespace ide
