// orvo-ide: a small IDE host. It loads the design-time package as the IDE does, shows the
// palette pages with their icons and the main menu that packages extend, and opens projects.
//
//   orvo-ide [--package FILE] [PROJECT.dproj] [--close] [--check-released] [--screenshot OUT.png]
//            [--menu NAME]
//
// --close closes the project again through File > Close Project; --check-released then
// says whether the project's asset manager was let go, and exits with 1 when it was not.
// --menu opens a main menu by its name (FileMenu, ProjectMenu...) for the screenshot.

#include "DesignIntf.h"
#include "ORVO.Designer.IdeEvents.h"
#include "PackageLoader.h"
#include "ToolsAPI.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

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

class TMainWindow : public QMainWindow
{
public:
    explicit TMainWindow(const QString& APackageFile)
    {
        setWindowTitle(QStringLiteral("Orvo IDE"));
        resize(980, 560);
        FPalette = new QTabWidget(this);
        FPalette->setDocumentMode(true);
        setCentralWidget(FPalette);
        statusBar()->showMessage(QStringLiteral("No project"));

        auto& LServices = ide::BorlandIDEServices();
        LServices.InstallDefaultServices();
        if (auto LMenu = LServices.Supports<ide::INTAServices>())
            LMenu->SetMenuChangedHandler([this] { RebuildMenu(); });
        AddHostActions();

        try {
            FPackage = ide::LoadPackage(APackageFile);
            statusBar()->showMessage(QStringLiteral("Loaded %1").arg(FPackage->Description()));
        } catch (const std::exception& E) {
            QMessageBox::critical(this, windowTitle(), QString::fromUtf8(E.what()));
        }
        RebuildPalette();
        RebuildMenu();
    }

    ~TMainWindow() override
    {
        // The IDE closes its projects before it unloads packages.
        if (auto LModules = ide::BorlandIDEServices().Supports<ide::IOTAModuleServices>())
            for (const auto& LProject : LModules->Projects())
                LModules->CloseProject(LProject);
        // The package goes before the services it registered with.
        if (FPackage)
            FPackage->Unload();
        if (auto LMenu = ide::BorlandIDEServices().Supports<ide::INTAServices>())
            LMenu->SetMenuChangedHandler({});
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
            QMessageBox::warning(this, windowTitle(), QString::fromUtf8(E.what()));
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
        return LItem && LItem->Click();
    }

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
            connect(LAction, &QAction::triggered, this, [LWeak] {
                if (auto LItem = LWeak.lock())
                    LItem->Click();
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

    QTabWidget* FPalette = nullptr;
    std::unique_ptr<ide::TLoadedPackage> FPackage;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    App.setApplicationName(QStringLiteral("orvo-ide"));
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
    LParser.addOption(LPackageOption);
    LParser.addOption(LScreenshotOption);
    LParser.addOption(LCloseOption);
    QCommandLineOption LMenuOption(
        QStringLiteral("menu"), QStringLiteral("Open a main menu (by its name, such as FileMenu) in the screenshot."),
        QStringLiteral("NAME"));
    LParser.addOption(LCheckOption);
    LParser.addOption(LMenuOption);
    LParser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("A .dproj to open."));
    LParser.process(App);

    int LResult = 0;
    bool LKept = false;
    std::weak_ptr<core::TqoAssetsManager> LManager;
    {
        TMainWindow LWindow(LParser.value(LPackageOption));
        if (!LParser.positionalArguments().isEmpty())
            if (const auto LProject = LWindow.OpenProject(LParser.positionalArguments().first()))
                LManager = dsgn::TqoIdeEventsListener::Instance().GetAssetsManager(LProject->ProjectGUID());
        LKept = !LManager.expired();
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
                QTimer::singleShot(300, &LWindow, [&LWindow, LFile, LOpenMenu] {
                    // A popup is a window of its own: it is drawn onto the picture where it stands.
                    QPixmap LShot = LWindow.grab();
                    if (LOpenMenu && LOpenMenu->isVisible()) {
                        const QRect LTitle = LWindow.menuBar()->actionGeometry(LOpenMenu->menuAction());
                        QPainter LPainter(&LShot);
                        LPainter.drawPixmap(LWindow.menuBar()->mapTo(&LWindow, LTitle.bottomLeft()), LOpenMenu->grab());
                    }
                    LShot.save(LFile, "PNG");
                    QApplication::quit();
                });
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
