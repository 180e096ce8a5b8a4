// A generated form of 500 components (layouts holding labels, images, buttons and
// rectangles with gradient brushes): the form read and its components created, the
// components written back unchanged, and the object inspector's editors for one selected
// component, then the same in the form designer window (opened and painted, a component
// selected and the object inspector filled) and in a device's frame, best of several runs.
//
//   form_bench [RUNS]   default: 9 runs

#include "DesignFormDocument.h"
#include "DesignFormView.h"
#include "DesignIntf.h"
#include "ORVO.Components.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Layouts = 50;
constexpr int PerLayout = 9; // 50 layouts of 9 children each, plus the form: 501 components

QByteArray GeneratedForm()
{
    QByteArray LText = "object Form1: TqoForm\n  Size.Width = 360.000000000000000000\n";
    int LNumber = 0;
    const auto Geometry = [&](int AIndent, int AIndex) -> QByteArray {
        const QByteArray LPad(AIndent, ' ');
        return LPad + "Position.X = " + QByteArray::number(AIndex * 8) + ".000000000000000000\n" + LPad +
               "Position.Y = 4.000000000000000000\n" + LPad + "Size.Width = 120.000000000000000000\n" + LPad +
               "Size.Height = 40.000000000000000000\n" + LPad + "Margins.Left = 4.000000000000000000\n";
    };
    for (int L = 0; L < Layouts; ++L) {
        LText += "  object Layout" + QByteArray::number(L) + ": TqoLayout\n    Alignment = Top\n" + Geometry(4, L);
        for (int C = 0; C < PerLayout; ++C) {
            const QByteArray LName = QByteArray::number(++LNumber);
            switch (C % 4) {
            case 0:
                LText += "    object Label" + LName + ": TqoLabel\n" + Geometry(6, C) + "      Text = 'Label #" +
                         LName + "'#13#10'second line'\n    end\n";
                break;
            case 1:
                LText += "    object Image" + LName + ": TqoImage\n" + Geometry(6, C) +
                         "      ImageName = 'Icons\\Star'\n    end\n";
                break;
            case 2:
                LText += "    object Button" + LName + ": TqoButton\n" + Geometry(6, C) + "      Text = 'Go'\n" +
                         "      OnClick = Button" + LName + "Click\n    end\n";
                break;
            default:
                LText += "    object Rectangle" + LName + ": TqoRectangle\n" + Geometry(6, C) +
                         "      Fill.Kind = Gradient\n      Fill.Gradient.Points = <\n        item\n"
                         "          Color = xFF3F51B5\n        end\n        item\n          Color = xFFFF4081\n"
                         "          Offset = 1.000000000000000000\n        end>\n    end\n";
            }
        }
        LText += "  end\n";
    }
    return LText + "end\n";
}

