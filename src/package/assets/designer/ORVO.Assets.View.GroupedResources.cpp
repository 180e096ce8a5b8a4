#include "ORVO.Assets.View.GroupedResources.h"

#include "ORVO.Assert.h"
#include "ORVO.Assets.DataModule.h"
#include "ToolsAPI.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QLabel>
#include <QPainter>

namespace orvo {

namespace {

const QString UnknownKindMessage = QStringLiteral("Неизвестный тип ресурса. Не могу создать для него редактор");

} // namespace

TResourceGroupView::TResourceGroupView(QWidget* AParent) : dsgn::TqoThemedFrame(AParent)
{
    setFont(TDesignerDataModule::Font(QStringLiteral("Tahoma"), 11));
    FContent = new QWidget(this);
    auto* LBrace = new TPreviewPaintBox(this);
    LBrace->OnPaint = [this](QPainter& ACanvas) { PaintBrace(ACanvas); };
    FBrace = LBrace;
    FTargetName = new QLabel(QStringLiteral("Universal"), this);
    FTargetName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    resize(761, 466);
}

void TResourceGroupView::SetAsset(core::TqoAsset* AAsset)
{
    core::TqoAssert::IsNotNil(AAsset, QStringLiteral("Value"));
    FAsset = AAsset;
    FTargetName->setText(AAsset->GetTargetDeviceDisplayName());
    IORVOAssetEditorPtr LKindEditor;
    try {
        if (TqoAssetsEditorsManager::Instance())
            LKindEditor = TqoAssetsEditorsManager::Instance()->GetEditors(AAsset->GetKind());
    } catch (const EListError&) {
    }
    core::TqoAssert::IsTrue(LKindEditor != nullptr, UnknownKindMessage);
    delete FEditor;
    FEditor = LKindEditor->CreateEditor(AAsset);
    core::TqoAssert::IsNotNil(FEditor, QStringLiteral("FEditor"));
    FEditor->setParent(FContent);
    FEditor->move(ContentPadding, 0);
    FEditor->SetAsset(AAsset);
    FEditor->OnChanged = [this](TBaseAssetEditorFrame* ASender) { NeedUpdatePreivewHandler(ASender->GetAsset()); };
    if (auto* LColor = qobject_cast<TEditorColor*>(FEditor))
        LColor->OnNeedApplyColor = [this](QObject*, core::TqoAssetColor* AColor) { NeedApplyColorEvent(AColor); };
    FEditor->show();
    MatchToContentSize();
}

void TResourceGroupView::Refresh()
{
    if (FEditor)
        FEditor->Refresh();
}

void TResourceGroupView::MatchToContentSize()
{
    if (!FEditor)
        return;
    const int LLabelHeight = FTargetName->fontMetrics().height() + 2;
    setFixedSize(ContentPadding + FEditor->width() + ContentPadding,
                 FEditor->height() + BraceHeight + TargetNameTopMargin + LLabelHeight);
}

void TResourceGroupView::resizeEvent(QResizeEvent* AEvent)
{
    dsgn::TqoThemedFrame::resizeEvent(AEvent);
    const int LEditorHeight = FEditor ? FEditor->height() : 0;
    const int LEditorWidth = FEditor ? FEditor->width() : width() - 2 * ContentPadding;
    FContent->setGeometry(0, 0, width(), LEditorHeight);
    FBrace->setGeometry(ContentPadding, LEditorHeight, LEditorWidth, BraceHeight);
    const int LLabelTop = LEditorHeight + BraceHeight + TargetNameTopMargin;
    FTargetName->setGeometry(0, LLabelTop, width(), height() - LLabelTop);
}

void TResourceGroupView::NeedUpdatePreivewHandler(core::TqoAsset* AAsset)
{
    if (OnNeedUpdatePreview)
        OnNeedUpdatePreview(AAsset);
}

void TResourceGroupView::NeedApplyColorEvent(core::TqoAssetColor* AAsset)
{
    if (OnNeedApplyColor)
        OnNeedApplyColor(this, AAsset);
}

void TResourceGroupView::PaintBrace(QPainter& ACanvas)
{
    // A bracket opening upwards under the editor.
    const QRect LBox = FBrace->rect();
    ACanvas.setPen(QPen(QColor::fromRgba(ide::IdeThemeColor(ide::TIdeColor::clBtnShadow)), 1, Qt::SolidLine));
    ACanvas.drawPolyline(QPolygon{LBox.topLeft(), LBox.bottomLeft(), LBox.bottomRight(), LBox.topRight()});
}

} // namespace orvo
