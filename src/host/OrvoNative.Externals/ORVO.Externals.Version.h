#pragma once

namespace ext {

// Version of the framework's externals package this package is built against.
inline constexpr int ExternalsPackageVersion = 370;

} // namespace ext
