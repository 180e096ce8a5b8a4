// orvo-ide: a small IDE host. It loads the design-time package as the IDE does, shows the
// palette pages with their icons, the main menu that packages extend and an editor area whose
// tabs hold the packages' editor views, and opens projects.
//
//   orvo-ide [--package FILE] [PROJECT.dproj] [--close] [--check-released] [--screenshot OUT.png]
//            [--menu NAME] [--assets [NAME]] [--open-editor] [--action NAME [--choose PATH]...
//            [--type TEXT]] [--form FILE.xfm [--select NAME] [--edit PROPERTY]] [--lang en|ru]
//
// --close closes the project again through File > Close Project; --check-released then
// says whether the project's asset manager was let go, and exits with 1 when it was not.
// --menu opens a main menu by its name (FileMenu, ProjectMenu...) for the screenshot.
// --assets chooses Project > "Orvo Assets Manager" and shows the asset NAME in it; with
// --screenshot the picture is taken once its views are ready (5 s at most). It exits with 2
// when the project does not open, 3 when the menu item is missing or disabled, 4 when NAME is
// not in the tree and 5 when the picture cannot be written. --lang sets the IDE's language.
// --action runs a command of the Assets Manager (ActionGenerateThemeColors...) once its views
// are ready, and the picture shows the dialog it opens, after --type TEXT was typed into the
// dialog's focused field; every --choose PATH is an answer of the IDE's file and folder
// choosers. It exits with 6 when the command is missing or disabled.
// --form opens a form in the form designer (its structure, the form and the object inspector)
// and --select selects a component of it; 7 when the form does not open or has no such component.
// --verbs then opens the selected component's context menu; 9 when it has no verbs. Each
// --submenu TEXT then opens the sub-menu of that caption in the last menu opened; 10 when none.
// --edit clicks the ellipsis button of a property of the selection ("Fill.Gradient") in the
// object inspector and pictures what its editor opens; 8 when the property has none.
// --device shows the form inside that device class's frame (an id the package registered,
// such as ANDROID_PHONE_NORMAL), upright or with --landscape on its side; 10 when no device
// class has the id.

#include "DesignFormDocument.h"
#include "DesignFormView.h"
#include "DesignIntf.h"
#include "ORVO.Designer.DeviceSkins.h"
#include "ORVO.Designer.IdeEvents.h"
#include "PackageLoader.h"
#include "ToolsAPI.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "ORVO.Translator.h"

namespace {

// The IDE's default palette icon, for classes whose package carries none.
QIcon DefaultComponentIcon()
{
    QPixmap LPixmap(24, 24);
    LPixmap.fill(Qt::transparent);
    QPainter P(&LPixmap);
    P.setRenderHint(QPainter::Antialiasing);
    P.setPen(QPen(QColor("#607D8B"), 1.5));
    P.setBrush(QColor("#ECEFF1"));
    P.drawRoundedRect(QRectF(3.5, 5.5, 17, 13), 2, 2);
    P.setBrush(QColor("#90A4AE"));
    P.setPen(Qt::NoPen);
    P.drawRect(QRectF(6, 8, 5, 3));
    P.drawRect(QRectF(6, 13, 12, 2));
    return QIcon(LPixmap);
}

// A TColor ($00BBGGRR) as Qt's color.
QColor FromTColor(quint32 AColor) { return QColor(AColor & 0xFF, (AColor >> 8) & 0xFF, (AColor >> 16) & 0xFF); }

// Calls back once a signal known only by its name arrives; the package is not linked here.
class TSignalWaiter : public QObject
{
    Q_OBJECT

public:
    TSignalWaiter(QObject* ASender, const char* ASignature, std::function<void()> AOnFired)
        : QObject(ASender), FOnFired(std::move(AOnFired))
    {
        const int LIndex = ASender->metaObject()->indexOfSignal(ASignature);
        if (LIndex >= 0)
            connect(ASender, ASender->metaObject()->method(LIndex), this,
                    metaObject()->method(metaObject()->indexOfSlot("Fire()")));
    }
    bool HasFired() const { return !FOnFired; }

public Q_SLOTS:
    void Fire()
    {
        if (auto LOnFired = std::exchange(FOnFired, nullptr))
            LOnFired();
    }

private:
    std::function<void()> FOnFired;
};

// Batch runs (screenshots, checks) change nothing in the project: every question is answered
// No (or Cancel where there is no No) and written to stderr, and no file is chosen but those
// given on the command line.
class TBatchDialogs final : public ide::IOTADialogServices
{
public:
    explicit TBatchDialogs(QStringList AChosen = {}) : FChosen(std::move(AChosen)) {}

