#include "DesignFormView.h"

#include "DesignFormDocument.h"
#include "StructureView.h"
#include "ToolsAPI.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSplitter>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>
#include <utility>

namespace ide {

namespace {

constexpr int CMargin = 24; // around the form on the canvas

float Number(const QObject* AObject, const char* AName) { return AObject ? AObject->property(AName).toFloat() : 0; }

QObject* ValueObject(const QObject* AComponent, const char* AName)
{
    return AComponent ? AComponent->property(AName).value<QObject*>() : nullptr;
}

QString AlignmentOf(const QObject* AComponent)
{
    const int LIndex = AComponent->metaObject()->indexOfProperty("Alignment");
    if (LIndex < 0)
        return {};
    const QMetaProperty LProperty = AComponent->metaObject()->property(LIndex);
    return QString::fromLatin1(LProperty.enumerator().valueToKey(LProperty.read(AComponent).toInt()));
}

// Visual components have a size; the others (timers, services) are listed but not drawn.
bool IsVisual(const QObject* AComponent) { return ValueObject(AComponent, "Size") != nullptr; }

// A hidden control (a closed drawer, a page that is not active) is not drawn, nor is what
// it holds.
bool IsShown(const QObject* AComponent)
{
    const QVariant LVisible = AComponent->property("Visible");
    return !LVisible.isValid() || LVisible.toBool();
}

// The part of a value cell that a property editor paints itself (an asset's preview).
class TValuePicture : public QWidget
{
public:
    TValuePicture(std::function<void(QPainter&, const QRect&)> APaint, QWidget* AParent)
        : QWidget(AParent), FPaint(std::move(APaint))
    {
    }

    // A release of a mouse button over the picture, at a point of the picture.
    std::function<void(Qt::MouseButton, const QPoint&)> OnRelease;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter LPainter(this);
        FPaint(LPainter, rect());
    }
    void mouseReleaseEvent(QMouseEvent* AEvent) override
    {
        if (OnRelease && rect().contains(AEvent->position().toPoint()))
            OnRelease(AEvent->button(), AEvent->position().toPoint());
    }

private:
    std::function<void(QPainter&, const QRect&)> FPaint;
};

// A value text that leaves an empty, unfocused cell to its editor's drawing (a default the
// editor shows in gray, say); typing into it is as into any cell.
class TOwnerDrawnEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    std::function<void(QPainter&, const QRect&)> DrawEmpty;

protected:
    void paintEvent(QPaintEvent* AEvent) override
    {
        QLineEdit::paintEvent(AEvent);
        if (!DrawEmpty || !text().isEmpty() || hasFocus())
            return;
        QPainter LPainter(this);
        DrawEmpty(LPainter, contentsRect().adjusted(2, 0, 0, 0));
    }
};

} // namespace

// ---------------------------------------------------------------------------------------

TFormCanvas::TFormCanvas(TFormDesignView& AView) : QWidget(&AView), FView(AView)
{
    setObjectName(QStringLiteral("FormCanvas"));
    setMouseTracking(false);
    setAutoFillBackground(true);
    QPalette LPalette = palette();
    LPalette.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
    setPalette(LPalette);
}

QSize TFormCanvas::sizeHint() const
{
    if (const TDeviceFrame* LFrame = FView.DeviceFrame())
        return LFrame->FrameSize.toSize() + QSize(2 * CMargin, 2 * CMargin);
    QObject* LRoot = FView.Document().Root();
    const QObject* LSize = ValueObject(LRoot, "Size");
    return QSize(int(Number(LSize, "Width")), int(Number(LSize, "Height"))) + QSize(2 * CMargin, 2 * CMargin);
}

// Where every control is drawn, in one pass from the form down: aligned controls take their
// side of what their parent has left, in form order, then a client-aligned one the rest; the
// others stand at their position. Kept until the form changes.
void TFormCanvas::Layout() const
{
    FRects.clear();
    FLaidOut = true;
    QObject* LRoot = FView.Document().Root();
    if (!IsVisual(LRoot))
        return;
    const QList<QObject*> LList = FView.Document().Components();
    const QSet<QObject*> LComponents(LList.cbegin(), LList.cend());
    const QObject* LRootSize = ValueObject(LRoot, "Size");
    // In a device's frame the form takes the screen's place and size.
    const QRect LScreen = ScreenRect();
    FRects.insert(LRoot, LScreen.isEmpty() ? QRect(CMargin, CMargin, int(Number(LRootSize, "Width")),
                                                   int(Number(LRootSize, "Height")))
                                           : LScreen);
    const auto LMargins = [](const QObject* AChild) {
        const QObject* LMargins = ValueObject(AChild, "Margins");
        return QMarginsF(Number(LMargins, "Left"), Number(LMargins, "Top"), Number(LMargins, "Right"),
                         Number(LMargins, "Bottom"));
    };
    std::function<void(QObject*)> LLayoutChildren = [&](QObject* AParent) {
        const QRect LParentRect = FRects.value(AParent);
        QRectF LFree(0, 0, LParentRect.width(), LParentRect.height());
        std::vector<QObject*> LChildren;
        for (QObject* LChild : AParent->children())
            if (LComponents.contains(LChild) && IsVisual(LChild) && IsShown(LChild))
                LChildren.push_back(LChild);
        QHash<QObject*, QRectF> LLocal;
        for (const bool LClientPass : {false, true})
            for (QObject* LChild : LChildren) {
                const QString LAlign = AlignmentOf(LChild);
                const bool LAligned = !LAlign.isEmpty() && LAlign != QLatin1String("None");
                if (LClientPass != (LAlign == QLatin1String("Client")) && LAligned)
                    continue;
                if (!LAligned) {
                    if (LClientPass) {
                        const QObject* LPosition = ValueObject(LChild, "Position");
                        const QObject* LSize = ValueObject(LChild, "Size");
                        LLocal.insert(LChild, QRectF(Number(LPosition, "X"), Number(LPosition, "Y"),
                                                     Number(LSize, "Width"), Number(LSize, "Height")));
                    }
                    continue;
                }
                const QObject* LSize = ValueObject(LChild, "Size");
                const QMarginsF LM = LMargins(LChild);
                const qreal LW = Number(LSize, "Width") + LM.left() + LM.right();
                const qreal LH = Number(LSize, "Height") + LM.top() + LM.bottom();
                QRectF LRect;
                if (LAlign == QLatin1String("Top")) {
                    LRect = QRectF(LFree.left(), LFree.top(), LFree.width(), LH);
                    LFree.setTop(LRect.bottom());
                } else if (LAlign == QLatin1String("Bottom")) {
                    LRect = QRectF(LFree.left(), LFree.bottom() - LH, LFree.width(), LH);
                    LFree.setBottom(LRect.top());
                } else if (LAlign == QLatin1String("Left")) {
                    LRect = QRectF(LFree.left(), LFree.top(), LW, LFree.height());
                    LFree.setLeft(LRect.right());
                } else if (LAlign == QLatin1String("Right")) {
                    LRect = QRectF(LFree.right() - LW, LFree.top(), LW, LFree.height());
                    LFree.setRight(LRect.left());
                } else if (LAlign == QLatin1String("Center")) {
                    LRect = QRectF(LFree.center() - QPointF(LW / 2, LH / 2), QSizeF(LW, LH));
                } else {
                    LRect = LFree;
                }
                LLocal.insert(LChild, LRect.marginsRemoved(LM));
            }
        for (QObject* LChild : LChildren) {
            FRects.insert(LChild, LLocal.value(LChild).toRect().translated(LParentRect.topLeft()));
            LLayoutChildren(LChild);
        }
    };
    LLayoutChildren(LRoot);
}

