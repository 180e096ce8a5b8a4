#pragma once

#include <QList>
#include <QObject>

namespace core {

// Value objects a component publishes (its size, position, margins, brushes). Each is owned
// by the component that publishes it, which is how forms and the object inspector tell
// them from references to other components.

class TqoSinglePoint : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float X READ GetX WRITE SetX)
    Q_PROPERTY(float Y READ GetY WRITE SetY)
public:
    Q_INVOKABLE explicit TqoSinglePoint(QObject* AOwner = nullptr) : QObject(AOwner) {}
    float GetX() const { return FX; }
    void SetX(float AValue) { FX = AValue; }
    float GetY() const { return FY; }
    void SetY(float AValue) { FY = AValue; }

private:
    float FX = 0;
    float FY = 0;
};

class TqoPosition : public TqoSinglePoint
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoPosition(QObject* AOwner = nullptr) : TqoSinglePoint(AOwner) {}
};

class TqoSize : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float Width READ GetWidth WRITE SetWidth)
    Q_PROPERTY(float Height READ GetHeight WRITE SetHeight)
public:
    Q_INVOKABLE explicit TqoSize(QObject* AOwner = nullptr) : QObject(AOwner) {}
    float GetWidth() const { return FWidth; }
    void SetWidth(float AValue) { FWidth = AValue; }
    float GetHeight() const { return FHeight; }
    void SetHeight(float AValue) { FHeight = AValue; }
    void SetSizeF(float AWidth, float AHeight)
    {
        FWidth = AWidth;
        FHeight = AHeight;
    }

private:
    float FWidth = 0;
    float FHeight = 0;
};

// Six offsets, one per side: 0 left, 1 top, 2 right, 3 bottom, 4 start, 5 end.
class TqoBounds : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float Left READ GetLeft WRITE SetLeft)
    Q_PROPERTY(float Top READ GetTop WRITE SetTop)
    Q_PROPERTY(float Right READ GetRight WRITE SetRight)
    Q_PROPERTY(float Bottom READ GetBottom WRITE SetBottom)
    Q_PROPERTY(float Start READ GetStart WRITE SetStart)
    Q_PROPERTY(float End READ GetEnd WRITE SetEnd)
public:
    Q_INVOKABLE explicit TqoBounds(QObject* AOwner = nullptr) : QObject(AOwner) {}
    float GetValue(int ASide) const { return ASide >= 0 && ASide < 6 ? FValues[ASide] : 0; }
    void SetValue(int ASide, float AValue)
    {
        if (ASide >= 0 && ASide < 6)
            FValues[ASide] = AValue;
    }
    float GetLeft() const { return FValues[0]; }
    void SetLeft(float AValue) { FValues[0] = AValue; }
    float GetTop() const { return FValues[1]; }
    void SetTop(float AValue) { FValues[1] = AValue; }
    float GetRight() const { return FValues[2]; }
    void SetRight(float AValue) { FValues[2] = AValue; }
    float GetBottom() const { return FValues[3]; }
    void SetBottom(float AValue) { FValues[3] = AValue; }
    float GetStart() const { return FValues[4]; }
    void SetStart(float AValue) { FValues[4] = AValue; }
    float GetEnd() const { return FValues[5]; }
    void SetEnd(float AValue) { FValues[5] = AValue; }

private:
    float FValues[6] = {};
};

// Offsets of which only the defined sides apply.
class TqoNullableRectF : public TqoBounds
{
    Q_OBJECT
    Q_PROPERTY(TqoSides DefinedValues READ GetDefinedValues WRITE SetDefinedValues)
public:
    enum TqoSide
    {
        Left = 1,
        Top = 2,
        Right = 4,
        Bottom = 8,
        Start = 16,
        End = 32
    };
    Q_DECLARE_FLAGS(TqoSides, TqoSide)
    Q_FLAG(TqoSides)

