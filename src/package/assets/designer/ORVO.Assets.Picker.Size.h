#pragma once

// The dialog that asks which of the logical sizes found in an icon folder is imported.

#include "assets/designer/ORVO.Assets.Designer.Importer.h"
#include "assets/storage/ORVO.Assets.MaskSize.h"

#include <QList>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;

namespace orvo {

class TFormSizePicker : public TFormGenerationParams
{
public:
    explicit TFormSizePicker(QWidget* AParent = nullptr);

    // "%d x %d" per size; preselects the third of more than two sizes, else the first.
    void SetSizes(const QList<int>& ASizes);
    // A chessboard preview of the bitmap; null shows nothing. The bitmap is not taken over.
    void SetBitmap(const core::TqoBitmap* ABitmap);
    void ShowMultipleImportCheckBox();
    // Raises EqoException when no size is selected.
    int GetBaseSize() const;
    bool IsSizePickedByDefault() const;

    // Shows the dialog modally; tests replace it to fill the widgets and accept.
    static std::function<bool(TFormSizePicker&)> ExecuteDialog;
    // The folder import's question, answered with this dialog.
    static TqoAskBaseSize AskBaseSize(QWidget* AParent);

    QComboBox* cbSizes = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* imgPreview = nullptr;
    QCheckBox* cbPickSizeByDefault = nullptr;

private:
    QList<int> FSizes;
};

} // namespace orvo
