#pragma once

// The style editor dialog: the component class a style is for, and the properties it overrides
// with their values.

#include "ORVO.Assets.Picker.Style.ViewModel.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace core {
class TqoAssetStyle;
}

namespace orvo {

class TFormStyleEditor : public QDialog
{
    Q_OBJECT
public:
    explicit TFormStyleEditor(QWidget* AParent = nullptr);

    // Opens the dialog on the asset, modal to AParent's window, and returns at once; on OK the
    // asset takes the class and a new style file, then AOnApplied runs. The dialog frees itself.
    static TFormStyleEditor* Execute(core::TqoAssetStyle* AAsset, QWidget* AParent, std::function<void()> AOnApplied);

    void LoadAsset(const core::TqoAssetStyle& AAsset);
    // Writes the style to a new temporary ".style" file and makes it the asset's.
    void ApplyToAsset(core::TqoAssetStyle& AAsset) const;

    TObjectInspectorModel& Model() { return FModel; }
    QComboBox* ClassList() const { return cbStyleClass; }
    QTreeWidget* Tree() const { return tvProperties; }
    QPushButton* OkButton() const { return btnOk; }
    QTreeWidgetItem* OverriddenRoot() const { return FOverriddenRoot; }
    QTreeWidgetItem* AllRoot() const { return FAllRoot; }

private:
    void RebuildTree();
    void ClassSelected(int AIndex);
    void ItemChanged(QTreeWidgetItem* AItem, int AColumn);
    TPropertyData* EntryOf(const QTreeWidgetItem* AItem) const;
    void ShowClass();

    TObjectInspectorModel FModel;
    QComboBox* cbStyleClass;
    QTreeWidget* tvProperties;
    QPushButton* btnOk;
    QPushButton* btnCancel;
    QTreeWidgetItem* FOverriddenRoot = nullptr;
    QTreeWidgetItem* FAllRoot = nullptr;
    bool FRebuilding = false;
};

} // namespace orvo
