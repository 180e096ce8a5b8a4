#pragma once

// The IDE's form designer window over one open form: the structure view of its components,
// the form drawn as nested framed boxes, and the object inspector, which shows and edits the
// selection only through the registered property editors.

#include "DesignEditors.h"
#include "DesignIntf.h"

#include <QHash>
#include <QPixmap>
#include <QPointF>
#include <QPointer>
#include <QSet>
#include <QSizeF>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QMenu;
class QScrollArea;
class QSplitter;

namespace ide {

class TFormDocument;
class TFormDesignView;

// A device's frame in one orientation, in device-independent units: the frame's size, where
// the screen lies in it and the screen's size, an image of the frame (drawn only when the
// file exists) and the layout grid over the screen (none when it has no columns).
struct TDeviceFrame
{
    QSizeF FrameSize;
    QPointF ScreenPosition;
    QSizeF ScreenSize;
    QString FrameImage;
    int GridColumns = 0;
    int GridGutter = 0;
    int GridModuleHeight = 0;
};

// A device the form can be shown in, as the host knows it from the framework's designer.
struct TDeviceDescription
{
    QString Id;
    QString Caption;
    TDeviceFrame Portrait;
    TDeviceFrame Landscape;
};

// The form drawn as boxes: each control at its position and size inside its parent, with
// its class icon and name; the selection shows handles. A click selects; with a class armed
// from the palette, a click places a new component there.
class TFormCanvas : public QWidget
{
public:
    explicit TFormCanvas(TFormDesignView& AView);

    // Where a component is drawn, in the canvas's coordinates; empty for non-visual ones.
    QRect ComponentRect(QObject* AComponent) const;
    QObject* ComponentAt(const QPoint& APoint) const;
    QSize sizeHint() const override;
    // The form changed: lay it out again before the next paint.
    void Invalidate();
    // With a device chosen: its frame and screen on the canvas, and the grid's column bands
    // over the screen; empty without one.
    QRect FrameRect() const;
    QRect ScreenRect() const;
    QList<QRect> GridColumnRects() const;

protected:
    void paintEvent(QPaintEvent* AEvent) override;
    void mousePressEvent(QMouseEvent* AEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* AEvent) override;

private:
    void PaintComponent(QPainter& APainter, QObject* AComponent, const QPoint& AOrigin) const;
    void PaintDevice(QPainter& APainter) const;
    void PaintGrid(QPainter& APainter) const;
    void Layout() const;

    TFormDesignView& FView;
    mutable QHash<QObject*, QRect> FRects;
    mutable bool FLaidOut = false;
};

// The object inspector: one row per property editor of the selection, sub-properties below
// their value object, the value cell as the editor's attributes ask (a text, a drop-down of
// its values, an ellipsis button for its dialog).
class TObjectInspector : public QTreeWidget, public IPropertyHost
{
public:
    explicit TObjectInspector(TFormDesignView& AView);
    // An editor's drop-down opens under the value cell whose button asked for it; the
    // inspector shows the change once it closes.
    void DropDownControl(QWidget* AControl) override;
    void CloseDropDown() override;
    QWidget* DroppedDown() const { return FDropDown; }
    // Rebuilt from the selection, keeping what was expanded.
    void Refill();
    // The row of a property by its path ("Size.Width"), or null.
    QTreeWidgetItem* Row(const QString& APath) const;
    TPropertyEditor* EditorOf(const QString& APath) const;

private:
    void AddRows(QTreeWidgetItem* AParent, const QString& APrefix, std::unique_ptr<TPropertyEditor> AEditor);
    QWidget* ValueCell(TPropertyEditor& AEditor, const QString& APath);
    void Apply(const QString& APath, const QString& AText);

    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

    TFormDesignView& FView;
    QPointer<QWidget> FDropAnchor;
    QPointer<QWidget> FDropDown;
    std::vector<std::unique_ptr<TPropertyEditor>> FEditors;
    QHash<QString, QTreeWidgetItem*> FRows;
    QHash<QString, TPropertyEditor*> FEditorsByPath;
};

class TFormDesignView : public QWidget
{
public:
    explicit TFormDesignView(std::unique_ptr<TFormDocument> ADocument, QWidget* AParent = nullptr);
    ~TFormDesignView() override;

