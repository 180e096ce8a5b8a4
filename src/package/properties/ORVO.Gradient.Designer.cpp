#include "properties/ORVO.Gradient.Designer.h"

#include "ORVO.Designer.Preview.h"
#include "ORVO.Translator.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace orvo {

namespace {

const QString CScope = QStringLiteral("TFormGradientDesigner");
constexpr int CClientWidth = 500;
constexpr int CClientHeight = 460;
constexpr int CBottomHeight = 50;
constexpr int CRightWidth = 176;
constexpr int CStyleButtonWidth = 80;
constexpr int CHandleRadius = 6;
constexpr core::TqoAlphaColor CDirectionLineColor = 0xFF0000FF;

QString Tr(const char* AKey)
{
    core::TqoTranslator::RegisterTexts(CScope, {{"caption", "Редактор градиента\n", "Gradient editor"},
                                                {"linear", "Линейный", "Linear"},
                                                {"radial", "Радиальный", "Radial"},
                                                {"direction", "Направление", "Direction"},
                                                {"reset", "Сбросить", "Reset"}});
    return core::TqoTranslator::Translate(CScope, QString::fromLatin1(AKey));
}

float Clamp01(double AValue) { return float(std::clamp(AValue, 0.0, 1.0)); }

// Transparent colors show over the chessboard the designer's previews share.
void FillChessboard(QPainter& APainter, const QRect& ARect)
{
    if (ARect.isEmpty())
        return;
    core::TqoBitmap LBoard(ARect.width(), ARect.height());
    dsgn::CreateChessBackground(LBoard, 8, dsgn::LightGridColors.Color1, dsgn::LightGridColors.Color2);
    APainter.drawImage(ARect.topLeft(), LBoard.Image());
}

QGradientStops StopsOf(const core::TqoGradientData& AGradient)
{
    QGradientStops LStops;
    for (const core::TqoGradientPointData& LPoint : AGradient.GetPoints())
        LStops.append({std::clamp(double(LPoint.Offset), 0.0, 1.0), core::TqoColorHelper::ToQColor(LPoint.Color)});
    std::stable_sort(LStops.begin(), LStops.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
    return LStops;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The model

void TGradientDesignerModel::Change(const std::function<void()>& AEdit)
{
    if (FUpdating > 0)
        return;
    ++FUpdating;
    try {
        AEdit();
    } catch (...) {
        --FUpdating;
        throw;
    }
    --FUpdating;
    if (OnUpdateUI)
        OnUpdateUI();
}

void TGradientDesignerModel::SetGradient(core::TqoGradientData* AGradient)
{
    FGradient = AGradient;
    FCurrentPoint = 0;
    Change([this] { SyncToEditor(); });
}

void TGradientDesignerModel::SyncToEditor()
{
    FEditor = FGradient ? *FGradient : core::TqoGradientData();
    FCurrentPoint = std::clamp(FCurrentPoint, 0, std::max(0, FEditor.PointCount() - 1));
}

void TGradientDesignerModel::SyncBack()
{
    if (!FGradient)
        return;
    // One change report for the whole copy.
    FGradient->BeginUpdate();
    FGradient->ClearPoints();
    for (const core::TqoGradientPointData& LPoint : FEditor.GetPoints())
        FGradient->AddPoint(LPoint.Color, LPoint.Offset);
    FGradient->SetStartPoint(FEditor.GetStartPoint());
    FGradient->SetStopPoint(FEditor.GetStopPoint());
    FGradient->SetStyle(FEditor.GetStyle());
    FGradient->Changed();
    FGradient->EndUpdate();
}

void TGradientDesignerModel::SetCurrentPoint(int AIndex)
{
    Change([&] { FCurrentPoint = std::clamp(AIndex, 0, std::max(0, FEditor.PointCount() - 1)); });
}

core::TqoAlphaColor TGradientDesignerModel::GetCurrentColor() const
{
    return FCurrentPoint < FEditor.PointCount() ? FEditor.GetPoints()[FCurrentPoint].Color : core::TqoAlphaColors::Null;
}

void TGradientDesignerModel::SetStyle(core::TqoGradientStyle AStyle)
{
    Change([&] {
        FEditor.SetStyle(AStyle);
        SyncBack();
    });
}

void TGradientDesignerModel::SetCurrentColor(core::TqoAlphaColor AColor)
{
    if (FCurrentPoint >= FEditor.PointCount())
        return;
    Change([&] {
        FEditor.SetPoint(FCurrentPoint, {AColor, FEditor.GetPoints()[FCurrentPoint].Offset});
        SyncBack();
    });
}

bool TGradientDesignerModel::SetCurrentColorText(const QString& AText)
{
    core::TqoAlphaColor LColor;
    if (!core::TqoColorHelper::TryParse(AText.trimmed(), LColor))
        return false;
    SetCurrentColor(LColor);
    return true;
}

void TGradientDesignerModel::SetCurrentComponents(int ARed, int AGreen, int ABlue, int AAlpha)
{
    const auto LByte = [](int AValue) { return quint8(std::clamp(AValue, 0, 255)); };
    SetCurrentColor(core::TqoColorHelper::FromARGB(LByte(AAlpha), LByte(ARed), LByte(AGreen), LByte(ABlue)));
}

void TGradientDesignerModel::SetStartPoint(const QPointF& APoint)
{
    Change([&] {
        FEditor.SetStartPoint(APoint);
        SyncBack();
    });
}

void TGradientDesignerModel::SetStopPoint(const QPointF& APoint)
{
    Change([&] {
        FEditor.SetStopPoint(APoint);
        SyncBack();
    });
}

void TGradientDesignerModel::AddPoint(float AOffset)
{
    Change([&] {
        const float LOffset = Clamp01(AOffset);
        FEditor.AddPoint(FEditor.InterpolateColor(LOffset), LOffset);
        FCurrentPoint = FEditor.PointCount() - 1;
        SyncBack();
    });
}

void TGradientDesignerModel::MovePoint(int AIndex, float AOffset)
{
    if (AIndex < 0 || AIndex >= FEditor.PointCount())
        return;
    Change([&] {
        FEditor.SetPoint(AIndex, {FEditor.GetPoints()[AIndex].Color, Clamp01(AOffset)});
        SyncBack();
    });
}

bool TGradientDesignerModel::RemovePoint(int AIndex)
{
    if (AIndex < 0 || AIndex >= FEditor.PointCount() || FEditor.PointCount() <= 2)
        return false;
    Change([&] {
        FEditor.RemovePoint(AIndex);
        FCurrentPoint = std::min(FCurrentPoint, FEditor.PointCount() - 1);
        SyncBack();
    });
    return true;
}

void TGradientDesignerModel::ResetToDefault()
{
    Change([this] {
        if (FGradient) {
            FGradient->BeginUpdate();
            FGradient->ResetToDefault();
            FGradient->SetStyle(core::TqoGradientStyle::Linear);
            FGradient->SetStartPoint(core::TqoGradientData::DefaultStartPoint);
            FGradient->SetStopPoint(core::TqoGradientData::DefaultStopPoint);
            FGradient->EndUpdate();
        }
        FCurrentPoint = 0;
        SyncToEditor();
    });
}

// ---------------------------------------------------------------------------------------------
// The controls

TGradientEditBar::TGradientEditBar(TGradientDesignerModel& AModel, QWidget* AParent) : QWidget(AParent), FModel(AModel)
{
    setObjectName(QStringLiteral("GradientEdit"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(CBottomHeight - 10);
}

QRect TGradientEditBar::BarRect() const { return QRect(CHandleRadius, 4, width() - 2 * CHandleRadius, height() - 18); }

QPoint TGradientEditBar::MarkerPos(int AIndex) const
{
    const QRect LBar = BarRect();
    const float LOffset = FModel.EditorGradient().GetPoints()[AIndex].Offset;
    return {LBar.left() + int(std::lround(LOffset * LBar.width())), LBar.bottom() + 7};
}

void TGradientEditBar::paintEvent(QPaintEvent*)
{
    QPainter LPainter(this);
    const QRect LBar = BarRect();
    FillChessboard(LPainter, LBar);
    QLinearGradient LFill(LBar.topLeft(), LBar.topRight());
    LFill.setStops(StopsOf(FModel.EditorGradient()));
    LPainter.fillRect(LBar, LFill);
    LPainter.setPen(palette().color(QPalette::Mid));
    LPainter.drawRect(LBar.adjusted(0, 0, -1, -1));
    LPainter.setRenderHint(QPainter::Antialiasing);
    for (int I = 0; I < FModel.EditorGradient().PointCount(); ++I) {
        const QPoint LAt = MarkerPos(I);
        const QPolygon LMarker(
            {LAt + QPoint(0, -6), LAt + QPoint(5, 0), LAt + QPoint(5, 6), LAt + QPoint(-5, 6), LAt + QPoint(-5, 0)});
        LPainter.setBrush(core::TqoColorHelper::ToQColor(FModel.EditorGradient().GetPoints()[I].Color));
        LPainter.setPen(QPen(I == FModel.GetCurrentPoint() ? palette().color(QPalette::Highlight) : Qt::black,
                             I == FModel.GetCurrentPoint() ? 2 : 1));
        LPainter.drawPolygon(LMarker);
    }
}

void TGradientEditBar::mousePressEvent(QMouseEvent* AEvent)
{
    if (AEvent->button() != Qt::LeftButton)
        return;
    const QPoint LAt = AEvent->position().toPoint();
    FDragged = -1;
    for (int I = FModel.EditorGradient().PointCount() - 1; I >= 0; --I)
        if (std::abs(MarkerPos(I).x() - LAt.x()) <= CHandleRadius && LAt.y() > BarRect().bottom()) {
            FDragged = I;
            break;
        }
    if (FDragged >= 0) {
        FModel.SetCurrentPoint(FDragged);
    } else if (BarRect().contains(LAt)) {
        FModel.AddPoint(OffsetAt(LAt.x()));
        FDragged = FModel.GetCurrentPoint();
    }
}

void TGradientEditBar::mouseMoveEvent(QMouseEvent* AEvent)
{
    if (FDragged >= 0 && (AEvent->buttons() & Qt::LeftButton))
        FModel.MovePoint(FDragged, OffsetAt(AEvent->position().x()));
}

void TGradientEditBar::mouseReleaseEvent(QMouseEvent*) { FDragged = -1; }

void TGradientEditBar::keyPressEvent(QKeyEvent* AEvent)
{
    if (AEvent->key() == Qt::Key_Delete)
        FModel.RemovePoint(FModel.GetCurrentPoint());
    else
        QWidget::keyPressEvent(AEvent);
}

float TGradientEditBar::OffsetAt(double AX) const
{
    const QRect LBar = BarRect();
    return LBar.width() > 0 ? Clamp01((AX - LBar.left()) / LBar.width()) : 0.0f;
}

TGradientPreview::TGradientPreview(const TGradientDesignerModel& AModel, QWidget* AParent)
    : QWidget(AParent), FModel(AModel)
{
    setObjectName(QStringLiteral("Preview"));
    setMinimumSize(100, 100);
}

QPointF TGradientPreview::StartHandle() const
{
    return Scaled(FDragged == 0 ? FDragPoint : FModel.EditorGradient().GetStartPoint());
}

QPointF TGradientPreview::StopHandle() const
{
    return Scaled(FDragged == 1 ? FDragPoint : FModel.EditorGradient().GetStopPoint());
}

void TGradientPreview::paintEvent(QPaintEvent*)
{
    QPainter LPainter(this);
    FillChessboard(LPainter, rect());
    const QPointF LStart = StartHandle();
    const QPointF LStop = StopHandle();
    const QGradientStops LStops = StopsOf(FModel.EditorGradient());
    if (FModel.EditorGradient().GetStyle() == core::TqoGradientStyle::Radial) {
        QRadialGradient LFill(LStart, std::max(1.0, QLineF(LStart, LStop).length()));
        LFill.setStops(LStops);
        LPainter.fillRect(rect(), LFill);
    } else {
        QLinearGradient LFill(LStart, LStop);
        LFill.setStops(LStops);
        LPainter.fillRect(rect(), LFill);
    }
    LPainter.setRenderHint(QPainter::Antialiasing);
    QPen LLine(core::TqoColorHelper::ToQColor(CDirectionLineColor), 3, Qt::DashLine, Qt::RoundCap);
    LPainter.setPen(LLine);
    LPainter.drawLine(LStart, LStop);
    LPainter.setPen(QPen(Qt::black, 1));
    LPainter.setBrush(Qt::white);
    LPainter.drawEllipse(LStart, CHandleRadius - 1, CHandleRadius - 1);
    LPainter.setBrush(QColor(0x1E, 0x90, 0xFF));
    LPainter.drawEllipse(LStop, CHandleRadius - 1, CHandleRadius - 1);
}

void TGradientPreview::mousePressEvent(QMouseEvent* AEvent)
{
    const QPointF LAt = AEvent->position();
    FDragged = -1;
    if (QLineF(LAt, StopHandle()).length() <= CHandleRadius + 2)
        FDragged = 1;
    else if (QLineF(LAt, StartHandle()).length() <= CHandleRadius + 2)
        FDragged = 0;
    if (FDragged >= 0)
        FDragPoint = Relative(LAt);
}

void TGradientPreview::mouseMoveEvent(QMouseEvent* AEvent)
{
    if (FDragged < 0)
        return;
    FDragPoint = Relative(AEvent->position());
    update();
}

void TGradientPreview::mouseReleaseEvent(QMouseEvent* AEvent)
{
    if (FDragged < 0)
        return;
    const bool LStart = FDragged == 0;
    const QPointF LPoint = Relative(AEvent->position());
    FDragged = -1;
    if (OnPointMoved)
        OnPointMoved(LStart, LPoint);
    update();
}

QPointF TGradientPreview::Scaled(const QPointF& ARelative) const
{
    return {ARelative.x() * width(), ARelative.y() * height()};
}

QPointF TGradientPreview::Relative(const QPointF& APos) const
{
    return {Clamp01(APos.x() / std::max(1, width())), Clamp01(APos.y() / std::max(1, height()))};
}

TColorPanel::TColorPanel(QWidget* AParent) : QWidget(AParent)
{
    setObjectName(QStringLiteral("ColorPanel"));
    setFixedHeight(130);
}

core::TqoAlphaColor TColorPanel::GetColor() const { return core::TqoColorHelper::FromQColor(FColor); }

void TColorPanel::SetColor(core::TqoAlphaColor AColor)
{
    FColor = core::TqoColorHelper::ToQColor(AColor);
    if (FColor.hsvHue() >= 0)
        FHue = FColor.hsvHue();
    update();
}

QRect TColorPanel::SquareRect() const { return QRect(0, 0, width() - 20, height() - 20); }
QRect TColorPanel::HueRect() const { return QRect(width() - 14, 0, 14, height() - 20); }
QRect TColorPanel::AlphaRect() const { return QRect(0, height() - 14, width() - 20, 14); }

void TColorPanel::paintEvent(QPaintEvent*)
{
    QPainter LPainter(this);
    const QRect LSquare = SquareRect();
    QLinearGradient LSaturation(LSquare.topLeft(), LSquare.topRight());
    LSaturation.setColorAt(0, Qt::white);
    LSaturation.setColorAt(1, QColor::fromHsv(FHue, 255, 255));
    LPainter.fillRect(LSquare, LSaturation);
    QLinearGradient LValue(LSquare.topLeft(), LSquare.bottomLeft());
    LValue.setColorAt(0, Qt::transparent);
    LValue.setColorAt(1, Qt::black);
    LPainter.fillRect(LSquare, LValue);

    const QRect LHue = HueRect();
    QLinearGradient LHues(LHue.topLeft(), LHue.bottomLeft());
    for (int I = 0; I <= 6; ++I)
        LHues.setColorAt(I / 6.0, QColor::fromHsv((I * 60) % 360, 255, 255));
    LPainter.fillRect(LHue, LHues);

    const QRect LAlpha = AlphaRect();
    FillChessboard(LPainter, LAlpha);
    QColor LOpaque = FColor;
    LOpaque.setAlpha(255);
    QLinearGradient LAlphas(LAlpha.topLeft(), LAlpha.topRight());
    LAlphas.setColorAt(0, Qt::transparent);
    LAlphas.setColorAt(1, LOpaque);
    LPainter.fillRect(LAlpha, LAlphas);

    LPainter.setPen(Qt::white);
    LPainter.setBrush(Qt::NoBrush);
    LPainter.drawEllipse(QPointF(LSquare.left() + FColor.hsvSaturationF() * LSquare.width(),
                                 LSquare.top() + (1 - FColor.valueF()) * LSquare.height()),
                         4, 4);
    LPainter.setPen(Qt::black);
    LPainter.drawLine(LHue.left(), LHue.top() + FHue * LHue.height() / 360, LHue.right(),
                      LHue.top() + FHue * LHue.height() / 360);
    const int LAlphaX = LAlpha.left() + FColor.alpha() * LAlpha.width() / 255;
    LPainter.drawLine(LAlphaX, LAlpha.top(), LAlphaX, LAlpha.bottom());
}

void TColorPanel::mousePressEvent(QMouseEvent* AEvent)
{
    const QPoint LAt = AEvent->position().toPoint();
    FTracked = SquareRect().contains(LAt) ? 0 : HueRect().contains(LAt) ? 1 : AlphaRect().contains(LAt) ? 2 : -1;
    Track(LAt);
}

void TColorPanel::mouseMoveEvent(QMouseEvent* AEvent)
{
    if (AEvent->buttons() & Qt::LeftButton)
        Track(AEvent->position().toPoint());
}

void TColorPanel::Track(const QPoint& AAt)
{
    const auto LPart = [](int AValue, int AFrom, int ALength) {
        return ALength > 0 ? std::clamp(double(AValue - AFrom) / ALength, 0.0, 1.0) : 0.0;
    };
    const int LAlpha = FColor.alpha();
    if (FTracked == 0) {
        const QRect LSquare = SquareRect();
        FColor = QColor::fromHsvF(FHue / 360.0, LPart(AAt.x(), LSquare.left(), LSquare.width()),
                                  1 - LPart(AAt.y(), LSquare.top(), LSquare.height()), LAlpha / 255.0);
    } else if (FTracked == 1) {
        FHue = std::min(359, int(LPart(AAt.y(), HueRect().top(), HueRect().height()) * 360));
        FColor = QColor::fromHsv(FHue, FColor.hsvSaturation(), FColor.value(), LAlpha);
    } else if (FTracked == 2) {
        FColor.setAlpha(int(std::lround(LPart(AAt.x(), AlphaRect().left(), AlphaRect().width()) * 255)));
    } else {
        return;
    }
    update();
    if (OnChange)
        OnChange(GetColor());
}

// ---------------------------------------------------------------------------------------------
// The dialog

std::function<bool(TFormGradientDesigner&)> TFormGradientDesigner::ExecuteDialog = [](TFormGradientDesigner& ADialog) {
    return ADialog.exec() == QDialog::Accepted;
};

TFormGradientDesigner::TFormGradientDesigner(QWidget* AParent) : QDialog(AParent)
{
    setWindowTitle(Tr("caption"));
    Preview = new TGradientPreview(FModel, this);
    GradientEdit = new TGradientEditBar(FModel, this);

    const auto LStyleButton = [this](const char* AKey, const char* AName) {
        auto LButton = new QToolButton(this);
        LButton->setObjectName(QString::fromLatin1(AName));
        LButton->setText(Tr(AKey));
        LButton->setCheckable(true);
        LButton->setAutoExclusive(true);
        LButton->setFixedWidth(CStyleButtonWidth);
        return LButton;
    };
    btnLinear = LStyleButton("linear", "btnLinear");
    btnRadial = LStyleButton("radial", "btnRadial");

    auto LComponents = new QGridLayout;
    QSpinBox** LBoxes[] = {&sbRed, &sbGreen, &sbBlue, &sbAlpha};
    const char* LNames[] = {"R", "G", "B", "A"};
    for (int I = 0; I < 4; ++I) {
        *LBoxes[I] = new QSpinBox(this);
        (*LBoxes[I])->setObjectName(QStringLiteral("sb") + QLatin1String(LNames[I]));
        (*LBoxes[I])->setRange(0, 255);
        LComponents->addWidget(new QLabel(QLatin1String(LNames[I]), this), I / 2, (I % 2) * 2);
        LComponents->addWidget(*LBoxes[I], I / 2, (I % 2) * 2 + 1);
        connect(*LBoxes[I], &QSpinBox::valueChanged, this, [this] { ComponentsChanged(); });
    }
    edColor = new QLineEdit(this);
    edColor->setObjectName(QStringLiteral("edColor"));
    ColorPanel = new TColorPanel(this);
    auto LDirection = new QLabel(Tr("direction"), this);
    btnReset = new QPushButton(Tr("reset"), this);
    btnReset->setObjectName(QStringLiteral("btnReset"));
    btnReset->setAutoDefault(false);

    auto LRight = new QVBoxLayout;
    LRight->addLayout(LComponents);
    LRight->addWidget(edColor);
    LRight->addWidget(ColorPanel);
    LRight->addWidget(LDirection);
    LRight->addWidget(btnReset);
    LRight->addStretch();
    auto LRightPanel = new QWidget(this);
    LRightPanel->setLayout(LRight);
    LRightPanel->setFixedWidth(CRightWidth);

    auto LMiddle = new QHBoxLayout;
    LMiddle->addWidget(Preview, 1);
    LMiddle->addWidget(LRightPanel);
    auto LBottom = new QHBoxLayout;
    LBottom->addWidget(GradientEdit, 1);
    LBottom->addWidget(btnLinear);
    LBottom->addWidget(btnRadial);
    auto LBottomPanel = new QWidget(this);
    LBottomPanel->setLayout(LBottom);
    LBottomPanel->setFixedHeight(CBottomHeight);
    auto LLayout = new QVBoxLayout(this);
    LLayout->addLayout(LMiddle, 1);
    LLayout->addWidget(LBottomPanel);
    setMinimumSize(CClientWidth, CClientHeight);
    resize(CClientWidth, CClientHeight);

    FModel.OnUpdateUI = [this] { UpdateUI(); };
    connect(btnLinear, &QToolButton::clicked, this, [this] { FModel.SetStyle(core::TqoGradientStyle::Linear); });
    connect(btnRadial, &QToolButton::clicked, this, [this] { FModel.SetStyle(core::TqoGradientStyle::Radial); });
    connect(edColor, &QLineEdit::editingFinished, this, [this] { FModel.SetCurrentColorText(edColor->text()); });
    connect(btnReset, &QPushButton::clicked, this, [this] { FModel.ResetToDefault(); });
    ColorPanel->OnChange = [this](core::TqoAlphaColor AColor) { FModel.SetCurrentColor(AColor); };
    Preview->OnPointMoved = [this](bool AStart, const QPointF& APoint) {
        if (AStart)
            FModel.SetStartPoint(APoint);
        else
            FModel.SetStopPoint(APoint);
    };
}

void TFormGradientDesigner::Show(core::TqoGradientData* AGradient)
{
    TFormGradientDesigner LDialog(QApplication::activeWindow());
    LDialog.SetGradient(AGradient);
    ExecuteDialog(LDialog);
}

void TFormGradientDesigner::SetGradient(core::TqoGradientData* AGradient) { FModel.SetGradient(AGradient); }

void TFormGradientDesigner::ComponentsChanged()
{
    if (FModel.IsUpdating())
        return;
    FModel.SetCurrentComponents(sbRed->value(), sbGreen->value(), sbBlue->value(), sbAlpha->value());
}

void TFormGradientDesigner::UpdateUI()
{
    const core::TqoGradientData& LGradient = FModel.EditorGradient();
    // Showing a value is no edit of it.
    const QSignalBlocker LBlocks[] = {QSignalBlocker(sbRed), QSignalBlocker(sbGreen), QSignalBlocker(sbBlue),
                                      QSignalBlocker(sbAlpha), QSignalBlocker(edColor)};
    (LGradient.GetStyle() == core::TqoGradientStyle::Radial ? btnRadial : btnLinear)->setChecked(true);
    const core::TqoAlphaColor LColor = FModel.GetCurrentColor();
    ColorPanel->SetColor(LColor);
    sbRed->setValue(core::TqoColorHelper::Red(LColor));
    sbGreen->setValue(core::TqoColorHelper::Green(LColor));
    sbBlue->setValue(core::TqoColorHelper::Blue(LColor));
    sbAlpha->setValue(core::TqoColorHelper::Alpha(LColor));
    edColor->setText(core::TqoColorHelper::ToARGBHex(LColor));
    Preview->update();
    GradientEdit->update();
}

} // namespace orvo