    ide::TModalResult MessageDlg(const QString& AText, ide::TMsgDlgType, ide::TMsgDlgButtons AButtons) override
    {
        const bool LNo = AButtons & ide::mbNo;
        std::fprintf(stderr, "orvo-ide: %s -> %s\n", qUtf8Printable(AText), LNo ? "No" : "Cancel");
        return LNo ? ide::TModalResult::mrNo : ide::TModalResult::mrCancel;
    }
    QStringList ChooseFiles(const ide::TFileDialogOptions&) override { return std::exchange(FChosen, {}); }

private:
    QStringList FChosen;
};

class TMainWindow : public QMainWindow
{
public:
    // In batch mode errors go to stderr: nobody is there to close a message box.
    TMainWindow(const QString& APackageFile, bool ABatch) : FBatch(ABatch)
    {
        setWindowTitle(QStringLiteral("Orvo IDE"));
        resize(980, 560);
        FSplitter = new QSplitter(Qt::Vertical, this);
        FPalette = new QTabWidget(FSplitter);
        FPalette->setDocumentMode(true);
        FEditors = new QTabWidget(FSplitter);
        FEditors->setDocumentMode(true);
        FEditors->setTabsClosable(true);
        FEditors->hide();
        connect(FEditors, &QTabWidget::tabCloseRequested, this, [this](int AIndex) { CloseTab(AIndex); });
        FSplitter->addWidget(FPalette);
        FSplitter->addWidget(FEditors);
        FSplitter->setStretchFactor(0, 0);
        FSplitter->setStretchFactor(1, 1);
        setCentralWidget(FSplitter);
        statusBar()->showMessage(QStringLiteral("No project"));

        auto& LServices = ide::BorlandIDEServices();
        LServices.InstallDefaultServices();
        if (FBatch)
            LServices.RegisterService<ide::IOTADialogServices>(std::make_shared<TBatchDialogs>());
        if (auto LMenu = LServices.Supports<ide::INTAServices>())
            LMenu->SetMenuChangedHandler([this] { RebuildMenu(); });
        if (auto LViews = LServices.Supports<ide::IOTAEditorViewServices>())
            LViews->SetHostHandlers([this](ide::INTACustomEditorView& AView) { AddTab(AView); },
                                    [this](ide::INTACustomEditorView& AView) { RemoveTab(AView); });
        AddHostActions();

        try {
            FPackage = ide::LoadPackage(APackageFile);
            statusBar()->showMessage(QStringLiteral("Loaded %1").arg(FPackage->Description()));
        } catch (const std::exception& E) {
            ShowError(QString::fromUtf8(E.what()));
        }
        RebuildPalette();
        RebuildMenu();
    }

    void ShowError(const QString& AText)
    {
        if (FBatch)
            std::fprintf(stderr, "orvo-ide: %s\n", qUtf8Printable(AText));
        else
            QMessageBox::warning(this, windowTitle(), AText);
    }

    ~TMainWindow() override
    {
        // Forms first: their inspectors hold editors that packages made.
        for (int I = FEditors->count() - 1; I >= 0; --I)
            if (auto* LForm = dynamic_cast<ide::TFormDesignView*>(FEditors->widget(I)))
                delete LForm;
        // The IDE closes its projects before it unloads packages.
        if (auto LModules = ide::BorlandIDEServices().Supports<ide::IOTAModuleServices>())
            for (const auto& LProject : LModules->Projects())
                LModules->CloseProject(LProject);
        // The package goes before the services it registered with.
        if (FPackage)
            FPackage->Unload();
        if (auto LMenu = ide::BorlandIDEServices().Supports<ide::INTAServices>())
            LMenu->SetMenuChangedHandler({});
        if (auto LViews = ide::BorlandIDEServices().Supports<ide::IOTAEditorViewServices>())
            LViews->SetHostHandlers({}, {});
    }

    // The packages hear of it through the module services' notifiers. Null on failure.
    std::shared_ptr<ide::IOTAProject> OpenProject(const QString& AFileName)
    {
        auto LModules = ide::BorlandIDEServices().Supports<ide::IOTAModuleServices>();
        std::shared_ptr<ide::IOTAProject> LProject;
        if (!LModules)
            return LProject;
        try {
            LProject = LModules->OpenProject(AFileName);
            statusBar()->showMessage(QStringLiteral("%1  (type \"%2\")")
                                         .arg(QFileInfo(LProject->FileName()).fileName(), LProject->ProjectType()));
        } catch (const std::exception& E) {
            ShowError(QString::fromUtf8(E.what()));
        }
        RebuildMenu();
        return LProject;
    }

    // The main menu of that name as the menu bar shows it now, or null.
    QMenu* MainMenu(const QString& AName) const
    {
        for (QAction* LAction : menuBar()->actions())
            if (LAction->menu() && LAction->menu()->objectName() == AName)
                return LAction->menu();
        return nullptr;
    }

    // File > Close Project, as the user chooses it.
    bool ClickMenuItem(const QString& AName)
    {
        auto LMenu = ide::BorlandIDEServices().Supports<ide::INTAServices>();
        ide::TMenuItem* LItem = LMenu ? LMenu->MainMenu().Find(AName) : nullptr;
        return LItem && ClickItem(*LItem);
    }

    // Project > "Orvo Assets Manager" as the user chooses it; its frame, or null with AError set.
    QWidget* OpenAssetsManager(QString& AError)
    {
        const QString LCaption = QStringLiteral("Orvo Assets Manager");
        auto LMenu = ide::BorlandIDEServices().Supports<ide::INTAServices>();
        ide::TMenuItem* LProjectMenu = LMenu ? LMenu->MainMenu().Find(QStringLiteral("ProjectMenu")) : nullptr;
        ide::TMenuItem* LItem = nullptr;
        if (LProjectMenu) {
            LMenu->UpdateActions();
            for (const auto& LChild : LProjectMenu->Items)
                if (LChild->DisplayCaption() == LCaption)
                    LItem = LChild.get();
        }
        if (!LItem) {
            AError = QStringLiteral("the Project menu has no item \"%1\"").arg(LCaption);
            return nullptr;
        }
        if (!LItem->IsVisible() || !LItem->IsEnabled()) {
            const auto LProject = ide::GetActiveProject();
            AError = QStringLiteral("\"%1\" is disabled for this project (type \"%2\")")
                         .arg(LCaption, LProject ? LProject->ProjectType() : QString());
            return nullptr;
        }
        if (!ClickItem(*LItem)) {
            AError = QStringLiteral("\"%1\" did not open").arg(LCaption);
            return nullptr;
        }
        const auto LViews = ide::BorlandIDEServices().Supports<ide::IOTAEditorViewServices>();
        QWidget* LFrame = LViews && LViews->ActiveView() ? LViews->FrameOf(*LViews->ActiveView()) : nullptr;
        if (!LFrame)
            AError = QStringLiteral("\"%1\" opened no view").arg(LCaption);
        return LFrame;
    }

