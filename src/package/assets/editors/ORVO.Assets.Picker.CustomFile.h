#pragma once

// Pickers of the assets backed by one file: open, save and clear the file; the custom file's
// picker adds where and how the application unpacks it.

#include "ORVO.Assets.h"
#include "ORVO.Designer.Frames.h"

class QComboBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace orvo {

// The texts of the file pickers in the IDE's language.
QString FilePickerText(const QString& AKey);

// Load, save and clear of a file asset; the kinds add their own widgets above the buttons.
class TFileAssetPicker : public dsgn::TFormBasePicker
{
    Q_OBJECT
public:
    explicit TFileAssetPicker(QWidget* AParent = nullptr);

    core::TqoAssetWithUri* GetAsset() const { return FAsset; }
    // Shows AAsset; the picker never owns it.
    void SetAsset(core::TqoAssetWithUri* AAsset);

    void Load();
    void SaveAs();
    void Clear();
    void UpdateActions() override;

    QPushButton* OpenButton() const { return FOpen; }
    QPushButton* SaveButton() const { return FSave; }
    QPushButton* ClearButton() const { return FClear; }
    QLabel* FileLabel() const { return FFileLabel; }

protected:
    bool DoCanClose() override { return !FDialogOpen; }
    // Shows the asset's current file; kinds that show more extend it.
    virtual void Reload();
    // The dialogs' filter, as "Description (*.ext)|*.ext" pairs.
    virtual QString Filter() const;
    // The name the file is written to for the name the user chose.
    virtual QString SaveFileName(const QString& AChosen) const { return AChosen; }
    QVBoxLayout* Content() const { return FContent; }

private:
    QStringList AskForFile(bool ASave);

    core::TqoAssetWithUri* FAsset = nullptr;
    QLabel* FFileLabel;
    QVBoxLayout* FContent;
    QPushButton* FOpen;
    QPushButton* FSave;
    QPushButton* FClear;
    bool FDialogOpen = false;
};

class TCustomFilePicker : public TFileAssetPicker
{
    Q_OBJECT
public:
    explicit TCustomFilePicker(QWidget* AParent = nullptr);

    QComboBox* FileLocationBox() const { return FFileLocation; }
    QComboBox* ExtractionRuleBox() const { return FExtractionRule; }

protected:
    void Reload() override;

private:
    core::TqoAssetFile* FileAsset() const;

    QComboBox* FFileLocation;
    QComboBox* FExtractionRule;
};

} // namespace orvo
