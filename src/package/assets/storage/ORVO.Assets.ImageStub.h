#pragma once

// Placeholder picture bitmap sets for prototyping and the dialog that asks for their size.

#include "assets/storage/ORVO.Assets.MaskSize.h"

class QRadioButton;
class QSpinBox;

namespace orvo {

enum class TqoAspectRatio
{
    Custom,
    Ration1x1,
    Ration3x4,
    Ration4x3,
    Ration16x9
};

class TFormImageStubGenerationParams : public TFormGenerationParams
{
public:
    explicit TFormImageStubGenerationParams(QWidget* AParent = nullptr);

    QSize GetBaseSize() const;
    // Raises the assertion error when no ratio is checked.
    TqoAspectRatio GetAspectRatio() const;

    static std::function<bool(TFormImageStubGenerationParams&)> ExecuteDialog;

private:
    void WidthChanged();
    void HeightChanged();
    bool UpdateOk();
    void PaintPreview(QWidget& ABox);

    QWidget* pnSizes = nullptr;
    QLabel* lWidth = nullptr;
    QLabel* lHeight = nullptr;
    QSpinBox* seWidth = nullptr;
    QSpinBox* seHeight = nullptr;
    QWidget* pnKind = nullptr;
    QRadioButton* rbAny = nullptr;
    QRadioButton* rb16x9 = nullptr;
    QRadioButton* rb3x4 = nullptr;
    QRadioButton* rb1x1 = nullptr;
    QRadioButton* rb4x3 = nullptr;
    QWidget* pbPreview = nullptr;
};

std::unique_ptr<core::TqoBitmapInfo> CreateImageStub(const QSize& ABaseSize, float AScale);
std::unique_ptr<core::TqoAssetBitmapSet> GenerateImageStub(const QString& AName, const QSize& ABaseSize);

} // namespace orvo
