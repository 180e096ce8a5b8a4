#pragma once

// The gradient designer: a modal dialog that edits a brush's gradient in place. Its model
// keeps the editor's own copy of the gradient (what the controls show) and writes every
// change straight back into the edited gradient.

#include "ORVO.GradientData.h"

#include <QColor>
#include <QDialog>
#include <functional>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace orvo {

class TGradientDesignerModel
{
public:
    // The gradient is edited in place and not owned; its points become the editor's.
    void SetGradient(core::TqoGradientData* AGradient);
    core::TqoGradientData* GetGradient() const { return FGradient; }
    // The editor's own gradient, which the controls show.
    const core::TqoGradientData& EditorGradient() const { return FEditor; }

    int GetCurrentPoint() const { return FCurrentPoint; }
    // Only shows another point; the gradient stays as it is.
    void SetCurrentPoint(int AIndex);
    core::TqoAlphaColor GetCurrentColor() const;

    void SetStyle(core::TqoGradientStyle AStyle);
    void SetCurrentColor(core::TqoAlphaColor AColor);
    // False, changing nothing, for a text that is not a color ("#AARRGGBB", "$AARRGGBB").
    bool SetCurrentColorText(const QString& AText);
    // The current point's color with its four components replaced.
    void SetCurrentComponents(int ARed, int AGreen, int ABlue, int AAlpha);
    // Relative to the preview: (1, 1) is its bottom-right corner.
    void SetStartPoint(const QPointF& APoint);
    void SetStopPoint(const QPointF& APoint);
    // A point at AOffset with the color the gradient has there; it becomes the current one.
    void AddPoint(float AOffset);
    void MovePoint(int AIndex, float AOffset);
    // A gradient keeps at least two points; false when the point stays.
    bool RemovePoint(int AIndex);
    // The runtime's default gradient, linear, with the default start and stop points.
    void ResetToDefault();

    // Whether a change is being made; controls set while it is are not edits.
    bool IsUpdating() const { return FUpdating > 0; }
    // Runs once at the end of every change, to show the new state.
    std::function<void()> OnUpdateUI;

private:
    // Runs AEdit as one change, then OnUpdateUI; does nothing while a change is being made.
    void Change(const std::function<void()>& AEdit);
    void SyncToEditor();
    void SyncBack();

    core::TqoGradientData* FGradient = nullptr;
    core::TqoGradientData FEditor;
    int FCurrentPoint = 0;
    int FUpdating = 0;
};

// The gradient on a bar with a marker per point under it. A click on a marker makes its point
// the current one and dragging moves it; a click on the bar adds a point; Delete removes the
// current point.
class TGradientEditBar : public QWidget
{
public:
    TGradientEditBar(TGradientDesignerModel& AModel, QWidget* AParent);
    QRect BarRect() const;
    // Where the point's marker is drawn.
    QPoint MarkerPos(int AIndex) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* AEvent) override;
    void mouseMoveEvent(QMouseEvent* AEvent) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent* AEvent) override;

private:
    float OffsetAt(double AX) const;

    TGradientDesignerModel& FModel;
    int FDragged = -1;
};

// The gradient over the preview's rectangle with the start and stop selection points and the
// direction line between them. Dragging a selection point only repaints; the gradient takes
// the point when it is let go.
class TGradientPreview : public QWidget
{
public:
    TGradientPreview(const TGradientDesignerModel& AModel, QWidget* AParent);
    // Where the selection points stand, in the preview's pixels.
    QPointF StartHandle() const;
    QPointF StopHandle() const;

    std::function<void(bool AStart, const QPointF& ARelative)> OnPointMoved;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* AEvent) override;
    void mouseMoveEvent(QMouseEvent* AEvent) override;
    void mouseReleaseEvent(QMouseEvent* AEvent) override;

private:
    QPointF Scaled(const QPointF& ARelative) const;
    // Selection points stay on the preview.
    QPointF Relative(const QPointF& APos) const;

    const TGradientDesignerModel& FModel;
    int FDragged = -1; // 0 start, 1 stop
    QPointF FDragPoint;
};

// A saturation and value square for the hue on the strip beside it, and an alpha strip below.
class TColorPanel : public QWidget
{
public:
    explicit TColorPanel(QWidget* AParent);
    core::TqoAlphaColor GetColor() const;
    void SetColor(core::TqoAlphaColor AColor);
    QRect SquareRect() const;
    QRect HueRect() const;
    QRect AlphaRect() const;

    std::function<void(core::TqoAlphaColor)> OnChange;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* AEvent) override;
    void mouseMoveEvent(QMouseEvent* AEvent) override;

private:
    void Track(const QPoint& AAt);

    QColor FColor = Qt::black;
    int FHue = 0;
    int FTracked = -1;
};

class TFormGradientDesigner : public QDialog
{
public:
    explicit TFormGradientDesigner(QWidget* AParent = nullptr);

    // Edits the gradient in a modal run; every change is in the gradient when it returns.
    static void Show(core::TqoGradientData* AGradient);
    // Shows the dialog modally; tests replace it to drive the widgets. Its answer does not matter:
    // there is nothing to cancel.
    static std::function<bool(TFormGradientDesigner&)> ExecuteDialog;

    void SetGradient(core::TqoGradientData* AGradient);
    TGradientDesignerModel& Model() { return FModel; }

    TGradientEditBar* GradientEdit = nullptr;
    QToolButton* btnLinear = nullptr;
    QToolButton* btnRadial = nullptr;
    QSpinBox* sbRed = nullptr;
    QSpinBox* sbGreen = nullptr;
    QSpinBox* sbBlue = nullptr;
    QSpinBox* sbAlpha = nullptr;
    QLineEdit* edColor = nullptr;
    TColorPanel* ColorPanel = nullptr;
    QPushButton* btnReset = nullptr;
    TGradientPreview* Preview = nullptr;

private:
    void UpdateUI();
    void ComponentsChanged();

    TGradientDesignerModel FModel;
};

} // namespace orvo
