#pragma once

namespace orvo {

// The framework's Android phone device classes: their skins and modular grids, registered with
// the form designer's managers.
void RegisterDevicesClasses();

} // namespace orvo
