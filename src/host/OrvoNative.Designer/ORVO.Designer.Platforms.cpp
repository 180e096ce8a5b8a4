#include "ORVO.Designer.Platforms.h"

namespace dsgn {

const QStringList ORVOSupportedAndroidPlatforms = {QStringLiteral("Android"), QStringLiteral("Android64")};
const QStringList ORVOSupportediOSPlatforms = {QStringLiteral("iOSDevice64"), QStringLiteral("iOSSimARM64")};
const QStringList ORVOSupportedPlatforms = ORVOSupportedAndroidPlatforms + ORVOSupportediOSPlatforms;

} // namespace dsgn
