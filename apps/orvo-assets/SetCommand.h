#pragma once

// orvo-assets set: the edits the Assets Manager's pickers make, on one asset variant.

#include "ORVO.Assets.h"

#include <QList>
#include <QPair>
#include <QSizeF>
#include <QString>
#include <optional>

struct TSetEdits
{
    std::optional<QSizeF> Size;
    std::optional<QMargins> CapInsets;
    std::optional<float> Scale;
    std::optional<core::TqoAlphaColor> Tint;
    std::optional<core::TqoFileLocation> FileLocation;
    std::optional<core::TqoExtractionRule> ExtractionRule;
    std::optional<QString> File;
};

using TSetOptions = QList<QPair<QString, QString>>;

// Whether AOption is one of set's options; each takes a value.
bool IsSetOption(const QString& AOption);
// Reads set's options; raises EUsage for a value that does not read or options that do not go
// together.
TSetEdits ParseSetEdits(const TSetOptions& AOptions);
// Edits the asset as its picker does; raises ECommand when the asset cannot take an edit (another
// kind, no such scale, no such file, a file that is no image).
void ApplySetEdits(core::TqoAsset& AAsset, const TSetEdits& AEdits);
