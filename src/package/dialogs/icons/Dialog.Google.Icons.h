#pragma once

// The dialog that searches the Material icons catalogue and turns the chosen icons into asset
// groups. The list shows the matches under their category headers and makes each preview the
// first time the view paints its row, so opening never waits for all of them.

#include "dialogs/icons/Dialog.Google.Icons.Model.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;
class QTreeView;
class QItemSelection;

namespace orvo {

class TMaterialIconsListModel;

class TDialogMaterialIconsImporter : public QDialog
{
    Q_OBJECT
public:
    // Loads the repository that TqoIconsRepository::Locate names.
    explicit TDialogMaterialIconsImporter(QWidget* AOwner = nullptr);
    // Loads the repository below ARepository instead.
    TDialogMaterialIconsImporter(const QString& ARepository, QWidget* AOwner);
    ~TDialogMaterialIconsImporter() override;

    // The chosen icons as asset groups, appended to AGroups, in the order they were chosen.
    void FillGroups(std::vector<core::TqoAssetGroup>* AGroups) const;

    TMaterialIconsModel& Model() const { return *FModel; }
    // The icons listed now, in the order shown.
    std::vector<const TqoIconData*> ListedIcons() const;
    int SelectedCount() const { return int(FSelected.size()); }

    // The delayed search: fills the list from the search box. Public so that it can be driven
    // without waiting for the timer.
    void tmDelaySearchTimer();

    // Shows the dialog modally; tests replace it to fill the dialog and answer.
    static std::function<bool(TDialogMaterialIconsImporter&)> ExecuteDialog;

    QTreeView* lvIcons = nullptr;
    QComboBox* cbSizes = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* edSearch = nullptr;
    QLabel* Label3 = nullptr;
    QWidget* pnTints = nullptr;
    QRadioButton* rbWhite = nullptr;
    QRadioButton* rbBlack = nullptr;
    QWidget* pnEmptyMessage = nullptr;
    QTimer* tmDelaySearch = nullptr;
    QLabel* lSearchSample = nullptr;
    QLabel* lSelectedIcons = nullptr;
    QWidget* pnTypes = nullptr;
    QRadioButton* rbSVG = nullptr;
    QRadioButton* rbPNG = nullptr;
    QLabel* Label4 = nullptr;
    // Where the icons were looked for, shown only when the catalogue is empty.
    QLabel* lRepository = nullptr;

private:
    void CreateControls();
    void FillList(const QString& AFilter);
    void RefillList();
    void SelectionChanged(const QItemSelection& ASelected, const QItemSelection& ADeselected);
    void ResetSelection();
    void TypeChanged();
    void TintChanged();
    void UpdateSelectedLabel();

    std::unique_ptr<TMaterialIconsModel> FModel;
    std::vector<TqoIconData*> FSelected; // in the order chosen
    TMaterialIconsListModel* FListModel = nullptr;
    bool FFilling = false;
};

} // namespace orvo
