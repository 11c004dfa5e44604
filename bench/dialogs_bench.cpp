// The dialogs' costs against baselines in the same run (offscreen platform):
// - SlotClickToRepaint (a head button clicked, events processed until the picture
//   has painted) against DrawPoseOfPictureSize; goal: the click under 16 ms.
// - OpenGaitDialog (ten live pictures, first paint, closed again) against
//   OpenBareGaitTemplate (the same template without the dialog); goal: under 100 ms.
// - PreviewRunning reports the process's CPU time over wall time while the walk
//   animates, PreviewMinimized the same with the window minimized; goal: under 5%.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "bench/DemoRegistry.h"
#include "control/body/BodyModel.h"
#include "editor/document/MessageService.h"
#include "editor/document/MirtalaDoc.h"
#include "editor/genome/PoseGenes.h"
#include "editor/ui/CZubrelle.h"
#include "editor/ui/DialogResources.h"
#include "editor/ui/EditorDialogFactory.h"
#include "editor/ui/TemplateDialog.h"

namespace {

using namespace mirtala;
// A registry of the benchmark's own with the control registered and the demo creature,
// and the sample genome open as an adult.
struct Setup {
    DemoRegistry registry;
    RecordingMessageService messages;
    std::unique_ptr<ScopedMessageService> useMessages;
    ui::CEditorDialogFactory factory{nullptr};
    std::unique_ptr<ScopedDialogFactory> useFactory;
    std::unique_ptr<CMirtalaDoc> doc;
    bool ok = false;

    Setup() {
        const bool registered = RegisterDemoControl(ZUBRELLE_MODULE_PATH);
        useMessages = std::make_unique<ScopedMessageService>(messages);
        useFactory = std::make_unique<ScopedDialogFactory>(factory);
        doc = std::make_unique<CMirtalaDoc>();
        ok = registered && doc->OnOpenDocument(MIRTALA_SAMPLE_GENOME);
        Appearance a = doc->GetAppearance();
        a.age = 4;
        doc->ChangeAppearance(a);
    }
    ~Setup() { doc.reset(); }
    GeneRef Gene(std::uint8_t subtype, int number) const {
        for (GeneCursor c(doc->GetGenome(), 0, kCreatureGeneType, subtype); !c.AtEnd(); c.Advance())
            if (GeneNumber(*c) == number) return c.Ref();
        return {};
    }
};
// Made at first use and ended by main while the application still exists.
std::unique_ptr<Setup>& TheSetupSlot() {
    static std::unique_ptr<Setup> setup;
    return setup;
}
Setup& TheSetup() {
    if (!TheSetupSlot()) TheSetupSlot() = std::make_unique<Setup>();
    return *TheSetupSlot();
}

void DeleteClosed() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

template <class T = QAbstractButton>
T* Named(QObject* root, const QString& name) {
    for (T* child : root->findChildren<T*>())
        if (child->accessibleName() == name) return child;
    return nullptr;
}

// Counts the paints a widget receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void SlotClickToRepaint(benchmark::State& state) {
    Setup& s = TheSetup();
    auto* dialog = dynamic_cast<QWidget*>(s.doc->OpenPoseDialog(s.Gene(kPoseSubtype, 2)));
    auto* picture = dialog ? Named<mirtala::ui::CZubrelle>(dialog, "Pose Picture") : nullptr;
    if (!s.ok || !picture || !picture->IsControlCreated()) return state.SkipWithError("no pose dialog with a picture");
    QAbstractButton* heads[] = {Named(dialog, "Head 1"), Named(dialog, "Head 3")};
    PaintCounter counter;
    picture->installEventFilter(&counter);
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        const int before = counter.paints;
        heads[i++ & 1]->click();
        while (counter.paints == before) QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    state.counters["picture_px"] = double(picture->width() * picture->height());
    picture->removeEventFilter(&counter);
    s.doc->PoseDialogClosed(dynamic_cast<CGeneDialog*>(dialog));
    DeleteClosed();
}
BENCHMARK(SlotClickToRepaint)->Unit(benchmark::kMillisecond);

