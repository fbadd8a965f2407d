#include "velumfab/core/ui_lib.h"

#include <deque>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "framework/variable_param.h"
#include "support/scratch_directory.h"
#include "velumfab/core/events.h"

namespace {

using namespace VelumFab;
using Kind = InputEvent::Kind;

// Input for the core, one step at a time; a step may look at the library
// while a modal loop runs. Records what the core told it.
class FakeBackend final : public Backend {
 public:
  static inline std::deque<std::function<std::vector<InputEvent>()>> steps;
  static inline std::vector<std::string> log;
  static inline bool refuse_start = false;

  bool Start(const ControlModel&, std::string& reason) override {
    reason = "refused";
    return !refuse_start;
  }
  void FrameOpened(int frame) override { log.push_back("open " + std::to_string(frame)); }
  void FrameClosed(int frame) override { log.push_back("close " + std::to_string(frame)); }
  void ControlChanged(int, Change) override {}
  void FocusChanged(int) override {}
  void EventDelivered(const DeliveredEvent& event) override {
    log.push_back("event " + std::to_string(event.control) + " " + std::to_string(event.message) +
                  (event.handled ? " handled" : ""));
  }
  std::optional<InputEvent> NextInput() override {
    while (queued_.empty()) {
      if (steps.empty()) return std::nullopt;
      auto step = std::move(steps.front());
      steps.pop_front();
      for (const InputEvent& input : step()) queued_.push_back(input);
    }
    InputEvent input = queued_.front();
    queued_.pop_front();
    return input;
  }
  void Stop() override {}

 private:
  std::deque<InputEvent> queued_;
};

std::unique_ptr<Backend> MakeFake(const LibrarySettings&, const HostServices&, std::string&) {
  return std::make_unique<FakeBackend>();
}

// The program's side: handles Tab on demand and runs the panel from a button.
class Sink final : public Velum::IUILibEvent {
 public:
  int IsEventSink() override { return 1; }
  void OnEvent(int id, Velum::IVariableParam* event) override {
    codes.push_back(event->GetInt(Velum::kEventCodeKey, 0));
    if (handle_keys && event->GetInt(Velum::kWindowMessageKey, 0) != 0) event->SetInt(Velum::kEventHandledKey, 1);
    if (on_event) on_event(id, event);
  }
  bool handle_keys = false;
  std::vector<int> codes;
  std::function<void(int, Velum::IVariableParam*)> on_event;
};

constexpr char kLayout[] = R"(<layout><dialog name="Main" width="40" height="10" cancel="Quit">
  <edit name="First" width="8"/><button name="Open" width="8"/><edit name="Second" width="8"/>
  <button name="Quit" width="6"/><combo name="Pick" width="8"><item>a</item><item>b</item></combo>
  <label name="Plain" width="6"/><richlabel name="Rich" width="20"/>
  <panel name="Panel" width="20" height="6"><button name="Done" width="6" action="close"/></panel>
</dialog></layout>)";

class UILibTest : public testing::Test {
 protected:
  UILibTest() : lib_(dir_.path().string(), BackendCatalog{"fake", MakeFake}) {
    std::ofstream(dir_.File("layout.mox")) << kLayout;
    FakeBackend::steps.clear();
    FakeBackend::log.clear();
    FakeBackend::refuse_start = false;
    lib_.Init(0);
    EXPECT_EQ(lib_.LoadLayout("layout.mox", 0), 1);
    lib_.SetEventSink(1, &sink_);
  }

  int Id(const char* name) { return lib_.GetControlId(name, 0); }
  Velum::IControl* Control(const char* name) { return lib_.GetControl(Id(name)); }
  void Then(std::function<std::vector<InputEvent>()> step) { FakeBackend::steps.push_back(std::move(step)); }
  void Input(std::vector<InputEvent> inputs) {
    Then([inputs] { return inputs; });
  }
  void Press(unsigned key, const std::string& character = "", bool shift = false) {
    Input(KeyPress(0, key, character, shift));
  }
  static InputEvent Event(Kind kind, int control, int item = -1) {
    InputEvent input;
    input.kind = kind;
    input.control = control;
    input.item = item;
    return input;
  }
  // A key press, then a look at where the focus went.
  void PressNotingFocus(unsigned key, const std::string& character, bool shift = false) {
    Press(key, character, shift);
    Then([this] {
      seen_.push_back(lib_.Model().Find(lib_.GetFocusControlId())->name);
      return std::vector<InputEvent>{};
    });
  }

