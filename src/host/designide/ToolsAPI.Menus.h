#pragma once

// The main-menu service over the plain menu model.

#include "ToolsAPI.h"

namespace ide {

std::shared_ptr<INTAServices> CreateMenuServices();

} // namespace ide
