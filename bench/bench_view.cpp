// The window's drawing costs: refreshing the control model from the game record, and one full
// paint of the board at device pixel ratio 1 and 2, on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdlib>

#include "core/Texts.h"
#include "game/MainForm.h"
#include "support/FormProbe.h"
#include "support/UnusedRoles.h"
#include "ui/BoardView.h"

namespace tavorin {
namespace {

// The sound and the pacing, doing nothing: start-up, the redraw and painting use no other role.
class Quiet : public AudioOut, public Pacing {
public:
    void playSound(const std::string&) override {}
    void musicPlay(const std::string&) override {}
    void musicClose(const std::string&) override {}
    std::string musicMode(const std::string&) override { return ""; }
    void doEvents() override {}
    void sleepMs(int) override {}
    void timerChanged(TimerId, bool, int) override {}
};

// A game under way: both sides off their starting points, a checker on each bar, dice shown,
// the labels written and one target outlined, so every kind of control is drawn.
struct BoardUnderWay {
    Quiet quiet;
    test::UnusedRoles unused;
    MainForm form{Platform{quiet, quiet, unused, unused, unused}};

    BoardUnderWay() {
        form.Form_Load();
        placeStartingPosition(form.st);
        form.st.myBoard[0] = 1;
        form.st.myBoard[5] = 2;
        form.st.comBoard[11] = 4;
        form.st.comBoard[7] = 1;
        form.st.myBar = 1;
        form.st.comBar = 1;
        form.st.diceMoves = {3, 5, 0, 0};
        form.st.turnState = PlayerTurn;
        form.ui.background = Pic::Board;
        form.ui.saiY.visible = false;
        form.ui.saiC.visible = false;
        form.ui.Label1.text = texts().yourTurn;
        form.ui.Label3.visible = true;
        form.ui.Label3.text = "3";
        form.ui.Shape1[8].visible = true;
        test::FormProbe::refreshBoard(form);
    }
};

void BM_RefreshBoard(benchmark::State& state) {
    BoardUnderWay board;
    for (auto _ : state) {
        test::FormProbe::refreshBoard(board.form);
        benchmark::DoNotOptimize(board.form.ui.PLACE.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RefreshBoard);

// The board view as it would sit on a screen of the given device pixel ratio, so its pictures
// are drawn for that ratio, as on a HiDPI display.
class ScaledView : public BoardView {
public:
    ScaledView(const MainModel& model, int dpr)
        : BoardView(model, [](const Event&) {}), dpr_(dpr) {}

protected:
    int metric(PaintDeviceMetric m) const override {
        if (m == PdmDevicePixelRatio) return dpr_;
        if (m == PdmDevicePixelRatioScaled)
            return static_cast<int>(dpr_ * devicePixelRatioFScale());
        return BoardView::metric(m);
    }

private:
    int dpr_;
};

void BM_PaintBoard(benchmark::State& state) {
    const int dpr = static_cast<int>(state.range(0));
    BoardUnderWay board;
    ScaledView view(board.form.ui, dpr);
    QImage target(view.width() * dpr, view.height() * dpr, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(dpr);
    view.render(&target);  // draws every picture once into the view's cache
    for (auto _ : state) {
        view.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["px"] = static_cast<double>(target.width()) * target.height();
}
BENCHMARK(BM_PaintBoard)->ArgName("dpr")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// What every timer tick that changes nothing costs the window: the check that skips the paint.
void BM_ViewRefreshUnchanged(benchmark::State& state) {
    BoardUnderWay board;
    BoardView view(board.form.ui, [](const Event&) {});
    view.refresh();
    for (auto _ : state)
        view.refresh();
}
BENCHMARK(BM_ViewRefreshUnchanged);

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