    // The form in a designer tab; null (the error shown) when it does not open.
    ide::TFormDesignView* OpenForm(const QString& AFileName)
    {
        std::unique_ptr<ide::TFormDocument> LDocument;
        try {
            LDocument = ide::TFormDocument::Open(QFileInfo(AFileName).absoluteFilePath());
        } catch (const std::exception& E) {
            ShowError(QString::fromUtf8(E.what()));
            return nullptr;
        }
        for (const auto& LProblem : LDocument->Problems())
            ShowError(QStringLiteral("%1, line %2: %3").arg(AFileName).arg(LProblem.Line).arg(LProblem.Text));
        auto* LView = new ide::TFormDesignView(std::move(LDocument), FEditors);
        LView->OnError = [this](const QString& AText) { ShowError(AText); };
        LView->ClassIcon = [this](ide::TComponentClass AClass) { return ClassIcon(AClass); };
        LView->SetDevices(DeviceDescriptions());
        LView->Changed(); // the structure again, with the icons
        const int LIndex = FEditors->addTab(LView, QFileInfo(AFileName).fileName());
        FEditors->setTabToolTip(LIndex, QFileInfo(AFileName).absoluteFilePath());
        FEditors->setCurrentIndex(LIndex);
        ShowEditorArea(true);
        return LView;
    }

    // The device classes the packages registered with the framework's designer, as the form
    // designer shows them. A frame image is the first (unscaled) one, "$(ORVO)" in its name
    // being the IDE's environment variable of that name.
    static QList<ide::TDeviceDescription> DeviceDescriptions()
    {
        QList<ide::TDeviceDescription> LDevices;
        const auto& LGrids = dsgn::TqoModularGridManager::Instance();
        const QString LOrvo = qEnvironmentVariable("ORVO");
        for (const auto& LSkin : dsgn::TqoDeviceSkinManager::Instance().Skins()) {
            ide::TDeviceDescription LDevice{LSkin->Id(), LSkin->Caption(), {}, {}};
            for (const auto LOrientation :
                 {dsgn::TqoScreenOrientation::Portrait, dsgn::TqoScreenOrientation::Landscape}) {
                const dsgn::TqoDeviceSkinLayout& LLayout = LSkin->Layout(LOrientation);
                ide::TDeviceFrame& LFrame =
                    LOrientation == dsgn::TqoScreenOrientation::Portrait ? LDevice.Portrait : LDevice.Landscape;
                LFrame.FrameSize = LLayout.FrameSize();
                LFrame.ScreenPosition = LLayout.ScreenPosition();
                LFrame.ScreenSize = LLayout.ScreenSize();
                if (!LLayout.Images().isEmpty() && !LOrvo.isEmpty())
                    LFrame.FrameImage = QString(LLayout.Images().first().FileName)
                                            .replace(QStringLiteral("$(ORVO)"), LOrvo)
                                            .replace(QLatin1Char('\\'), QLatin1Char('/'));
                if (const dsgn::TModularGridInfo* LGrid = LGrids.GridFor(LSkin->Id(), LOrientation)) {
                    LFrame.GridColumns = LGrid->Columns;
                    LFrame.GridGutter = LGrid->Gutter;
                    LFrame.GridModuleHeight = LGrid->ModuleHeight;
                }
            }
            LDevices.append(LDevice);
        }
        return LDevices;
    }

    // A class's small palette icon from the resources of the package that registered it.
    QPixmap ClassIcon(ide::TComponentClass AClass) const
    {
        QPixmap LPixmap;
        if (FPackage)
            LPixmap.loadFromData(FPackage->FindResource(ide::ClassName(AClass).toUpper() + "16_PNG"), "PNG");
        return LPixmap;
    }

    ide::TFormDesignView* CurrentForm() const { return dynamic_cast<ide::TFormDesignView*>(FEditors->currentWidget()); }

private:
    void AddHostActions()
    {
        auto LMenu = ide::BorlandIDEServices().Supports<ide::INTAServices>();
        if (!LMenu)
            return;
        auto* LFile = LMenu->MainMenu().Find(QStringLiteral("FileMenu"));
        if (!LFile)
            return;
        auto LOpen = std::make_shared<ide::TAction>();
        LOpen->Caption = QStringLiteral("Open Project...");
        LOpen->OnExecute = [this] {
            const QString LName = QFileDialog::getOpenFileName(this, QStringLiteral("Open Project"), QString(),
                                                               QStringLiteral("Projects (*.dproj)"));
            if (!LName.isEmpty())
                OpenProject(LName);
        };
        auto LItem = std::make_shared<ide::TMenuItem>();
        LItem->Name = QStringLiteral("FileOpenProjectItem");
        LItem->Action = LOpen;
        LFile->Insert(0, LItem);

        auto LClose = std::make_shared<ide::TAction>();
        LClose->Caption = QStringLiteral("Close Project");
        LClose->OnUpdate = [](ide::TAction& AAction) { AAction.Enabled = ide::GetActiveProject() != nullptr; };
        LClose->OnExecute = [this] {
            if (auto LModules = ide::BorlandIDEServices().Supports<ide::IOTAModuleServices>())
                LModules->CloseProject(LModules->GetActiveProject());
            const auto LActive = ide::GetActiveProject();
            statusBar()->showMessage(LActive ? QFileInfo(LActive->FileName()).fileName()
                                             : QStringLiteral("No project"));
            RebuildMenu();
        };
        auto LCloseItem = std::make_shared<ide::TMenuItem>();
        LCloseItem->Name = QStringLiteral("FileCloseProjectItem");
        LCloseItem->Action = LClose;
        LFile->Insert(1, LCloseItem);

        auto LOpenForm = std::make_shared<ide::TAction>();
        LOpenForm->Caption = QStringLiteral("Open Form...");
        LOpenForm->OnExecute = [this] {
            const QString LName = QFileDialog::getOpenFileName(this, QStringLiteral("Open Form"), QString(),
                                                               QStringLiteral("Forms (*.xfm *.fmx *.dfm)"));
            if (!LName.isEmpty())
                OpenForm(LName);
        };
        auto LOpenFormItem = std::make_shared<ide::TMenuItem>();
        LOpenFormItem->Name = QStringLiteral("FileOpenFormItem");
        LOpenFormItem->Action = LOpenForm;
        LFile->Insert(2, LOpenFormItem);

        auto LSave = std::make_shared<ide::TAction>();
        LSave->Caption = QStringLiteral("Save Form");
        LSave->OnUpdate = [this](ide::TAction& AAction) { AAction.Enabled = CurrentForm() != nullptr; };
        LSave->OnExecute = [this] {
            if (auto* LForm = CurrentForm())
                LForm->Save();
        };
        auto LSaveItem = std::make_shared<ide::TMenuItem>();
        LSaveItem->Name = QStringLiteral("FileSaveFormItem");
        LSaveItem->Action = LSave;
        LFile->Insert(3, LSaveItem);
    }

