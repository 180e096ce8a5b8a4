#pragma once

namespace dsgn {

// Version of the framework's design-time services this package is built against.
inline constexpr int DesignerPackageVersion = 370;

} // namespace dsgn
