#pragma once

// The package entry points as the IDE sees them. A package exports three C functions:
// Initialize and Finalize run its units' initialization and finalization parts in unit
// order and in reverse, and GetPackageInfoTable describes the package: its units (with the
// Register procedure of each unit that has one), the packages it requires and its
// description. Packages register their module record on load, so the host can find their
// data resources by module name.

extern "C" {

typedef void (*TPackageProc)();

struct TPackageUnitEntry
{
    const char* Name;
    TPackageProc Init;     // may be null
    TPackageProc FInit;    // may be null
    TPackageProc Register; // may be null
};

struct TPackageRequire
{
    const char* Name;
    int Version;
};

struct TPackageInfoTable
{
    int UnitCount;
    const TPackageUnitEntry* Units;
    int RequiresCount;
    const TPackageRequire* Requires;
    const char* Description;
    int Version;
};

typedef const TPackageInfoTable* (*TGetPackageInfoTable)();
}