    Q_INVOKABLE explicit TqoNullableRectF(QObject* AOwner = nullptr) : TqoBounds(AOwner) {}
    TqoSides GetDefinedValues() const { return FDefined; }
    void SetDefinedValues(TqoSides AValue) { FDefined = AValue; }
    bool IsDefined(int ASide) const { return FDefined.testFlag(TqoSide(1 << ASide)); }
    void SetDefinedValue(int ASide, bool ADefined) { FDefined.setFlag(TqoSide(1 << ASide), ADefined); }

private:
    TqoSides FDefined;
};

// A component's link to an asset by name. While the name is empty the default name applies,
// normally a color or image of the current theme. The kinds tell which assets a link takes.
class TqoAssetLink : public QObject
{
    Q_OBJECT
    // The name lives in the owner's ...Name property; a default chosen at design time is the
    // link's own and is stored with it.
    Q_PROPERTY(QString DefaultName READ GetDefaultName WRITE SetDefaultName)
public:
    Q_INVOKABLE explicit TqoAssetLink(QObject* AOwner = nullptr, const QString& ADefaultName = QString())
        : QObject(AOwner), FDefaultName(ADefaultName)
    {
    }
    QString GetName() const { return FName; }
    void SetName(const QString& AValue) { FName = AValue; }
    QString GetDefaultName() const { return FDefaultName; }
    void SetDefaultName(const QString& AValue) { FDefaultName = AValue; }
    // A theme's asset: "Theme" and "Text\Dividers" give "Theme\Text\Dividers"; two empty
    // parts clear the default.
    void SetDefault(const QString& ATheme, const QString& AName);

private:
    QString FName;
    QString FDefaultName;
};

class TqoAssetColorLink : public TqoAssetLink
{
    Q_OBJECT
public:
    using TqoAssetLink::TqoAssetLink;
};

class TqoAssetLottieAnimationLink : public TqoAssetLink
{
    Q_OBJECT
public:
    using TqoAssetLink::TqoAssetLink;
};

class TqoAssetStyleLink : public TqoAssetLink
{
    Q_OBJECT
public:
    using TqoAssetLink::TqoAssetLink;
};

class TqoGradientPoint : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.Color", "TAlphaColor")
    Q_PROPERTY(uint Color READ GetColor WRITE SetColor)
    Q_PROPERTY(float Offset READ GetOffset WRITE SetOffset)
public:
    Q_INVOKABLE explicit TqoGradientPoint(QObject* AOwner = nullptr) : QObject(AOwner) {}
    uint GetColor() const { return FColor; }
    void SetColor(uint AValue) { FColor = AValue; }
    float GetOffset() const { return FOffset; }
    void SetOffset(float AValue) { FOffset = AValue; }

private:
    uint FColor = 0xFF000000;
    float FOffset = 0;
};

// A collection: its items are its children, in order; forms fill it through Clear and Add.
class TqoGradientPoints : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoGradientPoints(QObject* AOwner = nullptr) : QObject(AOwner) {}
    Q_INVOKABLE QObject* Add() { return new TqoGradientPoint(this); }
    Q_INVOKABLE void Clear() { qDeleteAll(findChildren<TqoGradientPoint*>(Qt::FindDirectChildrenOnly)); }
    QList<TqoGradientPoint*> Items() const { return findChildren<TqoGradientPoint*>(Qt::FindDirectChildrenOnly); }
};

class TqoGradient : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TqoGradientStyle Style READ GetStyle WRITE SetStyle)
    Q_PROPERTY(TqoGradientPoints* Points READ GetPoints)
    Q_PROPERTY(TqoSinglePoint* StartPoint READ GetStartPoint)
    Q_PROPERTY(TqoSinglePoint* StopPoint READ GetStopPoint)
public:
    enum class TqoGradientStyle
    {
        Linear,
        Radial
    };
    Q_ENUM(TqoGradientStyle)

    Q_INVOKABLE explicit TqoGradient(QObject* AOwner = nullptr);
    TqoGradientStyle GetStyle() const { return FStyle; }
    void SetStyle(TqoGradientStyle AValue) { FStyle = AValue; }
    TqoGradientPoints* GetPoints() const { return FPoints; }
    TqoSinglePoint* GetStartPoint() const { return FStartPoint; }
    TqoSinglePoint* GetStopPoint() const { return FStopPoint; }
    // Black to white from top to bottom.
    void ResetToDefault();