  std::vector<std::string> seen_;
  ScratchDirectory dir_{"machinecheck-uilib"};
  UILib lib_;
  Sink sink_;
};

TEST_F(UILibTest, TabAndArrowsMoveTheFocusInLayoutOrderUnlessTheProgramHandlesTheKey) {
  PressNotingFocus(kKeyTab, "\t");
  PressNotingFocus(kKeyTab, "\t");
  PressNotingFocus(kKeyTab, "\t", true);
  PressNotingFocus(kKeyDown, "");
  PressNotingFocus(kKeyUp, "");
  Control("Main")->RunModal();
  EXPECT_EQ(seen_, (std::vector<std::string>{"Open", "Second", "Open", "Second", "Open"}));

  seen_.clear();
  sink_.handle_keys = true;
  FakeBackend::log.clear();
  PressNotingFocus(kKeyTab, "\t");
  Control("Main")->RunModal();
  EXPECT_EQ(seen_, (std::vector<std::string>{"Open"}));  // handled: the focus stays where it was
  const std::string open = std::to_string(Id("Open"));
  EXPECT_EQ(FakeBackend::log[1], "event " + open + " 256 handled");
  EXPECT_EQ(FakeBackend::log[2], "event " + open + " 258 handled");
  EXPECT_EQ(FakeBackend::log[3], "event " + open + " 257 handled");
  EXPECT_EQ(sink_.codes.back(), kEventControlKey);

  seen_.clear();
  sink_.handle_keys = false;
  Control("Second")->SetVisible(false);
  Control("Quit")->SetFocus();
  PressNotingFocus(kKeyTab, "\t", true);
  Control("Main")->RunModal();
  EXPECT_EQ(seen_, (std::vector<std::string>{"Open"}));  // the hidden edit is passed over
}

TEST_F(UILibTest, KeysOnOtherControlsAreSentTooAndEnterClicksAButtonOnItsKeyUp) {
  Input({Event(Kind::kFocus, Id("Quit"))});
  Press(kKeyEnter, "\r");
  std::vector<int> codes_at_click;
  sink_.on_event = [&](int id, Velum::IVariableParam* event) {
    if (id == Id("Quit") && event->GetInt(Velum::kEventCodeKey, 0) == Velum::kEventClick) {
      codes_at_click = sink_.codes;
      Control("Main")->EndModal(id);
    }
  };
  EXPECT_EQ(Control("Main")->RunModal(), Id("Quit"));
  EXPECT_EQ(codes_at_click,
            (std::vector<int>{kEventControlKey, kEventControlKey, kEventControlKey, Velum::kEventClick}));
}

TEST_F(UILibTest, EditsTakeTypedCharactersWholeAndEnterTypesNothing) {
  Input({Event(Kind::kFocus, Id("Second"))});
  for (const char* character : {"1", "\xC4\xDA", "a", "\r", "\x01"}) Press(VirtualKeyOf(character), character);
  Press(kKeyBackspace, "\b");
  Then([this] {
    EXPECT_STREQ(Control("Second")->GetText(), "1\xC4\xDA");  // Backspace took the whole last character
    return KeyPress(0, kKeyBackspace, "\b");
  });
  Then([this] {
    EXPECT_STREQ(Control("Second")->GetText(), "1");
    dynamic_cast<Velum::ITEdit*>(Control("Second"))->OnTabFocus();  // selects the text: typing replaces it
    return KeyPress(0, '7', "7");
  });
  Control("Main")->RunModal();
  EXPECT_STREQ(Control("Second")->GetText(), "7");
}

TEST_F(UILibTest, PanelsRunNestedAndAnOuterEndModalWaitsForTheInnerLoop) {
  std::vector<int> returned;
  sink_.on_event = [&](int id, Velum::IVariableParam*) {
    EXPECT_NE(id, Id("Quit")) << "a control behind the panel";
    if (id == Id("Open")) returned.push_back(Control("Panel")->RunModal());
  };
  Input({Event(Kind::kClick, Id("Open"))});
  Then([this] {
    EXPECT_EQ(Control("Panel")->RunModal(), -1);  // it runs already
    EXPECT_EQ(lib_.GetFocusControlId(), Id("Done"));
    Control("Main")->EndModal(7);  // out of order: Main ends only once the panel has
    return std::vector<InputEvent>{Event(Kind::kClick, Id("Quit"))};
  });
  Then([this] {
    Control("Panel")->EndModal(9);
    return std::vector<InputEvent>{};
  });
  EXPECT_EQ(Control("Main")->RunModal(), 7);
  EXPECT_EQ(returned, (std::vector<int>{9}));
  EXPECT_EQ(lib_.GetFocusControlId(), 0);  // nothing runs
  const std::string main = std::to_string(Id("Main"));
  const std::string panel = std::to_string(Id("Panel"));
  // The click's event is logged once the program has returned from it.
  EXPECT_EQ(FakeBackend::log, (std::vector<std::string>{"open " + main, "open " + panel, "close " + panel,
                                                        "event " + std::to_string(Id("Open")) + " 0", "close " + main}));
}