void DrawPoseOfPictureSize(benchmark::State& state) {
    Setup& s = TheSetup();
    // The pose dialog's picture: 111 by 104 dialog units.
    const QRect picture = ui::DialogUnits::ForFont(QApplication::font()).Rect(176, 4, 111, 104);
    const int w = picture.width(), h = picture.height();
    const Appearance a = s.doc->GetAppearance();
    zubrelle::BodyModel body;
    std::string error;
    body.Load(MIRTALA_DEMO_IMAGES_DIR, MIRTALA_DEMO_BODY_DATA_DIR,
              zubrelle::Appearance{a.sex, a.age, a.headGenus, a.headVariant, a.bodyGenus, a.bodyVariant, a.legsGenus,
                                   a.legsVariant, a.armsGenus, a.armsVariant, a.tailGenus, a.tailVariant},
              error);
    gdi::Bitmap bitmap(w, h);
    zubrelle::AnimationState animation;
    const auto pose = zubrelle::ConvertPoseString("231000222220112");
    for (auto _ : state) {
        body.DrawPose(gdi::Rect{0, 0, w, h}, bitmap, pose, double(1.35f), animation);
        benchmark::DoNotOptimize(bitmap.Pixels().data());
    }
    state.counters["picture_px"] = double(w * h);
}
BENCHMARK(DrawPoseOfPictureSize)->Unit(benchmark::kMillisecond);

void OpenGaitDialog(benchmark::State& state) {
    Setup& s = TheSetup();
    const GeneRef gait = s.Gene(kGaitSubtype, 1);
    if (!s.ok || !gait) return state.SkipWithError("no gait 1");
    PaintCounter counter;
    for (auto _ : state) {
        CGeneDialog* dialog = s.doc->OpenGaitDialog(gait);
        auto* window = dynamic_cast<QWidget*>(dialog);
        Named<mirtala::ui::CZubrelle>(window, "Preview")->installEventFilter(&counter);
        QCoreApplication::processEvents();
        state.PauseTiming();
        s.doc->GaitDialogClosed(dialog);
        DeleteClosed();
        state.ResumeTiming();
    }
    state.counters["preview_paints"] = benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(OpenGaitDialog)->Unit(benchmark::kMillisecond);

void OpenBareGaitTemplate(benchmark::State& state) {
    TheSetup();
    for (auto _ : state) {
        auto* dialog = new ui::CTemplateDialog(ui::GaitTemplate(), nullptr);
        dialog->CreateModeless();
        QCoreApplication::processEvents();
        state.PauseTiming();
        delete dialog;
        state.ResumeTiming();
    }
}
BENCHMARK(OpenBareGaitTemplate)->Unit(benchmark::kMillisecond);

double CpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Runs the event loop for two seconds with gait 1 open; reports CPU time over wall time.
void RunPreview(benchmark::State& state, bool minimized) {
    Setup& s = TheSetup();
    auto* dialog = dynamic_cast<QWidget*>(s.doc->OpenGaitDialog(s.Gene(kGaitSubtype, 1)));
    if (!s.ok || !dialog) return state.SkipWithError("no gait 1");
    if (minimized) dialog->showMinimized();
    QCoreApplication::processEvents();
    PaintCounter counter;
    Named<mirtala::ui::CZubrelle>(dialog, "Preview")->installEventFilter(&counter);
    double share = 0;
    for (auto _ : state) {
        const double cpu = CpuSeconds();
        QEventLoop loop;
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
        share = (CpuSeconds() - cpu) / 2.0;
    }
    state.counters["cpu_share"] = share;
    state.counters["frames"] = counter.paints;
    s.doc->GaitDialogClosed(dynamic_cast<CGeneDialog*>(dialog));
    DeleteClosed();
}
void PreviewRunning(benchmark::State& state) { RunPreview(state, false); }
void PreviewMinimized(benchmark::State& state) { RunPreview(state, true); }
BENCHMARK(PreviewRunning)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PreviewMinimized)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The offscreen platform cannot raise windows and says so each time a dialog is raised.
    static const QtMessageHandler standard = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains(QLatin1String("does not support raise()"))) standard(type, context, text);
    });
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    TheSetupSlot().reset();
    return 0;
}