private:
    TqoGradientStyle FStyle = TqoGradientStyle::Linear;
    TqoGradientPoints* FPoints;
    TqoSinglePoint* FStartPoint;
    TqoSinglePoint* FStopPoint;
};

class TqoBrush : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.Color", "TAlphaColor")
    Q_CLASSINFO("PropertyType.ColorName", "TqoAssetName")
    Q_PROPERTY(TqoBrushKind Kind READ GetKind WRITE SetKind)
    Q_PROPERTY(uint Color READ GetColor WRITE SetColor)
    Q_PROPERTY(TqoGradient* Gradient READ GetGradient)
    // A color asset, when named, wins over Color.
    Q_PROPERTY(QString ColorName READ GetColorName WRITE SetColorName)
    Q_PROPERTY(TqoAssetColorLink* ColorLink READ GetColorLink)
public:
    enum class TqoBrushKind
    {
        None,
        Solid,
        Gradient
    };
    Q_ENUM(TqoBrushKind)

    Q_INVOKABLE explicit TqoBrush(QObject* AOwner = nullptr)
        : QObject(AOwner), FGradient(new TqoGradient(this)), FColorLink(new TqoAssetColorLink(this))
    {
    }
    TqoBrushKind GetKind() const { return FKind; }
    void SetKind(TqoBrushKind AValue) { FKind = AValue; }
    uint GetColor() const { return FColor; }
    void SetColor(uint AValue) { FColor = AValue; }
    TqoGradient* GetGradient() const { return FGradient; }
    QString GetColorName() const { return FColorLink->GetName(); }
    void SetColorName(const QString& AValue) { FColorLink->SetName(AValue); }
    TqoAssetColorLink* GetColorLink() const { return FColorLink; }

private:
    TqoBrushKind FKind = TqoBrushKind::Solid;
    uint FColor = 0xFFE0E0E0;
    TqoGradient* FGradient;
    TqoAssetColorLink* FColorLink;
};

// The scrolled area of a scroll box: width, then height.
class TqoScrollBoxContentSize : public TqoSize
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit TqoScrollBoxContentSize(QObject* AOwner = nullptr) : TqoSize(AOwner) {}
};

// A length with its unit, as 16 dp or 50 %.
class TqoSingleValue : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float Value READ GetValue WRITE SetValue)
    Q_PROPERTY(TqoUnit Unit READ GetUnit WRITE SetUnit)
public:
    enum class TqoUnit
    {
        Px,
        Dp,
        Percent
    };
    Q_ENUM(TqoUnit)

    Q_INVOKABLE explicit TqoSingleValue(QObject* AOwner = nullptr) : QObject(AOwner) {}
    float GetValue() const { return FValue; }
    void SetValue(float AValue) { FValue = AValue; }
    TqoUnit GetUnit() const { return FUnit; }
    void SetUnit(TqoUnit AValue) { FUnit = AValue; }

private:
    float FValue = 0;
    TqoUnit FUnit = TqoUnit::Px;
};

// How a flex-box container arranges its children: a direction, a wrap mode and three
// alignments. Values are the runtime's ordinals; forms store the identifiers.
class TqoChildrenAlignment : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TqoFlexDirection Direction READ GetDirection WRITE SetDirection)
    Q_PROPERTY(TqoFlexWrap Wrap READ GetWrap WRITE SetWrap)
    Q_PROPERTY(TqoAlignContent AlignContent READ GetAlignContent WRITE SetAlignContent)
    Q_PROPERTY(TqoJustifyContent JustifyContent READ GetJustifyContent WRITE SetJustifyContent)
    Q_PROPERTY(TqoAlignItems AlignItems READ GetAlignItems WRITE SetAlignItems)
