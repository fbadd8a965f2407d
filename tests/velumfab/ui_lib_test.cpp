#include "velumfab/core/ui_lib.h"

#include <algorithm>
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
  // Input the player makes while the program is at work on an event.
  static inline std::vector<InputEvent> made_while_busy;

  bool Start(const ControlModel&, const UiState& state, std::string& reason) override {
    state_ = &state;
    reason = "refused";
    return !refuse_start;
  }
  void FrameOpened(int frame) override { log.push_back("open " + std::to_string(frame)); }
  void FrameClosed(int frame) override { log.push_back("close " + std::to_string(frame)); }
  void ControlChanged(int, Change) override {}
  void FocusChanged() override {}
  void BusyChanged() override {
    log.push_back(state_->busy ? "busy" : "ready");
    if (state_->busy && queue_ != nullptr) {
      for (const InputEvent& input : made_while_busy) queue_->Push(input);
    }
  }
  void DropPendingInput() override { log.push_back("drop"); }
  void EventDelivered(const DeliveredEvent& event) override {
    log.push_back("event " + std::to_string(event.control) + " " + std::to_string(event.message) +
                  (event.handled ? " handled" : ""));
  }
  bool ReadInput(InputQueue& queue) override {
    queue_ = &queue;
    while (queue.Empty()) {
      if (steps.empty()) return false;
      auto step = std::move(steps.front());
      steps.pop_front();
      for (const InputEvent& input : step()) queue.Push(input);
    }
    return true;
  }
  void Stop() override {}

 private:
  const UiState* state_ = nullptr;
  InputQueue* queue_ = nullptr;
};

std::unique_ptr<Backend> MakeFake(const LibrarySettings&, const HostServices&) {
  return std::make_unique<FakeBackend>();
}
const BackendTable kFakeBackends{{"fake", MakeFake}};