void TFormCanvas::Invalidate()
{
    FLaidOut = false;
    setMinimumSize(sizeHint());
    update();
}

QRect TFormCanvas::ComponentRect(QObject* AComponent) const
{
    if (!FLaidOut)
        Layout();
    return FRects.value(AComponent);
}

QRect TFormCanvas::FrameRect() const
{
    const TDeviceFrame* LFrame = FView.DeviceFrame();
    return LFrame ? QRect(QPoint(CMargin, CMargin), LFrame->FrameSize.toSize()) : QRect();
}

QRect TFormCanvas::ScreenRect() const
{
    const TDeviceFrame* LFrame = FView.DeviceFrame();
    return LFrame ? QRectF(QPointF(CMargin, CMargin) + LFrame->ScreenPosition, LFrame->ScreenSize).toRect() : QRect();
}

QList<QRect> TFormCanvas::GridColumnRects() const
{
    // As the phone grids of material design: a gutter between the columns and one at either side.
    QList<QRect> LBands;
    const TDeviceFrame* LFrame = FView.DeviceFrame();
    if (!LFrame || LFrame->GridColumns <= 0)
        return LBands;
    const QRect LScreen = ScreenRect();
    const int LGutter = LFrame->GridGutter;
    const qreal LWidth = qreal(LScreen.width() - (LFrame->GridColumns + 1) * LGutter) / LFrame->GridColumns;
    if (LWidth <= 0)
        return LBands;
    for (int I = 0; I < LFrame->GridColumns; ++I) {
        const qreal LLeft = LGutter + I * (LWidth + LGutter);
        LBands.append(QRect(LScreen.left() + qRound(LLeft), LScreen.top(), qRound(LLeft + LWidth) - qRound(LLeft),
                            LScreen.height()));
    }
    return LBands;
}

QObject* TFormCanvas::ComponentAt(const QPoint& APoint) const
{
    // In a device's frame only the screen shows the form.
    if (const QRect LScreen = ScreenRect(); !LScreen.isEmpty() && !LScreen.contains(APoint))
        return nullptr;
    // The innermost, and among siblings the last drawn, wins.
    QObject* LFound = nullptr;
    for (QObject* LComponent : FView.Document().Components())
        if (ComponentRect(LComponent).contains(APoint))
            LFound = LComponent;
    return LFound;
}

void TFormCanvas::PaintComponent(QPainter& APainter, QObject* AComponent, const QPoint&) const
{
    const QRect LRect = ComponentRect(AComponent);
    if (LRect.isEmpty())
        return;
    const bool LRoot = AComponent == FView.Document().Root();
    APainter.setPen(
        QPen(LRoot ? QColor(0x80, 0x80, 0x80) : QColor(0xA0, 0xA0, 0xA0), 1, LRoot ? Qt::SolidLine : Qt::DashLine));
    APainter.setBrush(LRoot ? QColor(Qt::white) : QColor(0x3F, 0x51, 0xB5, 12));
    APainter.drawRect(LRect.adjusted(0, 0, -1, -1));
    // Children in the caption's line leave it the room before them, so texts do not cross; one
    // over its corner (an aligned layout's client) names itself there instead.
    int LRoom = LRect.width();
    const QRect LCaptionLine(LRect.left(), LRect.top(), LRect.width(), 20);
    for (QObject* LChild : AComponent->children())
        if (LChild != AComponent && FRects.contains(LChild))
            if (const QRect LChildRect = ComponentRect(LChild); LChildRect.intersects(LCaptionLine))
                LRoom = std::min(LRoom, LChildRect.left() - LRect.left());
    if (!LRoot && LRoom >= 40) {
        const QString LCaption =
            QStringLiteral("%1: %2").arg(AComponent->objectName(), ClassName(AComponent->metaObject()));
        int LIndent = 4;
        if (FView.ClassIcon && LRect.height() >= 20)
            if (const QPixmap LIcon = FView.ClassIcon(AComponent->metaObject()); !LIcon.isNull()) {
                APainter.drawPixmap(QRect(LRect.left() + 3, LRect.top() + 3, 16, 16), LIcon);
                LIndent = 23;
            }
        APainter.setPen(QColor(0x40, 0x40, 0x40));
        const QRect LText(LRect.left() + LIndent, LRect.top() + 2, LRoom - LIndent - 4, LRect.height() - 4);
        APainter.drawText(LText, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          APainter.fontMetrics().elidedText(LCaption, Qt::ElideRight, LText.width()));
    }
}