    void RebuildPalette()
    {
        FPalette->clear();
        const auto& R = ide::TDesignRegistry::Instance();
        const QIcon LDefault = DefaultComponentIcon();
        for (const auto& LPage : R.Pages()) {
            auto* LList = new QListWidget(FPalette);
            LList->setViewMode(QListView::IconMode);
            LList->setIconSize(QSize(32, 32));
            LList->setGridSize(QSize(160, 64));
            LList->setMovement(QListView::Static);
            LList->setResizeMode(QListView::Adjust);
            LList->setWordWrap(true);
            for (auto LClass : R.PageClasses(LPage)) {
                const QString LName = ide::ClassName(LClass);
                QIcon LIcon;
                for (const auto& LSuffix :
                     {QString(), QStringLiteral("16"), QStringLiteral("32"), QStringLiteral("128")}) {
                    QPixmap LPixmap;
                    if (FPackage &&
                        LPixmap.loadFromData(FPackage->FindResource(LName.toUpper() + LSuffix + "_PNG"), "PNG"))
                        LIcon.addPixmap(LPixmap);
                }
                auto* LItem = new QListWidgetItem(LIcon.isNull() ? LDefault : LIcon, LName, LList);
                LItem->setToolTip(LName);
            }
            // A class chosen here is placed by the next click on the open form.
            connect(LList, &QListWidget::itemClicked, this, [this](QListWidgetItem* AItem) {
                if (auto* LForm = CurrentForm())
                    LForm->ArmClass(ide::TDesignRegistry::Instance().FindClass(AItem->text()));
            });
            FPalette->addTab(LList, LPage);
        }
        if (R.Pages().isEmpty())
            FPalette->addTab(new QLabel(QStringLiteral("  No components registered."), FPalette),
                             QStringLiteral("Palette"));
    }

    void AddMenuItems(QMenu* AMenu, ide::TMenuItem& AItem)
    {
        for (const auto& LChild : AItem.Items) {
            if (!LChild->IsVisible())
                continue;
            if (!LChild->Items.empty()) {
                AddMenuItems(AMenu->addMenu(LChild->DisplayCaption()), *LChild);
                continue;
            }
            if (LChild->DisplayCaption() == QStringLiteral("-")) {
                AMenu->addSeparator();
                continue;
            }
            QAction* LAction = AMenu->addAction(LChild->DisplayCaption());
            LAction->setObjectName(LChild->Name);
            LAction->setEnabled(LChild->IsEnabled());
            std::weak_ptr<ide::TMenuItem> LWeak = LChild;
            connect(LAction, &QAction::triggered, this, [this, LWeak] {
                if (auto LItem = LWeak.lock())
                    ClickItem(*LItem);
            });
        }
    }

    void RebuildMenu()
    {
        auto LMenu = ide::BorlandIDEServices().Supports<ide::INTAServices>();
        // clear() drops only the actions; the menus themselves would pile up under the bar. Later,
        // since a menu item's own click may be what rebuilds the menu.
        for (QMenu* LOld : menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly))
            LOld->deleteLater();
        menuBar()->clear();
        if (!LMenu)
            return;
        LMenu->UpdateActions();
        for (const auto& LTop : LMenu->MainMenu().Items) {
            QMenu* LQMenu = menuBar()->addMenu(LTop->DisplayCaption());
            LQMenu->setObjectName(LTop->Name);
            AddMenuItems(LQMenu, *LTop);
        }
    }

    // What a package's action throws is shown, not left to unwind through Qt's event loop.
    bool ClickItem(ide::TMenuItem& AItem)
    {
        bool LDone = false;
        try {
            LDone = AItem.Click();
        } catch (const std::exception& E) {
            ShowError(QString::fromUtf8(E.what()));
        }
        // An action may have shown a view again: its tab comes forward.
        const auto LViews = ide::BorlandIDEServices().Supports<ide::IOTAEditorViewServices>();
        if (LViews && LViews->ActiveView())
            if (QWidget* LFrame = LViews->FrameOf(*LViews->ActiveView()); LFrame && FEditors->indexOf(LFrame) >= 0)
                FEditors->setCurrentWidget(LFrame);
        return LDone;
    }

    QIcon TabIcon(ide::INTACustomEditorView& AView) const
    {
        const auto LImages = ide::BorlandIDEServices().Supports<ide::INTAEditorViewServices>();
        const int LIndex = AView.GetImageIndex();
        if (LImages && LIndex >= 0 && LIndex < LImages->Images().size())
            return QIcon(LImages->Images().at(LIndex));
        const quint32 LColor = AView.GetTabColor();
        if (LColor == ide::clNone)
            return {};
        QPixmap LMark(12, 12);
        LMark.fill(Qt::transparent);
        QPainter P(&LMark);
        P.setRenderHint(QPainter::Antialiasing);
        P.setPen(Qt::NoPen);
        P.setBrush(FromTColor(LColor));
        P.drawRoundedRect(QRectF(1, 1, 10, 10), 2, 2);
        return QIcon(LMark);
    }

