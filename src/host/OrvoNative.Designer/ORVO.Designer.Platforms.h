#pragma once

#include <QStringList>

namespace dsgn {

// The IDE's names of the platforms the framework builds for, in the order deployment
// entries are made for them.
extern const QStringList ORVOSupportedAndroidPlatforms; // "Android", "Android64"
extern const QStringList ORVOSupportediOSPlatforms;     // "iOSDevice64", "iOSSimARM64"
// Android first, then iOS.
extern const QStringList ORVOSupportedPlatforms;

} // namespace dsgn