void TFormCanvas::PaintDevice(QPainter& APainter) const
{
    const TDeviceFrame* LFrame = FView.DeviceFrame();
    const QRect LBody = FrameRect();
    // The framework installs the frames' pictures; without them the body is drawn here.
    QPixmap LImage;
    if (!LFrame->FrameImage.isEmpty() && QFileInfo::exists(LFrame->FrameImage) &&
        !QPixmapCache::find(LFrame->FrameImage, &LImage) && LImage.load(LFrame->FrameImage))
        QPixmapCache::insert(LFrame->FrameImage, LImage);
    if (!LImage.isNull()) {
        APainter.drawPixmap(LBody, LImage);
        return;
    }
    const QRect LScreen = ScreenRect();
    APainter.save();
    APainter.setRenderHint(QPainter::Antialiasing, true);
    APainter.setPen(QPen(QColor(0x10, 0x10, 0x12), 1));
    APainter.setBrush(QColor(0x2B, 0x2C, 0x30));
    const qreal LRadius = std::min(LBody.width(), LBody.height()) * 0.09;
    APainter.drawRoundedRect(QRectF(LBody).adjusted(0.5, 0.5, -0.5, -0.5), LRadius, LRadius);
    // The earpiece in the wider border beside the screen: above it upright, left of it on its side.
    APainter.setPen(Qt::NoPen);
    APainter.setBrush(QColor(0x55, 0x57, 0x5C));
    const QPointF LGap = LFrame->ScreenPosition;
    const QRectF LSlot = LGap.y() >= LGap.x() ? QRectF(0, 0, 56, 6) : QRectF(0, 0, 6, 56);
    const QPointF LSlotCenter = LGap.y() >= LGap.x() ? QPointF(LBody.center().x(), LBody.top() + LGap.y() / 2)
                                                     : QPointF(LBody.left() + LGap.x() / 2, LBody.center().y());
    APainter.drawRoundedRect(LSlot.translated(LSlotCenter - LSlot.center()), 3, 3);
    APainter.restore();
    APainter.fillRect(LScreen, Qt::black);
}

void TFormCanvas::PaintGrid(QPainter& APainter) const
{
    const TDeviceFrame* LFrame = FView.DeviceFrame();
    const QRect LScreen = ScreenRect();
    for (const QRect& LBand : GridColumnRects())
        APainter.fillRect(LBand, QColor(0xFF, 0x40, 0x81, 36));
    if (LFrame->GridModuleHeight <= 0)
        return;
    APainter.setPen(QPen(QColor(0x00, 0x96, 0x88, 110), 1));
    for (int Y = LScreen.top() + LFrame->GridModuleHeight; Y < LScreen.bottom(); Y += LFrame->GridModuleHeight)
        APainter.drawLine(LScreen.left(), Y, LScreen.right(), Y);
}

void TFormCanvas::paintEvent(QPaintEvent*)
{
    QPainter LPainter(this);
    const QRect LScreen = ScreenRect();
    if (!LScreen.isEmpty()) {
        PaintDevice(LPainter);
        LPainter.setClipRect(LScreen);
    }
    // The grid goes on the form's ground, under the boxes and their captions.
    for (QObject* LComponent : FView.Document().Components()) {
        PaintComponent(LPainter, LComponent, {});
        if (LComponent == FView.Document().Root() && !LScreen.isEmpty())
            PaintGrid(LPainter);
    }
    if (!LScreen.isEmpty()) {
        // The handles of what fills the screen lie on its edges.
        LPainter.setClipRect(LScreen.adjusted(-4, -4, 4, 4));
    }
    // Handles of the selection: the corners and the middles of the sides.
    for (QObject* LSelected : FView.Document().Designer().GetSelections()) {
        const QRect LRect = ComponentRect(LSelected);
        if (LRect.isEmpty())
            continue;
        LPainter.setPen(QPen(QColor(0x1E, 0x88, 0xE5), 1));
        LPainter.setBrush(Qt::NoBrush);
        LPainter.drawRect(LRect.adjusted(0, 0, -1, -1));
        LPainter.setBrush(QColor(0x1E, 0x88, 0xE5));
        for (const QPoint& LAt : {LRect.topLeft(), LRect.topRight(), LRect.bottomLeft(), LRect.bottomRight(),
                                  QPoint(LRect.center().x(), LRect.top()), QPoint(LRect.center().x(), LRect.bottom()),
                                  QPoint(LRect.left(), LRect.center().y()), QPoint(LRect.right(), LRect.center().y())})
            LPainter.drawRect(QRect(LAt - QPoint(3, 3), QSize(6, 6)));
    }
}

void TFormCanvas::mousePressEvent(QMouseEvent* AEvent)
{
    const QPoint LAt = AEvent->position().toPoint();
    if (AEvent->button() == Qt::RightButton) {
        if (QObject* LComponent = ComponentAt(LAt)) {
            FView.Select(LComponent);
            FView.ShowVerbMenu(LComponent, mapToGlobal(LAt));
        }
        return;
    }
    if (AEvent->button() != Qt::LeftButton)
        return;
    if (FView.ArmedClass()) {
        FView.PlaceComponent(FView.ArmedClass(), LAt);
        return;
    }
    if (QObject* LComponent = ComponentAt(LAt))
        FView.Select(LComponent);
}