    void AddTab(ide::INTACustomEditorView& AView)
    {
        const auto LViews = ide::BorlandIDEServices().Supports<ide::IOTAEditorViewServices>();
        QWidget* LFrame = LViews ? LViews->FrameOf(AView) : nullptr;
        if (!LFrame)
            return;
        const int LIndex = FEditors->addTab(LFrame, TabIcon(AView), AView.GetCaption());
        FEditors->setTabToolTip(LIndex, AView.GetTabHintText());
        FEditors->setCurrentIndex(LIndex);
        ShowEditorArea(true);
    }

    // The palette keeps three rows of icons while views are open, and the whole window otherwise.
    void ShowEditorArea(bool AShow)
    {
        if (FEditors->isVisibleTo(this) == AShow)
            return;
        FEditors->setVisible(AShow);
        // Once laid out: before the window is shown the splitter has no height of its own yet.
        QTimer::singleShot(0, this, [this] {
            const int LHeight = FSplitter->height();
            const int LPalette = FEditors->isVisibleTo(this) ? std::min(240, LHeight / 2) : LHeight;
            FSplitter->setSizes({LPalette, LHeight - LPalette});
        });
    }

    void RemoveTab(ide::INTACustomEditorView& AView)
    {
        const auto LViews = ide::BorlandIDEServices().Supports<ide::IOTAEditorViewServices>();
        if (QWidget* LFrame = LViews ? LViews->FrameOf(AView) : nullptr; LFrame && FEditors->indexOf(LFrame) >= 0)
            FEditors->removeTab(FEditors->indexOf(LFrame));
        ShowEditorArea(FEditors->count() > 0);
    }

    // The view decides: a tab whose view refuses to close stays.
    void CloseTab(int AIndex)
    {
        if (auto* LForm = dynamic_cast<ide::TFormDesignView*>(FEditors->widget(AIndex))) {
            if (LForm->Document().IsModified()) {
                const auto LAnswer = ide::MessageDlg(
                    QStringLiteral("Save changes to %1?").arg(QFileInfo(LForm->Document().FileName()).fileName()),
                    ide::TMsgDlgType::mtConfirmation, ide::mbYes | ide::mbNo | ide::mbCancel);
                if (LAnswer == ide::TModalResult::mrCancel)
                    return;
                if (LAnswer == ide::TModalResult::mrYes)
                    LForm->Save();
            }
            FEditors->removeTab(AIndex);
            delete LForm;
            ShowEditorArea(FEditors->count() > 0);
            return;
        }
        const auto LViews = ide::BorlandIDEServices().Supports<ide::IOTAEditorViewServices>();
        if (!LViews)
            return;
        for (const auto& LView : LViews->OpenViews()) {
            if (LViews->FrameOf(*LView) != FEditors->widget(AIndex))
                continue;
            try {
                LViews->CloseEditorView(LView);
            } catch (const std::exception& E) {
                ShowError(QString::fromUtf8(E.what()));
            }
            return;
        }
    }

    bool FBatch = false;
    QTabWidget* FPalette = nullptr;
    QTabWidget* FEditors = nullptr;
    QSplitter* FSplitter = nullptr;
    std::unique_ptr<ide::TLoadedPackage> FPackage;
};

// "--assets" takes an optional asset name: the next argument unless it is another option or
// the project. Returns whether it was given; the arguments lose it.
bool TakeAssetsOption(QStringList& AArgs, QString& AName)
{
    for (int I = 1; I < AArgs.size(); ++I) {
        if (AArgs[I].startsWith(QStringLiteral("--assets="))) {
            AName = AArgs[I].mid(9);
            AArgs.removeAt(I);
            return true;
        }
        if (AArgs[I] != QStringLiteral("--assets"))
            continue;
        AArgs.removeAt(I);
        if (I < AArgs.size() && !AArgs[I].startsWith(QLatin1Char('-')) &&
            !AArgs[I].endsWith(QStringLiteral(".dproj"), Qt::CaseInsensitive))
            AName = AArgs.takeAt(I);
        return true;
    }
    return false;
}

// Takes the picture of the window (with the open menu, if any) and leaves the event loop.
void SaveScreenshotAndQuit(TMainWindow& AWindow, const QString& AFile, QMenu* AOpenMenu)
{
    // A popup is a window of its own: it is drawn onto the picture where it stands.
    QPixmap LShot = AWindow.grab();
    QPainter LPainter(&LShot);
    if (AOpenMenu && AOpenMenu->isVisible()) {
        const QRect LTitle = AWindow.menuBar()->actionGeometry(AOpenMenu->menuAction());
        LPainter.drawPixmap(AWindow.menuBar()->mapTo(&AWindow, LTitle.bottomLeft()), AOpenMenu->grab());
    }
    // Other popups (an editor's picker) and open dialogs where they stand over the window.
    for (QWidget* LPopup : QApplication::topLevelWidgets()) {
        if (LPopup == AOpenMenu || !LPopup->isVisible() ||
            (LPopup->windowType() != Qt::Popup && LPopup->windowType() != Qt::Dialog))
            continue;
        const QPoint LAt = AWindow.mapFromGlobal(LPopup->pos());
        if (LPopup->windowType() == Qt::Dialog) {
            // The offscreen screen has no window manager: the dialog's frame and caption are drawn
            // here, as a plain title bar above it.
            const int LHeight = LPopup->fontMetrics().height() + 10;
            const QRect LBar(LAt.x() - 1, LAt.y() - LHeight, LPopup->width() + 2, LHeight);
            LPainter.fillRect(LBar, LPopup->palette().color(QPalette::Dark));
            LPainter.setPen(LPopup->palette().color(QPalette::BrightText));
            LPainter.setFont(LPopup->font());
            LPainter.drawText(LBar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, LPopup->windowTitle());
            LPainter.setPen(LPopup->palette().color(QPalette::Dark));
            LPainter.drawRect(QRect(LAt, LPopup->size()).adjusted(-1, -1, 0, 0));
        }
        LPainter.drawPixmap(LAt, LPopup->grab());
    }
    LPainter.end();
    if (LShot.save(AFile, "PNG")) {
        QApplication::exit(0);
        return;
    }
    std::fprintf(stderr, "orvo-ide: cannot write %s\n", qUtf8Printable(AFile));
    QApplication::exit(5);
}

