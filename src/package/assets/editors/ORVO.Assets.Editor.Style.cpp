#include "ORVO.Assets.Editor.Style.h"

#include "ORVO.Assert.h"
#include "ORVO.Assets.Picker.Style.h"
#include "ORVO.Exceptions.h"
#include "ToolsAPI.h"
#include "assets/designer/ORVO.Assets.DataModule.h"

#include <QPainter>
#include <QToolButton>

namespace orvo {

namespace {

constexpr int IconSize = 48;

} // namespace

TEditorStyle::TEditorStyle(core::TqoAsset* AAsset, QWidget* AParent) : TBaseEditorSinglePreview(AAsset, AParent)
{
    core::TqoAssert::IsClass<core::TqoAssetStyle>(AAsset);
    setFixedSize(FrameWidth, FrameHeight + ButtonsHeight);
    const int LHalf = FrameWidth / 2;
    btnEdit = new QToolButton(this);
    btnEdit->setObjectName(QStringLiteral("btnEdit"));
    btnEdit->setText(QStringLiteral("..."));
    btnEdit->setToolTip(QStringLiteral("Edit the style"));
    btnEdit->setGeometry(LHalf - 26, FrameHeight, 24, ButtonsHeight - 2);
    btnClear = new QToolButton(this);
    btnClear->setObjectName(QStringLiteral("btnClear"));
    btnClear->setText(QStringLiteral("×"));
    btnClear->setToolTip(QStringLiteral("Clear the style's class"));
    btnClear->setGeometry(LHalf + 2, FrameHeight, 24, ButtonsHeight - 2);
    connect(btnEdit, &QToolButton::clicked, this, [this] { OpenEditor(); });
    connect(btnClear, &QToolButton::clicked, this, [this] { Clear(); });
    UpdatePreview();
}

core::TqoAssetStyle* TEditorStyle::GetStyleAsset() const
{
    return core::TqoAssert::IsClass<core::TqoAssetStyle>(GetAsset());
}

QString TEditorStyle::GetTitle() const
{
    const QString LClass = GetStyleAsset() ? GetStyleAsset()->GetStyleClass() : QString();
    return LClass.isEmpty() ? QStringLiteral("None") : LClass;
}

void TEditorStyle::UpdatePreview()
{
    FIcon = GetStyleAsset()
                ? DesignerDataModule().LoadComponentIconIfRequired(GetStyleAsset()->GetStyleClass(), IconSize)
                : QImage();
    TBaseEditorSinglePreview::UpdatePreview();
}

void TEditorStyle::DrawPreview(QPainter& ACanvas, const QRect& ARect)
{
    if (FIcon.isNull()) {
        ACanvas.setPen(QColor(0x80, 0x80, 0x80));
        ACanvas.drawText(ARect, Qt::AlignCenter, QStringLiteral("none"));
        return;
    }
    QRect LTarget(QPoint(), FIcon.size());
    LTarget.moveCenter(ARect.center());
    ACanvas.drawImage(LTarget, FIcon);
}

void TEditorStyle::OpenEditor()
{
    core::TqoAssetStyle* LAsset = GetStyleAsset();
    if (!LAsset || FEditor)
        return;
    try {
        FEditor = TFormStyleEditor::Execute(LAsset, this, [this] { Changed(); });
    } catch (const core::EqoException& E) {
        // A style file or class the dialog cannot take is reported, not thrown into the event loop.
        ide::MessageDlg(QString::fromUtf8(E.what()), ide::TMsgDlgType::mtError, ide::mbOK);
    }
}

void TEditorStyle::Clear()
{
    if (!GetStyleAsset())
        return;
    GetStyleAsset()->SetStyleClass(QString());
    Changed();
}

} // namespace orvo