void TFormCanvas::mouseDoubleClickEvent(QMouseEvent* AEvent)
{
    if (AEvent->button() != Qt::LeftButton || FView.ArmedClass())
        return;
    if (QObject* LComponent = ComponentAt(AEvent->position().toPoint()))
        FView.EditComponent(LComponent);
}

// ---------------------------------------------------------------------------------------

TObjectInspector::TObjectInspector(TFormDesignView& AView) : QTreeWidget(&AView), FView(AView)
{
    setObjectName(QStringLiteral("ObjectInspector"));
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Property"), QStringLiteral("Value")});
    header()->setSectionResizeMode(0, QHeaderView::Interactive);
    header()->setStretchLastSection(true);
    setColumnWidth(0, 150);
    setRootIsDecorated(true);
    setAlternatingRowColors(true);
    setUniformRowHeights(true);
}

QTreeWidgetItem* TObjectInspector::Row(const QString& APath) const { return FRows.value(APath); }

TPropertyEditor* TObjectInspector::EditorOf(const QString& APath) const { return FEditorsByPath.value(APath); }

void TObjectInspector::Refill()
{
    QSet<QString> LExpanded;
    for (auto It = FRows.cbegin(); It != FRows.cend(); ++It)
        if (It.value()->isExpanded())
            LExpanded.insert(It.key());
    // The cells go now, not later with the rows: their signals name the editors being dropped.
    for (QTreeWidgetItem* LRow : std::as_const(FRows))
        if (QWidget* LCell = itemWidget(LRow, 1)) {
            removeItemWidget(LRow, 1);
            LCell->hide();
            LCell->setObjectName(QString());
            LCell->deleteLater();
        }
    clear();
    FRows.clear();
    FEditorsByPath.clear();
    FEditors.clear();
    const QList<QObject*> LSelection = FView.Document().Designer().GetSelections();
    if (LSelection.isEmpty())
        return;
    for (auto& LEditor : GetComponentProperties(LSelection, &FView.Document().Designer()))
        AddRows(nullptr, QString(), std::move(LEditor));
    for (const QString& LPath : LExpanded)
        if (QTreeWidgetItem* LRow = FRows.value(LPath))
            LRow->setExpanded(true);
}

void TObjectInspector::AddRows(QTreeWidgetItem* AParent, const QString& APrefix,
                               std::unique_ptr<TPropertyEditor> AEditor)
{
    TPropertyEditor& LEditor = *AEditor;
    const QString LPath = APrefix + LEditor.GetName();
    auto* LRow = AParent ? new QTreeWidgetItem(AParent) : new QTreeWidgetItem(this);
    LRow->setText(0, LEditor.GetName());
    LRow->setData(0, Qt::UserRole, LPath);
    FRows.insert(LPath, LRow);
    FEditorsByPath.insert(LPath, &LEditor);
    FEditors.push_back(std::move(AEditor));
    setItemWidget(LRow, 1, ValueCell(LEditor, LPath));
    if (LEditor.GetAttributes() & paSubProperties)
        LEditor.GetProperties(
            [&](std::unique_ptr<TPropertyEditor> ASub) { AddRows(LRow, LPath + QLatin1Char('.'), std::move(ASub)); });
}

