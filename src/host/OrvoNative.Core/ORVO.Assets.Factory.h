#pragma once

#include "ORVO.Assets.h"

#include <QByteArray>
#include <QString>

namespace core {

// How a configuration file is written.
struct TqoWritingOptions
{
    // Uris as the device sees them after deployment: "/" separators, fonts under "fonts/".
    bool ForDevice = false;
    // Recorded in the file: the platform the file is meant for (All for the main file).
    TqoPlatform Platform = TqoPlatform::All;
    // Fields only the designer needs (the SVG source of an SVG asset, which is not deployed).
    bool IncludeDesignData = true;

    TqoWritingOptions() = default;
    TqoWritingOptions(bool AForDevice, TqoPlatform APlatform, bool AIncludeDesignData)
        : ForDevice(AForDevice), Platform(APlatform), IncludeDesignData(AIncludeDesignData)
    {
    }

    // The main configuration file: (false, All, true).
    static const TqoWritingOptions Default;
};

// Reads and writes asset configuration files (JSON, see docs/config-format.md).
class TqoAssetsFactory
{
public:
    // Adds the file's assets to AManager. A variant the manager already holds (same name,
    // platform and device class) is kept as it is and the file's one is skipped, so loading a
    // file twice leaves each asset once. A file with an error adds nothing and raises
    // EqoFileError naming the file and the line. Returns the number of assets added.
    // Relative uris of the loaded assets resolve against the file's folder.
    static int LoadFromFile(TqoAssetsManager& AManager, const QString& AFileName);
    static int LoadFromBytes(TqoAssetsManager& AManager, const QByteArray& AData, const QString& AFileName,
                             const QString& ABasePath);
    // The same for several managers, with the file read once; each manager gets its own copies.
    static void LoadFromFile(const std::vector<TqoAssetsManager*>& AManagers, const QString& AFileName);

    // Writes every asset of the manager. The file is replaced only when it was written completely.
    static void SaveConfigToFile(const TqoAssetsManager& AManager, const QString& AFileName,
                                 const TqoWritingOptions& AOptions = TqoWritingOptions::Default);
    // Writes only the assets whose platform is in APlatforms.
    static void SaveConfigToFile(const TqoAssetsManager& AManager, const QString& AFileName,
                                 const TqoPlatforms& APlatforms, const TqoWritingOptions& AOptions);
    static QByteArray SaveConfigToBytes(const TqoAssetsManager& AManager, const TqoPlatforms& APlatforms,
                                        const TqoWritingOptions& AOptions);
};

} // namespace core
