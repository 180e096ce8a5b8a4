#pragma once

// The Assets Manager's frame: the tree of a project's assets with its commands on the left, the
// views of the selected assets on the right. It holds the widget-free document and follows the
// model's reports.

#include "assets/designer/ORVO.Assets.Designer.h"

#include <QWidget>
#include <memory>

namespace orvo {

class TFrameAssetManager : public QWidget
{
    Q_OBJECT

public:
    Q_INVOKABLE explicit TFrameAssetManager(QWidget* AParent = nullptr);
    ~TFrameAssetManager() override;

    // Loads the project's assets. A configuration that does not load leaves the frame empty with
    // a message naming the file and line, and the document refuses to save over it.
    void SetProject(const std::shared_ptr<ide::IOTAProject>& AProject);
    // Shows that asset or folder ("Icons\\Home", "Icons\\") once it exists in the tree.
    Q_INVOKABLE void SetInitialAssetName(const QString& AName);
    void LoadUISettings();
    void SaveUISettings();

    TqoAssetsDocument& Document() const { return *FDocument; }
    bool GetModified() const { return FDocument->GetModified(); }
    // The document's save; the tree keeps its selection and expansion.
    TqoAssetsSaveResult Save(bool AIsProjectDestroying);
    // The message shown instead of the assets when the configuration did not load; empty otherwise.
    Q_INVOKABLE QString LoadErrorText() const;
    // Whether the tree has a node of that asset name or folder path (case-sensitive).
    Q_INVOKABLE bool ContainsName(const QString& AName) const;

Q_SIGNALS:
    // The views of the current selection are built and laid out.
    void ViewsReady();

private:
    std::unique_ptr<TqoAssetsDocument> FDocument;
    class TPrivate;
    std::unique_ptr<TPrivate> d;
};

} // namespace orvo