QWidget* TObjectInspector::ValueCell(TPropertyEditor& AEditor, const QString& APath)
{
    const TPropertyAttributes LAttributes = AEditor.GetAttributes();
    const QString LValue = AEditor.ShownValue();
    const QString LName = QStringLiteral("Value.") + APath;
    auto* LCell = new QWidget;
    auto* LLayout = new QHBoxLayout(LCell);
    LLayout->setContentsMargins(0, 0, 0, 0);
    LLayout->setSpacing(0);
    const bool LReadOnly = (LAttributes & paReadOnly) && !(LAttributes & paValueList);
    // An editor that draws into the text's own place when it is empty.
    std::function<void(QPainter&, const QRect&)> LDrawEmpty;
    if (auto* LDrawing = dynamic_cast<ICustomPropertyDrawing80*>(&AEditor)) {
        // As wide as the editor asks of a row-high cell; the text stays beside it.
        const QRect LRowRect(0, 0, 200, 20);
        const QRect LOwn = LDrawing->PropDrawValueRect(LRowRect);
        if (LOwn.width() <= 1)
            LDrawEmpty = [this, APath](QPainter& APainter, const QRect& ARect) {
                if (auto* LEditor = dynamic_cast<ICustomPropertyDrawing80*>(FEditorsByPath.value(APath)))
                    LEditor->PropDrawValue(APainter, ARect, false);
            };
        if (LOwn.width() > 1) {
            auto* LPicture = new TValuePicture(
                [this, APath](QPainter& APainter, const QRect& ARect) {
                    if (auto* LEditor = dynamic_cast<ICustomPropertyDrawing80*>(FEditorsByPath.value(APath)))
                        LEditor->PropDrawValue(APainter, ARect, false);
                },
                LCell);
            LPicture->setObjectName(QStringLiteral("Picture.") + APath);
            LPicture->setFixedSize(LOwn.width(), LOwn.height());
            if (dynamic_cast<ICustomPropertyMessage*>(&AEditor))
                LPicture->OnRelease = [this, APath](Qt::MouseButton AButton, const QPoint& AAt) {
                    auto* LEditor = dynamic_cast<ICustomPropertyMessage*>(FEditorsByPath.value(APath));
                    if (!LEditor || AButton != Qt::LeftButton)
                        return;
                    // Editors place their parts after the name cell, which ends 4 pixels before
                    // the value's own part: the rectangle given is that name cell.
                    const QRect LName(-4 - 100, 0, 100, 20);
                    bool LHandled = false;
                    try {
                        LEditor->MouseUp(TMouseButton::Left, AAt.x(), AAt.y(), LName, LHandled);
                    } catch (const std::exception& E) {
                        if (FView.OnError)
                            FView.OnError(QString::fromUtf8(E.what()));
                    }
                    if (LHandled)
                        QMetaObject::invokeMethod(
                            this, [this] { FView.Changed(); }, Qt::QueuedConnection);
                };
            LLayout->addWidget(LPicture);
        }
    }
    if (LAttributes & paValueList) {
        auto* LBox = new QComboBox(LCell);
        LBox->setObjectName(LName);
        LBox->addItems(AEditor.ValueList());
        LBox->setEditable(bool(LAttributes & paValueEditable) || !(LAttributes & paReadOnly));
        if (LBox->isEditable() && LDrawEmpty) {
            auto* LEdit = new TOwnerDrawnEdit(LBox);
            LEdit->DrawEmpty = LDrawEmpty;
            LBox->setLineEdit(LEdit);
        }
        LBox->setCurrentText(LValue);
        LLayout->addWidget(LBox, 1);
        connect(LBox, &QComboBox::textActivated, this, [this, APath](const QString& AText) { Apply(APath, AText); });
        if (LBox->lineEdit())
            connect(LBox->lineEdit(), &QLineEdit::returnPressed, this,
                    [this, APath, LBox] { Apply(APath, LBox->currentText()); });
    } else if (LReadOnly) {
        auto* LText = new QLabel(LValue, LCell);
        LText->setObjectName(LName);
        LText->setIndent(4);
        LLayout->addWidget(LText, 1);
    } else {
        auto* LEdit = new TOwnerDrawnEdit(LValue, LCell);
        LEdit->DrawEmpty = LDrawEmpty;
        LEdit->setObjectName(LName);
        LEdit->setFrame(false);
        LLayout->addWidget(LEdit, 1);
        connect(LEdit, &QLineEdit::returnPressed, this, [this, APath, LEdit] { Apply(APath, LEdit->text()); });
    }
    if (LAttributes & paDialog) {
        auto* LButton = new QToolButton(LCell);
        LButton->setObjectName(QStringLiteral("Edit.") + APath);
        LButton->setText(QStringLiteral("..."));
        LLayout->addWidget(LButton);
        connect(LButton, &QToolButton::clicked, this, [this, APath, LCell] {
            TPropertyEditor* LEditor = FEditorsByPath.value(APath);
            if (!LEditor)
                return;
            FDropAnchor = LCell;
            try {
                LEditor->Edit(*this, false);
            } catch (const std::exception& E) {
                if (FView.OnError)
                    FView.OnError(QString::fromUtf8(E.what()));
            }
            // A drop-down shows the change when it closes; the refill would take its editor.
            if (FDropDown)
                return;
            // Later: the editor's rows go with the refill.
            QMetaObject::invokeMethod(
                this, [this] { FView.Changed(); }, Qt::QueuedConnection);
        });
    }
    return LCell;
}

void TObjectInspector::DropDownControl(QWidget* AControl)
{
    CloseDropDown();
    AControl->setParent(this, Qt::Popup);
    AControl->setAttribute(Qt::WA_DeleteOnClose);
    AControl->installEventFilter(this);
    QWidget* LAnchor = FDropAnchor ? FDropAnchor.data() : viewport();
    QPoint LAt = LAnchor->mapToGlobal(QPoint(0, LAnchor->height()));
    // Kept on the screen: above the row when there is no room below, and not past its right edge.
    if (QScreen* LScreen = LAnchor->screen()) {
        const QRect LArea = LScreen->availableGeometry();
        const QSize LSize = AControl->size();
        if (LAt.y() + LSize.height() > LArea.bottom())
            LAt.setY(LAnchor->mapToGlobal(QPoint(0, 0)).y() - LSize.height());
        LAt.setX(qBound(LArea.left(), LAt.x(), LArea.right() - LSize.width()));
    }
    AControl->move(LAt);
    FDropDown = AControl;
    connect(AControl, &QObject::destroyed, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { FView.Changed(); }, Qt::QueuedConnection);
    });
    AControl->show();
}

void TObjectInspector::CloseDropDown()
{
    if (FDropDown)
        FDropDown->close();
}

bool TObjectInspector::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == FDropDown && AEvent->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(AEvent)->key() == Qt::Key_Escape) {
        CloseDropDown();
        return true;
    }
    return QTreeWidget::eventFilter(AWatched, AEvent);
}

