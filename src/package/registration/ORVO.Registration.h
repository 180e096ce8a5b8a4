#pragma once

namespace orvo::registration {

// Called once by the IDE after the package is loaded: forms the framework's class group
// and fills the palette.
void Register();

} // namespace orvo::registration
