// The player's dialog: as a whole process that opens and closes (the script
// backend plays one step), in the child's CPU time; one keystroke in an edit
// of the terminal dialog, from the key to the painted screen; and one click,
// with and without the busy state the library shows around it.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <benchmark/benchmark.h>

#include "child_process.h"
#include "velumfab/core/ui_lib.h"
#include "velumfab/terminal/screen_painter.h"

namespace {

using namespace VelumFab;

void BM_DialogProcess_OpenAndClose(benchmark::State& state) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "machinecheck-dialog-bench";
  std::filesystem::create_directories(dir);
  const std::string steps = (dir / "steps.txt").string();
  std::ofstream(steps) << "click Btn_Close\n";
  setenv("VELUM_BACKEND", "script", 1);
  setenv("VELUM_SCRIPT", steps.c_str(), 1);
  RunChild(state, {MC_MACHINECHECK});
  unsetenv("VELUM_BACKEND");
  unsetenv("VELUM_SCRIPT");
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_DialogProcess_OpenAndClose)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);

// A screen of 120 by 40 cells that keeps nothing: the painter's own work.
class NullCanvas final : public Canvas {
 public:
  int Rows() const override { return 40; }
  int Columns() const override { return 120; }
  void Clear() override {}
  void Put(int, int, std::u32string_view text, const CellLook&) override { benchmark::DoNotOptimize(text.data()); }
};

// The terminal backend's drawing without a terminal: every change paints the
// whole screen, as the terminal backend does. Types `keys` digits.
class PaintingBackend final : public Backend {
 public:
  static inline int keys = 0;
  static inline int clicks_on = 0;  // a control to click instead of typing
  bool Start(const ControlModel& model, const UiState& state, std::string&) override {
    model_ = &model;
    state_ = &state;
    return true;
  }
  void FrameOpened(int) override { Paint(); }
  void FrameClosed(int) override {}
  void ControlChanged(int, Change) override { Paint(); }
  void FocusChanged() override { Paint(); }
  void BusyChanged() override { Paint(); }
  bool ReadInput(InputQueue& queue) override {
    if (keys-- <= 0) return false;
    if (clicks_on != 0) {
      InputEvent click;
      click.control = clicks_on;
      queue.Push(click);
    } else {
      queue.PushKey(0, '1', U'1');
    }
    return true;
  }
  void Stop() override {}

 private:
  void Paint() {
    NullCanvas canvas;
    benchmark::DoNotOptimize(PaintScreen(*model_, *state_, canvas));
  }
  const ControlModel* model_ = nullptr;
  const UiState* state_ = nullptr;
};

std::unique_ptr<Backend> MakePainting(const LibrarySettings&, const HostServices&) {
  return std::make_unique<PaintingBackend>();
}
const BackendTable kPainting{{"painting", MakePainting}};

void BM_TerminalKeystroke(benchmark::State& state) {
  UILib lib(MC_BUILD_DIR, kPainting);
  lib.Init(0);
  lib.LoadLayout("Main.mox", 0);
  const int main = lib.GetControlId("Main", 0);
  const int edit = lib.GetControlId("Edit_Orbi", 0);
  for (auto _ : state) {
    state.PauseTiming();
    lib.SetText(edit, "");
    PaintingBackend::keys = 100;
    state.ResumeTiming();
    lib.RunModal(main);
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_TerminalKeystroke)->Unit(benchmark::kMicrosecond);

// A program that answers a click on the code label with a new code, as the
// player's dialog does.
class NewCodeOnClick final : public Velum::IUILibEvent {
 public:
  NewCodeOnClick(UILib& lib, int label) : lib_(lib), label_(label) {}
  int IsEventSink() override { return 1; }
  void OnEvent(int id, Velum::IVariableParam*) override {
    if (id == label_) lib_.SetText(label_, std::to_string(++code_).c_str());
  }

 private:
  UILib& lib_;
  int label_;
  int code_ = 1000;
};

// 100 clicks on the code label: each marks the dialog busy and ready again
// around the program's work (two more paints of the screen); the bare
// repaint the program's change costs anyway is BM_TerminalKeystroke's.
void BM_TerminalClick(benchmark::State& state) {
  UILib lib(MC_BUILD_DIR, kPainting);
  lib.Init(0);
  lib.LoadLayout("Main.mox", 0);
  const int main = lib.GetControlId("Main", 0);
  const int label = lib.GetControlId("Static_Captcha", 0);
  NewCodeOnClick program(lib, label);
  lib.SetEventSink(1, &program);
  for (auto _ : state) {
    state.PauseTiming();
    PaintingBackend::keys = 100;
    PaintingBackend::clicks_on = label;
    state.ResumeTiming();
    lib.RunModal(main);
  }
  PaintingBackend::clicks_on = 0;
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_TerminalClick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
