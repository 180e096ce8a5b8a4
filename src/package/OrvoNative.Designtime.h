#pragma once

// The package's entry points, for front ends that link the package rather than load it:
// Initialize starts its units as the IDE does when it loads the package (again calling it
// changes nothing), Finalize stops them.

#include "PackageInfo.h"

extern "C" {
void Initialize();
void Finalize();
const TPackageInfoTable* GetPackageInfoTable();
}