TEST_F(UILibTest, AButtonThatClosesItsPanelDoesSoAfterTheProgramSawTheClick) {
  bool saw_done = false;
  sink_.on_event = [&](int id, Velum::IVariableParam* event) {
    if (id == Id("Done")) saw_done = lib_.GetFocusControlId() == Id("Done");
    if (id == Id("Open") && event->GetInt(Velum::kEventCodeKey, 0) == Velum::kEventClick) {
      EXPECT_EQ(Control("Panel")->RunModal(), Id("Done"));
    }
  };
  Input({Event(Kind::kClick, Id("Open")), Event(Kind::kClick, Id("Done"))});
  Input({Event(Kind::kCancel, 0)});  // Esc on Main clicks its cancel control, which the program ignores
  EXPECT_EQ(Control("Main")->RunModal(), -1);  // the input ran out
  EXPECT_TRUE(saw_done);
  EXPECT_EQ(sink_.codes.back(), Velum::kEventClick);
}

TEST_F(UILibTest, WithoutInputOrABackendEveryLoopEnds) {
  EXPECT_EQ(Control("Main")->RunModal(), -1);
  lib_.Shutdown();
  FakeBackend::refuse_start = true;
  Input({Event(Kind::kClick, Id("Quit"))});
  EXPECT_EQ(Control("Main")->RunModal(), -1);
  EXPECT_EQ(FakeBackend::steps.size(), 1u);  // never asked for input
}

TEST_F(UILibTest, OperationsOnTheWrongKindOfControlAreIgnored) {
  EXPECT_EQ(Id("Nowhere"), 0);
  EXPECT_EQ(lib_.GetControl(0), nullptr);
  EXPECT_NE(dynamic_cast<Velum::ITEdit*>(Control("First")), nullptr);
  EXPECT_EQ(dynamic_cast<Velum::ITEdit*>(Control("Open")), nullptr);
  EXPECT_EQ(dynamic_cast<Velum::ITEdit*>(Control("Plain")), nullptr);

  Control("Pick")->SetText("x");
  EXPECT_STREQ(Control("Pick")->GetText(), "");
  EXPECT_EQ(Control("First")->GetCurSel(), -1);
  EXPECT_EQ(Control("Open")->RunModal(), -1);
  Control("Plain")->SetRichText("<font bold=\"1\">x</font>");
  Control("Plain")->SetText("label");
  EXPECT_STREQ(Control("Plain")->GetText(), "label");

  const char* text = Control("Plain")->GetText();
  lib_.GetControlId("Open", 0);
  EXPECT_STREQ(text, "label");  // still valid after other calls that change nothing
}

TEST_F(UILibTest, AComboBoxHasNoSelectionUntilThePlayerChooses) {
  EXPECT_EQ(Control("Pick")->GetCurSel(), -1);
  Input({Event(Kind::kChoose, Id("Pick"), 2), Event(Kind::kChoose, Id("Pick"), 1)});
  Control("Main")->RunModal();
  EXPECT_EQ(Control("Pick")->GetCurSel(), 1);  // item 2 does not exist
}

TEST_F(UILibTest, ApplyParamsColoursTheRichLabelsText) {
  Velum::CVariableParam2 params;
  params.SetDword(Velum::kTextColorKey, 0xC1D506);
  Control("Rich")->SetRichText("<font color=\"0x1717c5\" bold=\"1\">ok</font>");
  Control("Rich")->ApplyParams(&params);
  const VelumFab::Control& rich = *lib_.Model().Find(Id("Rich"));
  ASSERT_EQ(rich.rich.size(), 1u);
  EXPECT_EQ(rich.rich[0].color, 0xC1D506u);  // the colour applied last wins
  Control("Rich")->ClearText();
  Control("Rich")->SetRichText("plain<font color=\"0x0000FF\">red</font>");
  ASSERT_EQ(rich.rich.size(), 2u);
  EXPECT_EQ(rich.rich[0].color, 0xC1D506u);  // text without a colour of its own takes the label's
  EXPECT_EQ(rich.rich[1].color, 0x0000FFu);
}

}  // namespace
