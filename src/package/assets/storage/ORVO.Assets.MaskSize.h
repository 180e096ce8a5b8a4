#pragma once

// Mask bitmap sets (a white circle or rounded rectangle on transparency) and the dialog that
// asks for their parameters.

#include "ORVO.Assets.h"

#include "ORVO.Translator.h"

#include <QDialog>
#include <QSize>
#include <functional>
#include <initializer_list>
#include <memory>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace orvo {

enum class TqoMaskKind
{
    Circle,
    RoundRectangle
};

// The themed dialog both generators use: a header text, a content panel, OK and Cancel.
// Texts come from the translator scope given; Escape closes it as Cancel.
class TFormGenerationParams : public QDialog
{
public:
    TFormGenerationParams(const QString& AScope, QWidget* AParent);

    QWidget* Content() const { return FContent; }
    QPushButton* OkButton() const { return FOkButton; }

    // Key, Russian default text, English text; "ok.text" and "cancel.text" are added here.
    using TText = core::TqoTranslationText;
    static void RegisterTexts(const QString& AScope, std::initializer_list<TText> ATexts);

protected:
    QString Tr(const QString& AKey) const;

private:
    QString FScope;
    QLabel* FHeader = nullptr;
    QWidget* FContent = nullptr;
    QPushButton* FOkButton = nullptr;
    QPushButton* FCancelButton = nullptr;
};

class TFormMaskGenerationParams : public TFormGenerationParams
{
public:
    explicit TFormMaskGenerationParams(QWidget* AParent = nullptr);

    QSize BaseSize() const;
    int CornerRadius() const;
    TqoMaskKind Kind() const;

    // Shows the dialog modally; tests replace it to fill the widgets and accept.
    static std::function<bool(TFormMaskGenerationParams&)> ExecuteDialog;

private:
    void UpdateKind();
    void WidthChanged();
    void UpdatePreview();

    QLabel* lSize = nullptr;
    QLabel* lCornerRadius = nullptr;
    QRadioButton* rbCircle = nullptr;
    QRadioButton* rbRoundRectangle = nullptr;
    QLabel* ImagePreview = nullptr;
    QWidget* pnKind = nullptr;
    QWidget* pnSizes = nullptr;
    QSpinBox* seWidth = nullptr;
    QSpinBox* seCornerRadius = nullptr;
};

// Size times scale, each side rounded to the nearest integer, halves to the even neighbour.
QSize ScaledSize(const QSize& ABaseSize, float AScale);
std::unique_ptr<core::TqoBitmapInfo> CreateCircleMask(const QSize& ABaseSize, float AScale);
std::unique_ptr<core::TqoBitmapInfo> CreateRoundRectangleMask(const QSize& ABaseSize, int ACornerRadius, float AScale);
// "Mask 40" for a square size, "Mask 40x20" otherwise (ABase "Mask").
QString GeneratedAssetName(const QString& ABase, const QSize& ASize);
// A set for all platforms and device classes with one mask per default scale.
std::unique_ptr<core::TqoAssetBitmapSet> GenerateMask(const QString& AName, const QSize& ABaseSize, TqoMaskKind AKind,
                                                      int ACornerRadius);

} // namespace orvo