public:
    enum class TqoFlexDirection
    {
        Column,
        Row,
        ColumnReverse,
        RowReverse
    };
    Q_ENUM(TqoFlexDirection)
    enum class TqoFlexWrap
    {
        NoWrap,
        Wrap
    };
    Q_ENUM(TqoFlexWrap)
    enum class TqoAlignContent
    {
        Start,
        End,
        Center,
        Stretch,
        SpaceBetween,
        SpaceAround
    };
    Q_ENUM(TqoAlignContent)
    enum class TqoJustifyContent
    {
        Start,
        End,
        Center,
        SpaceBetween,
        SpaceAround,
        SpaceEvenly
    };
    Q_ENUM(TqoJustifyContent)
    enum class TqoAlignItems
    {
        Stretch,
        Start,
        End,
        Center,
        Baseline
    };
    Q_ENUM(TqoAlignItems)

    Q_INVOKABLE explicit TqoChildrenAlignment(QObject* AOwner = nullptr) : QObject(AOwner) {}
    TqoFlexDirection GetDirection() const { return FDirection; }
    void SetDirection(TqoFlexDirection AValue) { FDirection = AValue; }
    TqoFlexWrap GetWrap() const { return FWrap; }
    void SetWrap(TqoFlexWrap AValue) { FWrap = AValue; }
    TqoAlignContent GetAlignContent() const { return FAlignContent; }
    void SetAlignContent(TqoAlignContent AValue) { FAlignContent = AValue; }
    TqoJustifyContent GetJustifyContent() const { return FJustifyContent; }
    void SetJustifyContent(TqoJustifyContent AValue) { FJustifyContent = AValue; }
    TqoAlignItems GetAlignItems() const { return FAlignItems; }
    void SetAlignItems(TqoAlignItems AValue) { FAlignItems = AValue; }

private:
    TqoFlexDirection FDirection = TqoFlexDirection::Column;
    TqoFlexWrap FWrap = TqoFlexWrap::NoWrap;
    TqoAlignContent FAlignContent = TqoAlignContent::Stretch;
    TqoJustifyContent FJustifyContent = TqoJustifyContent::Start;
    TqoAlignItems FAlignItems = TqoAlignItems::Stretch;
};

// A control that lays its children out as a flex box.
class IORVOFlexContainer
{
public:
    virtual ~IORVOFlexContainer() = default;
    virtual TqoChildrenAlignment* GetChildrenAlignment() const = 0;
};

// How a flex-box container treats one of its children.
class TqoFlexItemAlignment : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float FlexGrow READ GetFlexGrow WRITE SetFlexGrow)
    Q_PROPERTY(TqoAlignSelf AlignSelf READ GetAlignSelf WRITE SetAlignSelf)
public:
    // Auto follows the container's AlignItems.
    enum class TqoAlignSelf
    {
        Auto,
        Stretch,
        Start,
        End,
        Center,
        Baseline
    };
    Q_ENUM(TqoAlignSelf)

    Q_INVOKABLE explicit TqoFlexItemAlignment(QObject* AOwner = nullptr) : QObject(AOwner) {}
    float GetFlexGrow() const { return FFlexGrow; }
    void SetFlexGrow(float AValue) { FFlexGrow = AValue; }
    TqoAlignSelf GetAlignSelf() const { return FAlignSelf; }
    void SetAlignSelf(TqoAlignSelf AValue) { FAlignSelf = AValue; }

private:
    float FFlexGrow = 0;
    TqoAlignSelf FAlignSelf = TqoAlignSelf::Auto;
};

// A text font; an empty family is the platform's own.
class TqoFont : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float Size READ GetSize WRITE SetSize)
    Q_PROPERTY(QString Family READ GetFamily WRITE SetFamily)
public:
    Q_INVOKABLE explicit TqoFont(QObject* AOwner = nullptr) : QObject(AOwner) {}
    float GetSize() const { return FSize; }
    void SetSize(float AValue) { FSize = AValue; }
    QString GetFamily() const { return FFamily; }
    void SetFamily(const QString& AValue) { FFamily = AValue; }

private:
    float FSize = 14;
    QString FFamily;
};

// Base of the framework's non-visual components (timers, services, providers).
class TqoComponent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ objectName WRITE setObjectName)
public:
    Q_INVOKABLE explicit TqoComponent(QObject* AOwner = nullptr);
};