void TObjectInspector::Apply(const QString& APath, const QString& AText)
{
    // By path: a cell may outlive its editor by a turn of the event loop.
    TPropertyEditor* LEditor = FEditorsByPath.value(APath);
    if (!LEditor)
        return;
    try {
        LEditor->SetValue(AText);
    } catch (const std::exception& E) {
        if (FView.OnError)
            FView.OnError(QString::fromUtf8(E.what()));
    }
    // The cell that asked is deleted by the refill: not while its own signal runs.
    QMetaObject::invokeMethod(
        this, [this] { FView.Changed(); }, Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------------------

TFormDesignView::TFormDesignView(std::unique_ptr<TFormDocument> ADocument, QWidget* AParent)
    : QWidget(AParent), FDocument(std::move(ADocument))
{
    setObjectName(QStringLiteral("FormDesigner"));
    OnError = [this](const QString& AText) { QMessageBox::warning(this, windowTitle(), AText); };
    auto* LLayout = new QVBoxLayout(this);
    LLayout->setContentsMargins(0, 0, 0, 0);
    FSplitter = new QSplitter(Qt::Horizontal, this);
    FStructure = new QTreeWidget(FSplitter);
    FStructure->setObjectName(QStringLiteral("StructureView"));
    FStructure->setHeaderLabel(QStringLiteral("Structure"));
    // Above the form: the device it is shown in and the device's orientation.
    auto* LCenter = new QWidget(FSplitter);
    auto* LCenterLayout = new QVBoxLayout(LCenter);
    LCenterLayout->setContentsMargins(0, 0, 0, 0);
    LCenterLayout->setSpacing(0);
    auto* LDeviceBar = new QHBoxLayout;
    LDeviceBar->setContentsMargins(4, 4, 4, 4);
    FDeviceBox = new QComboBox(LCenter);
    FDeviceBox->setObjectName(QStringLiteral("DeviceSelector"));
    FDeviceBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    FDeviceBox->addItem(QStringLiteral("No device"));
    FOrientationBox = new QComboBox(LCenter);
    FOrientationBox->setObjectName(QStringLiteral("OrientationSelector"));
    FOrientationBox->addItems({QStringLiteral("Portrait"), QStringLiteral("Landscape")});
    FOrientationBox->setEnabled(false);
    LDeviceBar->addWidget(new QLabel(QStringLiteral("Device:"), LCenter));
    LDeviceBar->addWidget(FDeviceBox);
    LDeviceBar->addWidget(FOrientationBox);
    LDeviceBar->addStretch(1);
    FScroll = new QScrollArea(LCenter);
    FCanvas = new TFormCanvas(*this);
    FCanvas->setMinimumSize(FCanvas->sizeHint());
    FScroll->setWidget(FCanvas);
    FScroll->setAlignment(Qt::AlignCenter);
    LCenterLayout->addLayout(LDeviceBar);
    // Below the form, the unit as the designer has it; shown when a method is to be shown.
    auto* LCodeSplit = new QSplitter(Qt::Vertical, LCenter);
    LCodeSplit->addWidget(FScroll);
    FCode = new QPlainTextEdit(LCodeSplit);
    FCode->setObjectName(QStringLiteral("UnitCode"));
    FCode->setReadOnly(true);
    FCode->setLineWrapMode(QPlainTextEdit::NoWrap);
    FCode->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    FCode->hide();
    LCodeSplit->addWidget(FCode);
    LCodeSplit->setStretchFactor(0, 2);
    LCodeSplit->setStretchFactor(1, 1);
    LCenterLayout->addWidget(LCodeSplit, 1);
    FDocument->Designer().OnShowMethod = [this](const QString& AName) { ShowMethod(AName); };
    const auto LDeviceChanged = [this] {
        FOrientationBox->setEnabled(FDeviceBox->currentIndex() > 0);
        FCanvas->Invalidate();
        FCanvas->resize(FCanvas->sizeHint());
    };
    connect(FDeviceBox, &QComboBox::currentIndexChanged, this, LDeviceChanged);
    connect(FOrientationBox, &QComboBox::currentIndexChanged, this, LDeviceChanged);
    FInspector = new TObjectInspector(*this);
    FSplitter->addWidget(FStructure);
    FSplitter->addWidget(LCenter);
    FSplitter->addWidget(FInspector);
    FSplitter->setStretchFactor(0, 0);
    FSplitter->setStretchFactor(1, 1);
    FSplitter->setStretchFactor(2, 0);
    FSplitter->setSizes({240, 520, 320});
    FStatus = new QLabel(this);
    FStatus->setIndent(4);
    LLayout->addWidget(FSplitter, 1);
    LLayout->addWidget(FStatus);
    connect(FStructure, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* AItem) {
        if (FFilling || !AItem)
            return;
        if (QObject* LComponent = AItem->data(0, Qt::UserRole).value<QObject*>())
            NodeSelected(LComponent);
    });
    FStructure->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FStructure, &QWidget::customContextMenuRequested, this, [this](const QPoint& AAt) {
        if (QTreeWidgetItem* LItem = FStructure->itemAt(AAt))
            if (QObject* LComponent = LItem->data(0, Qt::UserRole).value<QObject*>()) {
                NodeSelected(LComponent);
                ShowVerbMenu(LComponent, FStructure->viewport()->mapToGlobal(AAt));
            }
    });
    connect(FStructure, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* AItem) {
        if (QObject* LComponent = AItem->data(0, Qt::UserRole).value<QObject*>())
            EditComponent(LComponent);
    });
    FillStructure();
    Select(FDocument->Root());
}

TFormDesignView::~TFormDesignView()
{
    // The inspector's editors point into the document's components.
    delete FInspector;
    FInspector = nullptr;
}

QObject* TFormDesignView::Selected() const
{
    const QList<QObject*> LSelection = FDocument->Designer().GetSelections();
    return LSelection.isEmpty() ? nullptr : LSelection.first();
}

void TFormDesignView::Select(QObject* AComponent)
{
    FDocument->Designer().SelectComponent(AComponent);
    FFilling = true;
    const QList<QTreeWidgetItem*> LItems = FStructure->findItems(QString(), Qt::MatchContains | Qt::MatchRecursive);
    for (QTreeWidgetItem* LItem : LItems)
        if (LItem->data(0, Qt::UserRole).value<QObject*>() == AComponent)
            FStructure->setCurrentItem(LItem);
    FFilling = false;
    FInspector->Refill();
    FCanvas->update();
    FStatus->setText(AComponent
                         ? QStringLiteral("%1: %2").arg(AComponent->objectName(), ClassName(AComponent->metaObject()))
                         : QString());
}