// Opens AMenu's sub-menu captioned with the first of ATexts, then the next one in it, each
// once the one before shows; ADone runs after the last.
void OpenSubmenus(QMenu* AMenu, QStringList ATexts, const std::function<void()>& ADone)
{
    if (ATexts.isEmpty()) {
        ADone();
        return;
    }
    const QString LText = ATexts.takeFirst();
    for (QAction* LAction : AMenu->actions())
        if (LAction->menu() && LAction->text() == LText) {
            AMenu->setActiveAction(LAction);
            QTimer::singleShot(100, LAction->menu(),
                               [LSub = LAction->menu(), ATexts, ADone] { OpenSubmenus(LSub, ATexts, ADone); });
            return;
        }
    std::fprintf(stderr, "orvo-ide: the menu has no sub-menu \"%s\"\n", qUtf8Printable(LText));
    QApplication::exit(10);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    App.setApplicationName(QStringLiteral("orvo-ide"));
    QStringList LArgs = App.arguments();
    QString LAssetName;
    const bool LAssets = TakeAssetsOption(LArgs, LAssetName);

    QCommandLineParser LParser;
    LParser.setApplicationDescription(QStringLiteral("Hosts the Orvo design-time package."));
    LParser.addHelpOption();
    QCommandLineOption LPackageOption(QStringLiteral("package"), QStringLiteral("The package to load."),
                                      QStringLiteral("FILE"),
                                      App.applicationDirPath() + QStringLiteral("/bplOrvoNative.Designtime370.so"));
    QCommandLineOption LScreenshotOption(
        QStringLiteral("screenshot"), QStringLiteral("Save a picture of the window and quit."), QStringLiteral("PNG"));
    QCommandLineOption LCloseOption(QStringLiteral("close"),
                                    QStringLiteral("Close the project again through File > Close Project."));
    QCommandLineOption LCheckOption(QStringLiteral("check-released"),
                                    QStringLiteral("Exit with 1 unless the project's asset manager was released."));
    QCommandLineOption LMenuOption(
        QStringLiteral("menu"), QStringLiteral("Open a main menu (by its name, such as FileMenu) in the screenshot."),
        QStringLiteral("NAME"));
    // Stated for --help only: TakeAssetsOption has read it already.
    QCommandLineOption LAssetsOption(QStringLiteral("assets"),
                                     QStringLiteral("Open the Assets Manager, showing the asset NAME when one "
                                                    "follows (--assets [NAME])."));
    QCommandLineOption LOpenEditorOption(
        QStringLiteral("open-editor"),
        QStringLiteral(
            "With --assets: click the first variant's preview, which opens its editor, for the screenshot."));
    QCommandLineOption LActionOption(
        QStringLiteral("action"),
        QStringLiteral("With --assets: run an Assets Manager command (by its action's name) for the screenshot."),
        QStringLiteral("NAME"));
    QCommandLineOption LChooseOption(QStringLiteral("choose"),
                                     QStringLiteral("An answer of the file and folder choosers (repeatable)."),
                                     QStringLiteral("PATH"));
    QCommandLineOption LTypeOption(QStringLiteral("type"),
                                   QStringLiteral("With --action: text typed into the dialog it opens."),
                                   QStringLiteral("TEXT"));
    QCommandLineOption LFormOption(QStringLiteral("form"), QStringLiteral("Open a form in the form designer."),
                                   QStringLiteral("FILE"));
    QCommandLineOption LSelectOption(QStringLiteral("select"),
                                     QStringLiteral("With --form: select a component of the form by its name."),
                                     QStringLiteral("NAME"));
    QCommandLineOption LVerbsOption(
        QStringLiteral("verbs"),
        QStringLiteral("With --form and --select: open the component's context menu (its editor's verbs) for the "
                       "screenshot."));
    QCommandLineOption LEditOption(
        QStringLiteral("edit"),
        QStringLiteral("With --form: click a property's ellipsis button in the object inspector for the screenshot."),
        QStringLiteral("PROPERTY"));
    QCommandLineOption LDeviceOption(
        QStringLiteral("device"),
        QStringLiteral("With --form: show the form inside a device class's frame (ANDROID_PHONE_NORMAL...)."),
        QStringLiteral("ID"));
    QCommandLineOption LLandscapeOption(QStringLiteral("landscape"),
                                        QStringLiteral("With --device: the device on its side."));
    QCommandLineOption LLangOption(QStringLiteral("lang"), QStringLiteral("The IDE's language: en or ru."),
                                   QStringLiteral("LANG"), QStringLiteral("en"));
    for (const auto* LOption :
         {&LPackageOption, &LScreenshotOption, &LCloseOption, &LCheckOption, &LMenuOption, &LAssetsOption,
          &LOpenEditorOption, &LActionOption, &LChooseOption, &LTypeOption, &LFormOption, &LSelectOption, &LVerbsOption,
          &LEditOption, &LDeviceOption, &LLandscapeOption, &LLangOption})
        LParser.addOption(*LOption);
    QCommandLineOption LSubmenuOption(
        QStringLiteral("submenu"),
        QStringLiteral("With --verbs: open the context menu's sub-menu of that caption; repeat for the next level."),
        QStringLiteral("TEXT"));
    LParser.addOption(LSubmenuOption);
    LParser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("A .dproj to open."));
    LParser.process(LArgs);

    const QString LLanguage = LParser.value(LLangOption);
    if (LLanguage != QStringLiteral("en") && LLanguage != QStringLiteral("ru")) {
        std::fprintf(stderr, "orvo-ide: unknown language \"%s\" (en or ru)\n", qUtf8Printable(LLanguage));
        return 2;
    }
    // The dialogs' "default" tables are the Russian ones.
    core::TqoTranslator::SetCurrentLanguage(LLanguage == QStringLiteral("ru") ? core::TqoTranslator::DefaultLanguage
                                                                              : core::TqoTranslator::EnglishLanguage);
    const bool LBatch = LParser.isSet(LScreenshotOption) || LParser.isSet(LCheckOption);

    int LResult = 0;
    bool LKept = false;
    std::weak_ptr<core::TqoAssetsManager> LManager;
    {
        TMainWindow LWindow(LParser.value(LPackageOption), LBatch);
        if (LBatch && LParser.isSet(LChooseOption)) {
            QStringList LChosen;
            for (const QString& LPath : LParser.values(LChooseOption))
                LChosen << QFileInfo(LPath).absoluteFilePath();
            ide::BorlandIDEServices().RegisterService<ide::IOTADialogServices>(
                std::make_shared<TBatchDialogs>(LChosen));
        }
        if (auto LIde = ide::BorlandIDEServices().Supports<ide::IOTAServices>())
            LIde->SetLanguage(LLanguage);
        std::shared_ptr<ide::IOTAProject> LProject;
        if (!LParser.positionalArguments().isEmpty())
            LProject = LWindow.OpenProject(LParser.positionalArguments().first());
        if (LProject)
            LManager = dsgn::TqoIdeEventsListener::Instance().GetAssetsManager(LProject->ProjectGUID());
        LKept = !LManager.expired();
        // Gone again when the project closes before the picture (--close).
        QPointer<QWidget> LAssetsFrame;
        if (LAssets) {
            if (!LProject) {
                std::fprintf(stderr, "orvo-ide: --assets needs a project that opens\n");
                return 2;
            }
            LWindow.resize(1280, 800);
            QString LError;
            LAssetsFrame = LWindow.OpenAssetsManager(LError);
            if (!LAssetsFrame) {
                std::fprintf(stderr, "orvo-ide: %s\n", qUtf8Printable(LError));
                return 3;
            }
            QString LLoadError;
            QMetaObject::invokeMethod(LAssetsFrame, "LoadErrorText", Q_RETURN_ARG(QString, LLoadError));
            if (!LLoadError.isEmpty())
                std::fprintf(stderr, "orvo-ide: %s\n", qUtf8Printable(LLoadError));
            if (!LAssetName.isEmpty()) {
                bool LContains = false;
                QMetaObject::invokeMethod(LAssetsFrame, "ContainsName", Q_RETURN_ARG(bool, LContains),
                                          Q_ARG(QString, LAssetName));
                if (!LContains) {
                    std::fprintf(stderr, "orvo-ide: \"%s\" is not in the Assets Manager's tree\n",
                                 qUtf8Printable(LAssetName));
                    return 4;
                }
                QMetaObject::invokeMethod(LAssetsFrame, "SetInitialAssetName", Q_ARG(QString, LAssetName));
            }
        }
        if (LParser.isSet(LFormOption)) {
            LWindow.resize(1280, 800);
            ide::TFormDesignView* LForm = LWindow.OpenForm(LParser.value(LFormOption));
            if (!LForm)
                return 7;
            if (LParser.isSet(LSelectOption)) {
                QObject* LComponent = LForm->Document().FindComponent(LParser.value(LSelectOption));
                if (!LComponent) {
                    std::fprintf(stderr, "orvo-ide: the form has no component \"%s\"\n",
                                 qUtf8Printable(LParser.value(LSelectOption)));
                    return 7;
                }
                LForm->NodeSelected(LComponent);
            }
            if (LParser.isSet(LDeviceOption)) {
                if (!LForm->SetDevice(LParser.value(LDeviceOption), LParser.isSet(LLandscapeOption))) {
                    std::fprintf(stderr, "orvo-ide: no device class has the id \"%s\"\n",
                                 qUtf8Printable(LParser.value(LDeviceOption)));
                    return 10;
                }
                // The whole frame in the picture.
                LWindow.resize(1280, 1200);
            }
        }
        if (LParser.isSet(LCloseOption))
            LWindow.ClickMenuItem(QStringLiteral("FileCloseProjectItem"));
        if (LParser.isSet(LCheckOption)) {
            // Checked before the window goes: leaving closes every project anyway.
            LResult = LKept && LManager.expired() ? 0 : 1;
        } else {
            LWindow.show();
            if (LParser.isSet(LScreenshotOption)) {
                const QString LFile = LParser.value(LScreenshotOption);
                QMenu* LOpenMenu = LWindow.MainMenu(LParser.value(LMenuOption));
                if (LOpenMenu)
                    QTimer::singleShot(100, &LWindow, [&LWindow, LOpenMenu] {
                        LWindow.menuBar()->setActiveAction(LOpenMenu->menuAction());
                    });
                std::function<void()> LTakePicture = [&LWindow, LFile, LOpenMenu] {
                    // One more turn, for the layout of what just became ready.
                    QTimer::singleShot(50, &LWindow, [&LWindow, LFile, LOpenMenu] {
                        SaveScreenshotAndQuit(LWindow, LFile, LOpenMenu);
                    });
                };
                if (LAssetsFrame && LParser.isSet(LOpenEditorOption))
                    LTakePicture = [&LWindow, LAssetsFrame, LTakePicture] {
                        // As the user clicks it: the first tile's preview opens the variant's editor,
                        // once the window's layout has settled so the popup opens where the tile is.
                        QTimer::singleShot(150, &LWindow, [LAssetsFrame, LTakePicture] {
                            if (QWidget* LPreview = LAssetsFrame
                                                        ? LAssetsFrame->findChild<QWidget*>(QStringLiteral("pbPreview"))
                                                        : nullptr) {
                                const QPointF LAt = QRectF(LPreview->rect()).center();
                                QMouseEvent LPress(QEvent::MouseButtonPress, LAt, LPreview->mapToGlobal(LAt),
                                                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
                                QMouseEvent LRelease(QEvent::MouseButtonRelease, LAt, LPreview->mapToGlobal(LAt),
                                                     Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
                                QCoreApplication::sendEvent(LPreview, &LPress);
                                QCoreApplication::sendEvent(LPreview, &LRelease);
                            }
                            LTakePicture();
                        });
                    };
                if (LAssetsFrame && LParser.isSet(LActionOption))
                    LTakePicture = [&LWindow, LAssetsFrame, LTakePicture, LName = LParser.value(LActionOption),
                                    LText = LParser.value(LTypeOption)] {
                        QTimer::singleShot(150, &LWindow, [LAssetsFrame, LTakePicture, LName, LText] {
                            QAction* LAction = LAssetsFrame ? LAssetsFrame->findChild<QAction*>(LName) : nullptr;
                            if (!LAction || !LAction->isEnabled()) {
                                std::fprintf(stderr, "orvo-ide: the Assets Manager has no enabled command \"%s\"\n",
                                             qUtf8Printable(LName));
                                QApplication::exit(6);
                                return;
                            }
                            // Runs inside the dialog's own loop once it shows; leaving the
                            // application ends that loop as a Cancel would.
                            QTimer::singleShot(300, [LTakePicture, LText] {
                                if (QWidget* LField = QApplication::focusWidget(); LField && !LText.isEmpty()) {
                                    QKeyEvent LKey(QEvent::KeyPress, 0, Qt::NoModifier, LText);
                                    QCoreApplication::sendEvent(LField, &LKey);
                                }
                                // Time for a search's delay and the previews it lists.
                                QTimer::singleShot(LText.isEmpty() ? 0 : 900, LTakePicture);
                            });
                            LAction->trigger();
                        });
                    };
                if (ide::TFormDesignView* LForm = LWindow.CurrentForm(); LForm && LParser.isSet(LEditOption))
                    LTakePicture = [&LWindow, LForm, LTakePicture, LPath = LParser.value(LEditOption)] {
                        QTimer::singleShot(150, &LWindow, [LForm, LTakePicture, LPath] {
                            auto* LButton =
                                LForm->Inspector().findChild<QAbstractButton*>(QStringLiteral("Edit.") + LPath);
                            if (QTreeWidgetItem* LRow = LForm->Inspector().Row(LPath)) {
                                for (QTreeWidgetItem* LUp = LRow->parent(); LUp; LUp = LUp->parent())
                                    LUp->setExpanded(true);
                                LForm->Inspector().scrollToItem(LRow);
                            }
                            if (!LButton) {
                                std::fprintf(stderr, "orvo-ide: the object inspector has no editor button for \"%s\"\n",
                                             qUtf8Printable(LPath));
                                QApplication::exit(8);
                                return;
                            }
                            // As --action: the picture is taken inside the dialog's own loop.
                            QTimer::singleShot(400, LTakePicture);
                            LButton->click();
                        });
                    };
                if (ide::TFormDesignView* LForm = LWindow.CurrentForm(); LForm && LParser.isSet(LVerbsOption))
                    LTakePicture = [&LWindow, LForm, LTakePicture, LSubmenus = LParser.values(LSubmenuOption)] {
                        QTimer::singleShot(150, &LWindow, [LForm, LTakePicture, LSubmenus] {
                            // As a right-click on the component's box, or on its node for a
                            // component the form does not draw.
                            QObject* LComponent = LForm->Selected();
                            const QRect LBox = LComponent ? LForm->Canvas().ComponentRect(LComponent) : QRect();
                            const QPoint LAt = LBox.isEmpty()
                                                   ? LForm->Structure().mapToGlobal(LForm->Structure().rect().center())
                                                   : LForm->Canvas().mapToGlobal(LBox.center());
                            QMenu* LMenu = LComponent ? LForm->ShowVerbMenu(LComponent, LAt) : nullptr;
                            if (!LMenu) {
                                std::fprintf(stderr, "orvo-ide: the selected component has no verbs\n");
                                QApplication::exit(9);
                                return;
                            }
                            QTimer::singleShot(100, LMenu, [LMenu, LSubmenus, LTakePicture] {
                                OpenSubmenus(LMenu, LSubmenus, LTakePicture);
                            });
                        });
                    };
                if (LAssetsFrame) {
                    auto* LWaiter = new TSignalWaiter(LAssetsFrame, "ViewsReady()", LTakePicture);
                    QTimer::singleShot(5000, LWaiter, [LWaiter] {
                        if (!LWaiter->HasFired())
                            std::fprintf(stderr, "orvo-ide: the Assets Manager's views were not ready after 5 s\n");
                        LWaiter->Fire();
                    });
                } else {
                    QTimer::singleShot(250, &LWindow, LTakePicture);
                }
            }
            LResult = App.exec();
        }
    }
    if (LParser.isSet(LCheckOption))
        std::printf("%s; after unloading the package %s\n",
                    !LKept         ? "no asset manager was kept"
                    : LResult == 0 ? "asset manager released"
                                   : "asset manager kept",
                    LManager.expired() ? "released" : "kept");
    return LResult;
}

#include "main.moc"