// The three events of one key press, aimed at the focused control.
std::vector<InputEvent> KeyPress(unsigned key, char32_t character = 0, bool shift = false) {
  InputQueue queue;
  queue.PushKey(0, key, character, shift);
  std::vector<InputEvent> events;
  while (!queue.Empty()) events.push_back(queue.Pop());
  return events;
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
  UILibTest() : lib_(dir_.path().string(), kFakeBackends) {
    std::ofstream(dir_.File("layout.mox")) << kLayout;
    FakeBackend::steps.clear();
    FakeBackend::log.clear();
    FakeBackend::refuse_start = false;
    FakeBackend::made_while_busy.clear();
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
  void Press(unsigned key, char32_t character = 0, bool shift = false) {
    Input(KeyPress(key, character, shift));
  }
  static InputEvent Event(Kind kind, int control, int item = -1) {
    InputEvent input;
    input.kind = kind;
    input.control = control;
    input.item = item;
    return input;
  }
  // A key press, then a look at where the focus went.
  void PressNotingFocus(unsigned key, char32_t character, bool shift = false) {
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
  PressNotingFocus(kKeyTab, U'\t');
  PressNotingFocus(kKeyTab, U'\t');
  PressNotingFocus(kKeyTab, U'\t', true);
  PressNotingFocus(kKeyDown, 0);
  PressNotingFocus(kKeyUp, 0);
  Control("Main")->RunModal();
  EXPECT_EQ(seen_, (std::vector<std::string>{"Open", "Second", "Open", "Second", "Open"}));

  seen_.clear();
  sink_.handle_keys = true;
  FakeBackend::log.clear();
  PressNotingFocus(kKeyTab, U'\t');
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
  PressNotingFocus(kKeyTab, U'\t', true);
  Control("Main")->RunModal();
  EXPECT_EQ(seen_, (std::vector<std::string>{"Open"}));  // the hidden edit is passed over
}

TEST_F(UILibTest, KeysOnOtherControlsAreSentTooAndEnterClicksAButtonOnItsKeyUp) {
  Input({Event(Kind::kFocus, Id("Quit"))});
  Press(kKeyEnter, U'\r');
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
  for (const char32_t character : {U'1', U'内', U'a', U'\r', char32_t{1}}) Press(VirtualKeyOf(character), character);
  Press(kKeyBackspace, U'\b');
  Then([this] {
    EXPECT_STREQ(Control("Second")->GetText(), "1\xC4\xDA");  // Backspace took the whole last character
    EXPECT_EQ(lib_.Model().Find(Id("Second"))->shown, U"1内");
    return KeyPress(kKeyBackspace, U'\b');
  });
  Then([this] {
    EXPECT_STREQ(Control("Second")->GetText(), "1");
    dynamic_cast<Velum::ITEdit*>(Control("Second"))->OnTabFocus();  // selects the text: typing replaces it
    return KeyPress('7', U'7');
  });
  Control("Main")->RunModal();
  EXPECT_STREQ(Control("Second")->GetText(), "7");
}

TEST_F(UILibTest, EditsEditAtTheCaret) {
  Control("First")->SetText("13");
  Input({Event(Kind::kFocus, Id("First"))});
  Press(kKeyLeft);
  Press('2', U'2');  // 123
  Press(kKeyHome);
  Press(kKeyDelete);  // 23
  Press(kKeyEnd);
  Press(kKeyLeft);
  Press(kKeyBackspace, U'\b');  // 3
  Press(kKeyRight);
  Press(kKeyRight);              // past the end: stays there
  Press('x', U'中');             // 3中
  Input({Event(Kind::kPlaceCaret, Id("First"), 1)});
  Press('y', U'😀');             // no such character in code page 936: it becomes "?"
  Control("Main")->RunModal();
  EXPECT_STREQ(Control("First")->GetText(), "3?\xD6\xD0");
  EXPECT_EQ(lib_.Model().Find(Id("First"))->shown, U"3?中");
  EXPECT_EQ(lib_.Model().Find(Id("First"))->caret, 2);
  // Left and Right moved the caret, never the focus; the program saw every key.
  EXPECT_EQ(lib_.GetFocusControlId(), 0);  // nothing runs now
  EXPECT_EQ(std::count(sink_.codes.begin(), sink_.codes.end(), Velum::kEventEditKey), 26);
}

TEST_F(UILibTest, AComboBoxListTakesItsKeysUntilItCloses) {
  Input({Event(Kind::kFocus, Id("Pick"))});
  Press(kKeySpace, U' ');  // opens the list
  Then([this] {
    EXPECT_EQ(lib_.State().list, Id("Pick"));
    sink_.codes.clear();
    return KeyPress(kKeyDown);
  });
  Press(kKeyEnter, U'\r');  // chooses the item under the cursor and closes
  Then([this] {
    EXPECT_EQ(lib_.State().list, 0);
    EXPECT_TRUE(sink_.codes.empty());  // the program saw none of the list's keys
    return std::vector<InputEvent>{Event(Kind::kOpenList, Id("Pick")), Event(Kind::kMoveInList, Id("Pick"), 0)};
  });
  Input({Event(Kind::kCancel, 0)});  // Esc with the list open closes only the list
  Then([this] {
    EXPECT_EQ(lib_.State().list, 0);
    EXPECT_TRUE(lib_.State().IsOpen(Id("Main")));
    return std::vector<InputEvent>{};
  });
  Control("Main")->RunModal();
  EXPECT_EQ(Control("Pick")->GetCurSel(), 1);
}

TEST_F(UILibTest, WhileTheProgramIsAtWorkInputIsDroppedNotReplayed) {
  std::vector<bool> busy_in_handler;
  sink_.on_event = [&](int id, Velum::IVariableParam* event) {
    busy_in_handler.push_back(lib_.State().busy);
    if (id == Id("Open") && event->GetInt(Velum::kEventCodeKey, 0) == Velum::kEventClick) {
      FakeBackend::made_while_busy.clear();
      EXPECT_EQ(Control("Panel")->RunModal(), Id("Done"));  // a window opened meanwhile takes input again
    }
  };
  FakeBackend::made_while_busy = {Event(Kind::kClick, Id("Open")), Event(Kind::kClick, Id("Open"))};
  Input({Event(Kind::kClick, Id("Open"))});
  Input({Event(Kind::kClick, Id("Done"))});
  Press('5', U'5');  // a key other than Enter: the program is not marked at work
  Control("Main")->RunModal();
  EXPECT_EQ(busy_in_handler.front(), true);
  EXPECT_EQ(std::count(FakeBackend::log.begin(), FakeBackend::log.end(), "busy"), 2);  // Open, Done
  EXPECT_EQ(std::count(FakeBackend::log.begin(), FakeBackend::log.end(), "drop"), 2);
  EXPECT_EQ(std::count(sink_.codes.begin(), sink_.codes.end(), Velum::kEventClick), 2);  // the extra clicks are gone
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
  EXPECT_EQ(FakeBackend::log,
            (std::vector<std::string>{"open " + main, "busy", "ready", "drop", "open " + panel, "close " + panel,
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
