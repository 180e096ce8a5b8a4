#pragma once

// Editing frames that show one preview of their asset under a title; a click opens the kind's
// own editor.

#include "ORVO.Assets.Editor.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QPainter;

namespace orvo {

// A paint box: what it shows is drawn by its frame, and a left click is reported to it.
class TPreviewPaintBox : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    std::function<void(QPainter&)> OnPaint;
    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent* AEvent) override;
    void mouseReleaseEvent(QMouseEvent* AEvent) override;
};

class TBaseEditorSinglePreview : public TBaseAssetEditorFrame
{
    Q_OBJECT
public:
    static constexpr int FrameWidth = 128;
    static constexpr int FrameHeight = 112;
    static constexpr int TitleHeight = 20;

    explicit TBaseEditorSinglePreview(core::TqoAsset* AAsset, QWidget* AParent = nullptr);

    // The title as shown; the label may elide it to its width.
    QString Title() const { return FTitle; }
    QLabel* TitleLabel() const { return FTitleLabel; }
    TPreviewPaintBox* PaintBox() const { return FPaintBox; }

    virtual void OpenEditor() {}

protected:
    void UpdatePreview() override;
    void Changed() override;
    virtual QString GetTitle() const;
    virtual void DrawPreview(QPainter& ACanvas, const QRect& ARect) = 0;
    void resizeEvent(QResizeEvent* AEvent) override;

private:
    void ShowTitle();
    void PaintPreview(QPainter& ACanvas);

    QLabel* FTitleLabel;
    TPreviewPaintBox* FPaintBox;
    QString FTitle;
};

// The frame of kinds whose own editors are not here yet: the kind's preview under the asset's
// text. A click does nothing.
class TEditorKindPreview : public TBaseEditorSinglePreview
{
    Q_OBJECT
public:
    explicit TEditorKindPreview(core::TqoAsset* AAsset, QWidget* AParent = nullptr);

protected:
    // What the tree's info column says of the asset (its size, its file's kind): the asset's own
    // text is too long for a tile.
    QString GetTitle() const override;
    void UpdatePreview() override;
    void DrawPreview(QPainter& ACanvas, const QRect& ARect) override;

private:
    QImage FPreview;
};

} // namespace orvo