QObject* TFormDesignView::PlaceComponent(TComponentClass AClass, const QPoint& ACanvasPoint)
{
    // Into the innermost control under the point, at the point.
    QObject* LParent = FCanvas->ComponentAt(ACanvasPoint);
    if (!LParent)
        LParent = FDocument->Root();
    FArmed = nullptr;
    QObject* LComponent = nullptr;
    try {
        LComponent = FDocument->Designer().CreateChild(AClass, LParent);
    } catch (const std::exception& E) {
        if (OnError)
            OnError(QString::fromUtf8(E.what()));
        return nullptr;
    }
    if (!LComponent)
        return nullptr;
    if (LComponent->objectName().isEmpty())
        LComponent->setObjectName(FDocument->UniqueName(AClass));
    if (QObject* LPosition = ValueObject(LComponent, "Position")) {
        const QPoint LAt = ACanvasPoint - FCanvas->ComponentRect(LParent).topLeft();
        LPosition->setProperty("X", float(LAt.x()));
        LPosition->setProperty("Y", float(LAt.y()));
    }
    FDocument->Designer().Modified();
    // The document takes the new component into its list (and its object into the file's tree).
    FDocument->StoreProperties();
    FillStructure();
    FCanvas->Invalidate();
    Select(LComponent);
    return LComponent;
}

void TFormDesignView::Changed()
{
    FillStructure();
    FCanvas->Invalidate();
    Select(Selected());
}

void TFormDesignView::Save()
{
    try {
        FDocument->Save();
        FStatus->setText(QStringLiteral("Saved %1").arg(FDocument->FileName()));
    } catch (const std::exception& E) {
        if (OnError)
            OnError(QString::fromUtf8(E.what()));
    }
}

void TFormDesignView::NodeSelected(QObject* AComponent)
{
    // The sprigs' listeners first: a page they make active is then drawn as such.
    if (const auto LView =
            std::dynamic_pointer_cast<TStructureView>(BorlandIDEServices().Supports<IOTAStructureView>()))
        LView->SelectNode(AComponent);
    FCanvas->Invalidate();
    Select(AComponent);
}

QString TFormDesignView::NodeCaption(QObject* AComponent) const
{
    const auto LSprig = FSprigs.value(AComponent);
    return LSprig ? LSprig->Caption() : TSprig(AComponent).Caption();
}

void TFormDesignView::SetDevices(const QList<TDeviceDescription>& ADevices)
{
    FDevices = ADevices;
    {
        const QSignalBlocker LBlocker(FDeviceBox);
        FDeviceBox->clear();
        FDeviceBox->addItem(QStringLiteral("No device"));
        for (const TDeviceDescription& LDevice : FDevices)
            FDeviceBox->addItem(LDevice.Caption, LDevice.Id);
    }
    // The list changed under the index: shown plainly, whatever was chosen.
    FDeviceBox->setCurrentIndex(-1);
    FDeviceBox->setCurrentIndex(0);
}

bool TFormDesignView::SetDevice(const QString& AId, bool ALandscape)
{
    const int LIndex = AId.isEmpty() ? 0 : FDeviceBox->findData(AId);
    if (LIndex < 0)
        return false;
    FOrientationBox->setCurrentIndex(ALandscape ? 1 : 0);
    FDeviceBox->setCurrentIndex(LIndex);
    return true;
}

const TDeviceFrame* TFormDesignView::DeviceFrame() const
{
    const int LIndex = FDeviceBox ? FDeviceBox->currentIndex() - 1 : -1;
    if (LIndex < 0 || LIndex >= FDevices.size())
        return nullptr;
    return FOrientationBox->currentIndex() == 1 ? &FDevices[LIndex].Landscape : &FDevices[LIndex].Portrait;
}

void TFormDesignView::EditorChanged()
{
    FDocument->StoreProperties();
    FillStructure();
    FCanvas->Invalidate();
    Select(Selected());
}

void TFormDesignView::EditComponent(QObject* AComponent)
{
    const TComponentEditorClass* LClass = TDesignRegistry::Instance().FindComponentEditor(AComponent->metaObject());
    if (!LClass)
        return;
    try {
        LClass->Create(AComponent, &FDocument->Designer())->Edit();
    } catch (const std::exception& E) {
        if (OnError)
            OnError(QString::fromUtf8(E.what()));
    }
    EditorChanged();
}

void TFormDesignView::AddMenuItems(QMenu& AMenu, IMenuItem& AItem)
{
    for (int I = 0; I < AItem.Count(); ++I) {
        IMenuItem& LSub = AItem.Item(I);
        if (LSub.Count() > 0) {
            QMenu* LSubMenu = AMenu.addMenu(LSub.GetCaption());
            LSubMenu->setEnabled(LSub.GetEnabled());
            AddMenuItems(*LSubMenu, LSub);
            continue;
        }
        QAction* LAction = AMenu.addAction(LSub.GetCaption());
        LAction->setEnabled(LSub.GetEnabled());
        LAction->setCheckable(LSub.GetChecked());
        LAction->setChecked(LSub.GetChecked());
        connect(LAction, &QAction::triggered, this, [this, &LSub] {
            try {
                LSub.Click();
            } catch (const std::exception& E) {
                if (OnError)
                    OnError(QString::fromUtf8(E.what()));
            }
            EditorChanged();
        });
    }
}

QMenu* TFormDesignView::VerbMenu() const { return FVerbMenu; }

