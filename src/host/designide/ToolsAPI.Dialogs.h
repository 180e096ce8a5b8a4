#pragma once

// The IDE's dialogs, theme colors, clipboard and language.

#include "ToolsAPI.h"

namespace ide {

std::shared_ptr<IOTADialogServices> CreateDialogServices();
std::shared_ptr<IOTAIDEThemingServices> CreateThemingServices();
std::shared_ptr<IFMXClipboardService> CreateClipboardService();
std::shared_ptr<IOTAServices> CreateIDEServices();

} // namespace ide