template <class TProc> double BestMs(int ARuns, TProc AProc)
{
    double LBest = 1e300;
    for (int I = 0; I < ARuns; ++I) {
        QElapsedTimer LTimer;
        LTimer.start();
        AProc();
        LBest = std::min(LBest, LTimer.nsecsElapsed() / 1e6);
    }
    return LBest;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication LApp(argc, argv);
    const int LRuns = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    ide::TDesignRegistry::Instance().BeginModule(QStringLiteral("bench"));
    // The classes the form names, as the package registers them for form streaming.
    for (auto LClass :
         {&core::TqoForm::staticMetaObject, &core::TqoLayout::staticMetaObject, &core::TqoLabel::staticMetaObject,
          &core::TqoImage::staticMetaObject, &core::TqoButton::staticMetaObject, &core::TqoRectangle::staticMetaObject})
        ide::RegisterClass(LClass);
    ide::TDesignRegistry::Instance().EndModule();

    const QByteArray LForm = GeneratedForm();
    std::unique_ptr<ide::TFormDocument> LDocument;
    const double LOpen = BestMs(LRuns, [&] { LDocument = ide::TFormDocument::FromText(LForm, "Bench.xfm"); });
    if (!LDocument->Problems().empty()) {
        std::fprintf(stderr, "form_bench: %s\n", qPrintable(LDocument->Problems().front().Text));
        return 1;
    }
    const double LStore = BestMs(LRuns, [&] { LDocument->StoreProperties(); });
    QByteArray LWritten;
    const double LText = BestMs(LRuns, [&] { LWritten = LDocument->File().Text(); });
    if (LWritten != LForm) {
        std::fprintf(stderr, "form_bench: the unchanged form was not written back byte for byte\n");
        return 1;
    }
    QObject* LSelected = LDocument->FindComponent(QStringLiteral("Rectangle4"));
    size_t LCount = 0;
    const double LProperties =
        BestMs(LRuns, [&] { LCount = ide::GetComponentProperties({LSelected}, &LDocument->Designer()).size(); });

    // The same with every value object's row opened, as the object inspector does on a click.
    std::function<size_t(ide::TPropertyEditorList&)> Expand = [&](ide::TPropertyEditorList& AEditors) {
        size_t LRows = AEditors.size();
        for (auto& E : AEditors) {
            if (!E->GetAttributes().testFlag(ide::paSubProperties))
                continue;
            ide::TPropertyEditorList LSubs;
            E->GetProperties([&](std::unique_ptr<ide::TPropertyEditor> S) { LSubs.push_back(std::move(S)); });
            LRows += Expand(LSubs);
        }
        for (auto& E : AEditors)
            E->ShownValue();
        return LRows;
    };
    size_t LRows = 0;
    const double LExpanded = BestMs(LRuns, [&] {
        auto LEditors = ide::GetComponentProperties({LSelected}, &LDocument->Designer());
        LRows = Expand(LEditors);
    });

    // The designer window: made, laid out and painted once; then a click's worth of selection.
    std::unique_ptr<ide::TFormDesignView> LView;
    const double LViewOpen = BestMs(LRuns, [&] {
        LView.reset();
        LView = std::make_unique<ide::TFormDesignView>(ide::TFormDocument::FromText(LForm, "Bench.xfm"));
        LView->resize(1280, 800);
        LView->grab();
    });
    QObject* LInView = LView->Document().FindComponent(QStringLiteral("Rectangle4"));
    QObject* LOther = LView->Document().FindComponent(QStringLiteral("Label1"));
    int LTurn = 0;
    const double LSelect = BestMs(LRuns, [&] {
        LView->Select(++LTurn % 2 ? LInView : LOther);
        QCoreApplication::processEvents();
    });

    // The same window showing the form in a phone's frame with the grid over its screen.
    ide::TDeviceDescription LPhone{QStringLiteral("PHONE"), QStringLiteral("Phone"), {}, {}};
    LPhone.Portrait = {QSizeF(375, 729), QPointF(13, 52), QSizeF(360, 640), {}, 4, 16, 48};
    const double LDeviceOpen = BestMs(LRuns, [&] {
        LView.reset();
        LView = std::make_unique<ide::TFormDesignView>(ide::TFormDocument::FromText(LForm, "Bench.xfm"));
        LView->SetDevices({LPhone});
        LView->SetDevice(LPhone.Id);
        LView->resize(1280, 800);
        LView->grab();
    });

    std::printf("form: %d components, %lld bytes, best of %d runs\n", int(LDocument->Components().size()),
                static_cast<long long>(LForm.size()), LRuns);
    std::printf("read and create components:   %8.2f ms  (target < 1000 ms)\n", LOpen);
    std::printf("store properties (unchanged): %8.2f ms\n", LStore);
    std::printf("write text:                   %8.2f ms\n", LText);
    std::printf("GetComponentProperties (1):   %8.3f ms  (%zu editors; target < 50 ms)\n", LProperties, LCount);
    std::printf("  with every row opened:      %8.3f ms  (%zu rows and their values)\n", LExpanded, LRows);
    std::printf("designer window opened:       %8.2f ms  (laid out and painted; target < 1000 ms)\n", LViewOpen);
    std::printf("  in a device frame:          %8.2f ms  (with its grid)\n", LDeviceOpen);
    std::printf("component selected:           %8.2f ms  (inspector filled; target < 50 ms)\n", LSelect);
    return 0;
}
