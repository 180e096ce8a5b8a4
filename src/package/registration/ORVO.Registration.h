#pragma once

namespace orvo::registration {

// Called once by the IDE after the package is loaded: forms the framework's class group
// and fills the palette.
void Register();

// The object inspector's editors, bound in the order the IDE consults them (the closest and
// latest binding wins); Register makes them after the component editors.
void RegisterPropertyEditors();

} // namespace orvo::registration
