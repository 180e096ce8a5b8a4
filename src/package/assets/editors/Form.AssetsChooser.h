#pragma once

// The modal dialog that picks one graphic asset by name, with a preview per asset and a
// search box, and a way over to the Assets Manager.

#include "assets/editors/Form.AssetsChooser.ViewModel.h"

#include <QDialog>
#include <functional>
#include <memory>

class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace orvo {

using TAssetSelectedCallback = std::function<void(const QString&)>;
using TqoImageNameSelectedEvent = std::function<void(const QString&)>;

class TFormAssetsChooser : public QDialog
{
public:
    // Lists the assets of AManager, by default those of the manager the form designer uses.
    explicit TFormAssetsChooser(QWidget* AParent = nullptr, std::shared_ptr<core::TqoAssetsManager> AManager = nullptr);
    ~TFormAssetsChooser() override;

    // Offers the assets of those types with AInitialName selected; once the user accepts, the
    // callback gets the chosen name.
    static void Show(const TqoAssetTypes& AAssetTypes, const QString& AInitialName,
                     const TAssetSelectedCallback& ACallback);
    // Shows the dialog modally; tests replace it to drive the widgets and accept.
    static std::function<bool(TFormAssetsChooser&)> ExecuteDialog;

    void SetAssetTypes(const TqoAssetTypes& AAssetTypes) { FViewModel.SetAssetTypes(AAssetTypes); }
    // Selects and focuses the first row of that name, compared ignoring case.
    void SetInitialImageName(const QString& AName);
    QString GetSelectedName() const { return FSelectedName; }
    // The screen's density changed: previews and rows follow it.
    void ChangeDensity(double ADotsPerInch);
    TGraphicAssetChooserViemModel& ViewModel() { return FViewModel; }

    TqoImageNameSelectedEvent OnSelectImageName;

    QLineEdit* edSearch = nullptr;
    QTreeWidget* vstImages = nullptr;
    QPushButton* lblOpenAssetsManager = nullptr;
    QDialogButtonBox* Buttons = nullptr;

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void ViewModelChanged();
    void SelectNode(QTreeWidgetItem* ANode);
    void SelectionChanged();
    void OpenAssetsManager();
    QTreeWidgetItem* FirstSelectedNode() const;
    const TqoGraphicItem* ItemOf(const QTreeWidgetItem* ANode) const;

    TGraphicAssetChooserViemModel FViewModel;
    QString FSelectedName;
    int FRowHeight = 24;
    bool FReloading = false;
};

} // namespace orvo