    TFormDocument& Document() { return *FDocument; }
    TFormCanvas& Canvas() { return *FCanvas; }
    TObjectInspector& Inspector() { return *FInspector; }
    QTreeWidget& Structure() { return *FStructure; }

    void Select(QObject* AComponent);
    QObject* Selected() const;
    // The next click on the form places a component of this class; null disarms.
    void ArmClass(TComponentClass AClass) { FArmed = AClass; }
    TComponentClass ArmedClass() const { return FArmed; }
    QObject* PlaceComponent(TComponentClass AClass, const QPoint& ACanvasPoint);
    // A property changed: the canvas, the structure and the inspector show it.
    void Changed();
    // Writes the form file (and the units its components need into the unit's uses clause).
    void Save();
    // The context menu of the component: the verbs of its component editor, as the editor
    // prepares them, shown at the point; null when the component has no verbs. Choosing one
    // runs it and shows what it changed.
    QMenu* ShowVerbMenu(QObject* AComponent, const QPoint& AGlobalPos);
    QMenu* VerbMenu() const;
    // A double-click: the component editor's Edit (for a control, its most fitting event).
    void EditComponent(QObject* AComponent);
    // As a click on the component's node in the structure: the structure view's listeners
    // hear of it (a page selected there becomes active), then it is selected.
    void NodeSelected(QObject* AComponent);
    // The structure view's text of the component: its sprig's caption.
    QString NodeCaption(QObject* AComponent) const;
    // The devices the device selector offers after "No device"; set by the host, which knows
    // the framework's device skins. The form is shown plainly again.
    void SetDevices(const QList<TDeviceDescription>& ADevices);
    const QList<TDeviceDescription>& Devices() const { return FDevices; }
    // Shows the form inside that device's frame (false when no device has the id); an empty
    // id shows it plainly.
    bool SetDevice(const QString& AId, bool ALandscape = false);
    // The frame the form is shown in, or null.
    const TDeviceFrame* DeviceFrame() const;
    // Errors of the editors and of the save are shown here; the default is a message box.
    std::function<void(const QString&)> OnError;
    // A class's 16 x 16 palette icon, drawn on its boxes and in the structure; set by the host,
    // which knows the packages' resources. Null or an empty pixmap: none.
    std::function<QPixmap(TComponentClass)> ClassIcon;

    // The unit opened under the form at the method's body, as the IDE's code editor shows it.
    void ShowMethod(const QString& AName);
    QPlainTextEdit* UnitCode() const { return FCode; }

private:
    void FillStructure();
    QTreeWidgetItem* GroupNode(QObject* AComponent, QTreeWidgetItem* AParentItem, const QSet<QObject*>& AOnForm,
                               const QHash<QObject*, std::shared_ptr<TSprig>>& AOldSprigs,
                               QHash<QObject*, QTreeWidgetItem*>& AItems);
    // After an editor changed the form: new components join the document, the views follow
    // and the designer's selection is shown.
    void EditorChanged();
    void AddMenuItems(QMenu& AMenu, IMenuItem& AItem);

    std::unique_ptr<TFormDocument> FDocument;
    QSplitter* FSplitter = nullptr;
    QTreeWidget* FStructure = nullptr;
    QScrollArea* FScroll = nullptr;
    TFormCanvas* FCanvas = nullptr;
    TObjectInspector* FInspector = nullptr;
    QLabel* FStatus = nullptr;
    QPlainTextEdit* FCode = nullptr;
    QComboBox* FDeviceBox = nullptr;
    QComboBox* FOrientationBox = nullptr;
    QList<TDeviceDescription> FDevices;
    TComponentClass FArmed = nullptr;
    bool FFilling = false;
    // The editor behind the open context menu and the items it prepared.
    std::unique_ptr<TComponentEditor> FMenuEditor;
    std::vector<std::unique_ptr<TVerbMenuItem>> FMenuItems;
    QPointer<QMenu> FVerbMenu;
    // One per structure node that has a sprig, living as long as the node.
    QHash<QObject*, std::shared_ptr<TSprig>> FSprigs;
};

} // namespace ide
