// The Material Design hues offered by the theme generator and the tile that shows one of them.

#pragma once

#include "ORVO.Colors.h"

#include <QFrame>
#include <array>
#include <functional>

class QLabel;

namespace orvo {

enum class TColorKind
{
    k50,
    k100,
    k200,
    k300,
    k400,
    k500,
    k600,
    k700,
    k800,
    k900,
    kA100,
    kA200,
    kA400,
    kA700
};

struct TColorInfo
{
    QString Name;
    std::array<core::TqoAlphaColor, 14> Colors;
    // The first tone on which text is to be light.
    TColorKind LightIndex;

    core::TqoAlphaColor Color(TColorKind AKind) const { return Colors[static_cast<int>(AKind)]; }
    bool TakesLightText() const { return LightIndex <= TColorKind::k500; }
};

constexpr int ColorsCount = 19;
// The palette row of an index from 1 to ColorsCount.
const TColorInfo& Colors(int AIndex);

class TFrameColorPicker : public QFrame
{
    Q_OBJECT
public:
    TFrameColorPicker(int AColorIndex, QWidget* AParent = nullptr);

    int ColorIndex() const { return FColorIndex; }
    core::TqoAlphaColor BaseColor() const { return FColor; }
    void SetColor(core::TqoAlphaColor AColor);
    QString Caption() const { return FCaption; }
    void Select(const QString& ACaption);
    void ResetSelection();

    // A mouse button released on the tile.
    std::function<void(TFrameColorPicker* ASender, core::TqoAlphaColor AColor, Qt::MouseButton AButton)>
        OnColorSelected;

protected:
    void mouseReleaseEvent(QMouseEvent* AEvent) override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    QColor TextColor() const;

    int FColorIndex;
    QString FCaption;
    core::TqoAlphaColor FColor = 0;
    QLabel* FColorName = nullptr;
    QLabel* FCircle = nullptr;
    QWidget* FTitle = nullptr;
};

} // namespace orvo