QMenu* TFormDesignView::ShowVerbMenu(QObject* AComponent, const QPoint& AGlobalPos)
{
    if (FVerbMenu)
        FVerbMenu->deleteLater();
    FVerbMenu = nullptr;
    FMenuItems.clear();
    FMenuEditor.reset();
    const TComponentEditorClass* LClass = TDesignRegistry::Instance().FindComponentEditor(AComponent->metaObject());
    if (!LClass)
        return nullptr;
    try {
        FMenuEditor = LClass->Create(AComponent, &FDocument->Designer());
    } catch (const std::exception& E) {
        if (OnError)
            OnError(QString::fromUtf8(E.what()));
        return nullptr;
    }
    if (FMenuEditor->GetVerbCount() <= 0)
        return nullptr;
    auto* LMenu = new QMenu(this);
    LMenu->setObjectName(QStringLiteral("VerbMenu"));
    for (int I = 0; I < FMenuEditor->GetVerbCount(); ++I) {
        auto LItem = std::make_unique<TVerbMenuItem>(FMenuEditor->GetVerb(I));
        FMenuEditor->PrepareItem(I, *LItem);
        if (LItem->Count() > 0) {
            QMenu* LSubMenu = LMenu->addMenu(LItem->GetCaption());
            LSubMenu->setEnabled(LItem->GetEnabled());
            AddMenuItems(*LSubMenu, *LItem);
        } else {
            QAction* LAction = LMenu->addAction(LItem->GetCaption());
            LAction->setEnabled(LItem->GetEnabled());
            connect(LAction, &QAction::triggered, this, [this, I] {
                try {
                    if (FMenuEditor)
                        FMenuEditor->ExecuteVerb(I);
                } catch (const std::exception& E) {
                    if (OnError)
                        OnError(QString::fromUtf8(E.what()));
                }
                EditorChanged();
            });
        }
        FMenuItems.push_back(std::move(LItem));
    }
    FVerbMenu = LMenu;
    LMenu->popup(AGlobalPos);
    return LMenu;
}

QTreeWidgetItem* TFormDesignView::GroupNode(QObject* AComponent, QTreeWidgetItem* AParentItem,
                                            const QSet<QObject*>& AOnForm,
                                            const QHash<QObject*, std::shared_ptr<TSprig>>& AOldSprigs,
                                            QHash<QObject*, QTreeWidgetItem*>& AItems)
{
    // A group of the parent's that is not a component (its styles, say) may list the component.
    for (QObject* LGroup : AComponent->parent()->children()) {
        if (AOnForm.contains(LGroup))
            continue;
        const TSprigClass* LGroupClass = TDesignRegistry::Instance().FindSprig(LGroup->metaObject());
        if (!LGroupClass)
            continue;
        auto& LSprig = FSprigs[LGroup];
        if (!LSprig)
            LSprig = AOldSprigs.value(LGroup) ? AOldSprigs.value(LGroup)
                                              : std::shared_ptr<TSprig>(LGroupClass->Create(LGroup));
        if (!LSprig->Gathers(AComponent))
            continue;
        QTreeWidgetItem*& LItem = AItems[LGroup];
        if (!LItem) {
            LItem = new QTreeWidgetItem(AParentItem);
            LItem->setText(0, LSprig->Caption());
            // Choosing the group selects the component that owns it.
            LItem->setData(0, Qt::UserRole, QVariant::fromValue(AComponent->parent()));
        }
        return LItem;
    }
    return AParentItem;
}

void TFormDesignView::ShowMethod(const QString& AName)
{
    try {
        FCode->setPlainText(QString::fromUtf8(FDocument->UnitSource()));
    } catch (const std::exception& E) {
        if (OnError)
            OnError(QString::fromUtf8(E.what()));
        return;
    }
    FCode->show();
    // The cursor goes into the handler's body, its first line shown at the top.
    if (const int LLine = FDocument->MethodLine(AName); LLine > 0) {
        const QTextBlock LBlock = FCode->document()->findBlockByNumber(LLine - 1);
        QTextCursor LCursor(LBlock);
        FCode->setTextCursor(LCursor);
        FCode->verticalScrollBar()->setValue(qMax(0, LLine - 4));
        FCode->ensureCursorVisible();
    }
    FStatus->setText(QStringLiteral("%1: %2").arg(QFileInfo(FDocument->UnitFileName()).fileName(), AName));
}

void TFormDesignView::FillStructure()
{
    FFilling = true;
    FStructure->clear();
    // Sprigs of components still on the form stay, so their listeners keep their place.
    QHash<QObject*, std::shared_ptr<TSprig>> LSprigs;
    QHash<QObject*, QTreeWidgetItem*> LItems;
    for (QObject* LComponent : FDocument->Components()) {
        if (const TSprigClass* LSprigClass = TDesignRegistry::Instance().FindSprig(LComponent->metaObject())) {
            auto LSprig = FSprigs.value(LComponent);
            LSprigs.insert(LComponent, LSprig ? LSprig : std::shared_ptr<TSprig>(LSprigClass->Create(LComponent)));
        }
    }
    auto LOldSprigs = std::exchange(FSprigs, std::move(LSprigs));
    const QList<QObject*> LComponents = FDocument->Components();
    const QSet<QObject*> LOnForm(LComponents.begin(), LComponents.end());
    for (QObject* LComponent : FDocument->Components()) {
        QTreeWidgetItem* LParent = LItems.value(LComponent->parent());
        if (LParent)
            LParent = GroupNode(LComponent, LParent, LOnForm, LOldSprigs, LItems);
        auto* LItem = LParent ? new QTreeWidgetItem(LParent) : new QTreeWidgetItem(FStructure);
        LItem->setText(0, NodeCaption(LComponent));
        LItem->setData(0, Qt::UserRole, QVariant::fromValue(LComponent));
        if (ClassIcon)
            LItem->setIcon(0, QIcon(ClassIcon(LComponent->metaObject())));
        LItems.insert(LComponent, LItem);
    }
    FStructure->expandAll();
    // The nodes' texts are shown whole: the structure is at least as wide as they need, up
    // to a limit past which it scrolls.
    FStructure->resizeColumnToContents(0);
    FStructure->setMinimumWidth(std::min(FStructure->columnWidth(0) + 2 * FStructure->frameWidth() + 4, 360));
    FFilling = false;
}

} // namespace ide