// Base of every visual control of the framework; the framework's class group is rooted here.
class TqoControl : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ objectName WRITE setObjectName)
    Q_PROPERTY(TqoAlignment Alignment READ GetAlignment WRITE SetAlignment)
    Q_PROPERTY(TqoPosition* Position READ GetPosition)
    Q_PROPERTY(TqoSize* Size READ GetSize)
    // Kept for code that sets the size directly; forms store Size.
    Q_PROPERTY(double Width READ GetWidth WRITE SetWidth STORED false)
    Q_PROPERTY(double Height READ GetHeight WRITE SetHeight STORED false)
    Q_PROPERTY(TqoBounds* Margins READ GetMargins)
    Q_PROPERTY(TqoNullableRectF* RelativePosition READ GetRelativePosition)
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(TqoPositionMode PositionMode READ GetPositionMode WRITE SetPositionMode)
    Q_PROPERTY(TqoFlexItemAlignment* FlexItem READ GetFlexItem)
    // The part of a collection view item the control shows ("primary", "icon", ...).
    Q_PROPERTY(QString ElementName READ GetElementName WRITE SetElementName)
public:
    enum class TqoAlignment
    {
        None,
        Top,
        Left,
        Right,
        Bottom,
        Client,
        Center,
        Horizontal,
        Vertical
    };
    Q_ENUM(TqoAlignment)
    // Relative: the parent's flex layout places the control; Absolute: its position, or its
    // RelativePosition's defined sides inside a layout.
    enum class TqoPositionMode
    {
        Relative,
        Absolute
    };
    Q_ENUM(TqoPositionMode)

    Q_INVOKABLE explicit TqoControl(QObject* AOwner = nullptr);

    TqoAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TqoAlignment AValue) { FAlignment = AValue; }
    TqoPosition* GetPosition() const { return FPosition; }
    TqoSize* GetSize() const { return FSize; }
    TqoBounds* GetMargins() const { return FMargins; }
    TqoNullableRectF* GetRelativePosition() const { return FRelativePosition; }
    double GetWidth() const { return FSize->GetWidth(); }
    void SetWidth(double AValue) { FSize->SetWidth(float(AValue)); }
    double GetHeight() const { return FSize->GetHeight(); }
    void SetHeight(double AValue) { FSize->SetHeight(float(AValue)); }
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool AValue) { FVisible = AValue; }
    TqoPositionMode GetPositionMode() const { return FPositionMode; }
    void SetPositionMode(TqoPositionMode AValue) { FPositionMode = AValue; }
    TqoFlexItemAlignment* GetFlexItem() const { return FFlexItem; }
    QString GetElementName() const { return FElementName; }
    void SetElementName(const QString& AValue) { FElementName = AValue; }
    // ASide: 0 left, 1 top, 2 right, 3 bottom, 4 start, 5 end.
    void SetMarginValue(int ASide, float AValue) { FMargins->SetValue(ASide, AValue); }

private:
    TqoAlignment FAlignment = TqoAlignment::None;
    TqoPosition* FPosition;
    TqoSize* FSize;
    TqoBounds* FMargins;
    TqoNullableRectF* FRelativePosition;
    bool FVisible = true;
    TqoPositionMode FPositionMode = TqoPositionMode::Absolute;
    TqoFlexItemAlignment* FFlexItem;
    QString FElementName;

    // Events: the name of the form's method bound to each. The form file binds them by
    // identifier, so they are not stored as properties; the event type names make the
    // object inspector edit them as methods.
    Q_CLASSINFO("PropertyType.OnTap", "TqoTapEvent")
    Q_CLASSINFO("PropertyType.OnTouch", "TqoTouchEvent")
    Q_PROPERTY(QString OnTap MEMBER FOnTap STORED false)
    Q_PROPERTY(QString OnTouch MEMBER FOnTouch STORED false)
    QString FOnTap;
    QString FOnTouch;
};

} // namespace core

Q_DECLARE_INTERFACE(core::IORVOFlexContainer, "orvo.IORVOFlexContainer")
