#pragma once

// The framework's project settings dialog ("Orvo Options"): one page per service that needs
// keys or identifiers in the project, each known by its id.

#include <QString>
#include <functional>

namespace dsgn {

class TFormProjectSettings
{
public:
    // Opens the dialog modally at the page with the id (the first page when unknown).
    static void Execute(const QString& APageId);
    // Replaces what Execute shows, for hosts without a screen and for tests; empty restores
    // the dialog.
    static void SetExecuteHandler(std::function<void(const QString&)> AHandler);
    // The page's caption, empty for an unknown id.
    static QString PageCaption(const QString& APageId);
};

} // namespace dsgn
