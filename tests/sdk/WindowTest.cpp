// The window tree and the window manager under the virtual clock: input
// delivery through the modal stack, deferred pops, message bubbling, window
// animations on modal clocks and building windows from Lua tables.

#include <gtest/gtest.h>

#include <functional>
#include <lua.hpp>
#include <string>
#include <vector>

#include "sdk/TModalWindow.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TWindow.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"

namespace {

std::vector<std::string> gLog;

// Records what reaches it and takes what it is told to.
class WindowProbe : public TWindow {
 public:
  explicit WindowProbe(const char* name, int x = 0, int y = 0, int w = 800, int h = 600) {
    SetName(name);
    SetWindowPos(x, y);
    SetWindowSize(w, h);
  }
  ~WindowProbe() override { gLog.push_back(GetName() + ":deleted"); }

  bool takeMouse = false;
  bool takeMessage = false;
  std::function<void()> onDown;
  std::function<bool()> onAnimate;
  int animations = 0;
  TPoint lastLocal;

  bool OnMouseDown(const TPoint& p) override {
    Note("down", p);
    if (onDown) onDown();
    return takeMouse;
  }
  bool OnMouseUp(const TPoint& p) override { return Note("up", p), takeMouse; }
  bool OnMouseMove(const TPoint& p) override { return Note("move", p), takeMouse; }
  void OnMouseLeave() override { gLog.push_back(GetName() + ":leave"); }
  bool OnKeyDown(int key, uint32_t) override {
    gLog.push_back(GetName() + ":key " + std::to_string(key));
    return true;
  }
  bool OnChar(int ch) override {
    gLog.push_back(GetName() + ":char " + std::to_string(ch));
    return true;
  }
  bool OnMessage(const TMessage& m) override {
    gLog.push_back(GetName() + ":msg " + m.senderName);
    return takeMessage;
  }
  bool OnTaskAnimate() override {
    ++animations;
    return onAnimate ? onAnimate() : true;
  }

 private:
  void Note(const char* what, const TPoint& p) {
    lastLocal = p;
    gLog.push_back(GetName() + ":" + what);
  }
};

class ProbeModal : public TModalWindow {
 public:
  explicit ProbeModal(const char* name) {
    SetName(name);
    SetWindowSize(800, 600);
  }
  bool OnMouseDown(const TPoint&) override { return gLog.push_back(GetName() + ":down"), false; }
  bool OnKeyDown(int key, uint32_t) override {
    gLog.push_back(GetName() + ":key " + std::to_string(key));
    return true;
  }
  bool OnMessage(const TMessage& m) override {
    gLog.push_back(GetName() + ":msg " + m.senderName);
    return false;
  }
};

TEvent Mouse(uint32_t type, float x, float y) {
  TEvent e;
  e.type = type;
  e.point = TPoint(x, y);
  return e;
}

TEvent Key(uint32_t type, int key) {
  TEvent e;
  e.type = type;
  e.key = key;
  return e;
}

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    gLog.clear();
    wm = TWindowManager::GetInstance();
  }
  void TearDown() override { TWindowManager::DestroyInstance(); }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) TPlatform::GetInstance()->Tick(16);
  }
  // Builds a window from the table a Lua chunk returns; `err` gets what was
  // printed on stderr meanwhile.
  TWindow* BuildFromLua(const char* chunk, std::string* err) {
    lua_State* L = wm->GetScript()->GetState();
    EXPECT_EQ(luaL_dostring(L, chunk), 0);
    TLuaTable table(L, -1);
    testing::internal::CaptureStderr();
    TWindow* w = wm->CreateWindowFromTable(table, nullptr);
    *err = testing::internal::GetCapturedStderr();
    lua_pop(L, 1);
    return w;
  }
  TWindowManager* wm = nullptr;
};

}  // namespace

TEST_F(WindowTest, PoppingTheRunningModalWaitsUntilTheEventReturns) {
  ProbeModal* base = new ProbeModal("base");
  wm->PushModal(base);
  ProbeModal* dialog = new ProbeModal("dialog");
  wm->PushModal(dialog);
  WindowProbe* button = new WindowProbe("button", 10, 10, 100, 40);
  dialog->AdoptChild(button);
  button->takeMouse = true;
  button->onDown = [&] {
    wm->PopModal("dialog");
    wm->PopModal("not-on-the-stack");
    // Still alive and still readable after its own modal was popped.
    gLog.push_back(button->GetName() + ":after pop, parent " +
                   (button->GetParent() == dialog ? "dialog" : "?"));
    EXPECT_EQ(wm->GetTopModalWindow(), base);
    EXPECT_EQ(dialog->GetParent(), nullptr);
  };
  wm->HandleEvent(Mouse(TEvent::kMouseDown, 20, 20));
  EXPECT_EQ(gLog,
            (std::vector<std::string>{"button:down", "button:after pop, parent dialog", "button:deleted"}));
  EXPECT_EQ(wm->GetTopModalWindow(), base);
  EXPECT_TRUE(base->GetChildren().empty());
}

TEST_F(WindowTest, PoppingFromAnAnimationWaitsUntilTheTickEnds) {
  ProbeModal* base = new ProbeModal("base");
  wm->PushModal(base);
  ProbeModal* dialog = new ProbeModal("dialog");
  wm->PushModal(dialog);
  WindowProbe* w = new WindowProbe("anim");
  dialog->AdoptChild(w);
  w->StartWindowAnimation(16);
  w->onAnimate = [&] {
    wm->PopModal(dialog->GetID());
    gLog.push_back("still here");
    return true;
  };
  Tick();
  EXPECT_EQ(gLog, (std::vector<std::string>{"still here", "anim:deleted"}));
  EXPECT_EQ(wm->GetTopModalWindow(), base);
}

TEST_F(WindowTest, PoppingAModalBelowTheTopTakesTheModalsAboveItAlong) {
  const struct {
    const char* label;
    std::function<void(TWindowManager*, ProbeModal*)> pop;
  } ways[] = {
      {"by name", [](TWindowManager* wm, ProbeModal*) { wm->PopModal("middle"); }},
      {"by id", [](TWindowManager* wm, ProbeModal* m) { wm->PopModal(m->GetID()); }},
      {"by pointer", [](TWindowManager* wm, ProbeModal* m) { wm->PopModal(m); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.label);
    TWindowManager::DestroyInstance();
    wm = TWindowManager::GetInstance();
    ProbeModal* base = new ProbeModal("base");
    ProbeModal* middle = new ProbeModal("middle");
    wm->PushModal(base);
    wm->PushModal(middle);
    wm->PushModal(new ProbeModal("top"));
    middle->AdoptChild(new WindowProbe("in-middle"));
    gLog.clear();
    way.pop(wm, middle);
    EXPECT_EQ(wm->GetModalStack(), std::vector<TModalWindow*>{base});
    EXPECT_TRUE(gLog.empty());  // nothing freed before the tick ends
    Tick();
    EXPECT_EQ(gLog, std::vector<std::string>{"in-middle:deleted"});
    EXPECT_TRUE(base->GetChildren().empty());
    wm->HandleEvent(Key(TEvent::kKeyDown, 'k'));
    EXPECT_EQ(gLog.back(), "base:key 107");
  }
}

TEST_F(WindowTest, MouseEventsPassUnderToLowerWindowsAndParents) {
  // modal > panel(0,0 400x400) > {a(0,0 200x200), b(100,100 350x350) on top}
  struct Case {
    const char* label;
    float x, y;
    const char* takes;  // the window that takes the click ("" none)
    bool hideB;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"front-most takes it", 150, 150, "b", false, {"b:down"}},
      {"falls to the sibling below", 150, 150, "a", false, {"b:down", "a:down"}},
      {"then to the parent", 150, 150, "panel", false, {"b:down", "a:down", "panel:down"}},
      {"up to the modal", 150, 150, "", false, {"b:down", "a:down", "panel:down", "top:down"}},
      {"only a under the point", 50, 50, "", false, {"a:down", "panel:down", "top:down"}},
      {"hidden b is not hit", 150, 150, "a", true, {"a:down"}},
      {"b beyond the panel is clipped", 420, 420, "b", false, {"top:down"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TWindowManager::DestroyInstance();
    wm = TWindowManager::GetInstance();
    ProbeModal* lower = new ProbeModal("lower");
    wm->PushModal(lower);
    WindowProbe* under = new WindowProbe("under-lower");
    under->takeMouse = true;
    lower->AdoptChild(under);
    ProbeModal* top = new ProbeModal("top");
    wm->PushModal(top);
    WindowProbe* panel = new WindowProbe("panel", 0, 0, 400, 400);
    WindowProbe* a = new WindowProbe("a", 0, 0, 200, 200);
    WindowProbe* b = new WindowProbe("b", 100, 100, 350, 350);
    top->AdoptChild(panel);
    panel->AdoptChild(a);
    panel->AdoptChild(b);
    for (WindowProbe* p : {panel, a, b}) p->takeMouse = p->GetName() == c.takes;
    if (c.hideB) b->SetFlags(b->GetFlags() & ~TWindow::kShown);
    gLog.clear();
    wm->HandleEvent(Mouse(TEvent::kMouseDown, c.x, c.y));
    EXPECT_EQ(gLog, c.expected);
  }
}

// A window the mouse has left hears of it before the move reaches the
// windows it is now over, so what it undoes on leaving cannot undo theirs.
TEST_F(WindowTest, HandlersGetLocalPointsAndLeavesComeBeforeTheNextWindowsMove) {
  ProbeModal* top = new ProbeModal("top");
  wm->PushModal(top);
  WindowProbe* panel = new WindowProbe("panel", 100, 50, 300, 300);
  WindowProbe* button = new WindowProbe("button", 20, 30, 50, 50);
  top->AdoptChild(panel);
  panel->AdoptChild(button);
  button->takeMouse = true;
  wm->HandleEvent(Mouse(TEvent::kMouseMove, 130, 90));
  EXPECT_EQ(button->lastLocal, TPoint(10, 10));
  EXPECT_EQ(button->GetWindowRect(), TRect(120, 80, 170, 130));
  gLog.clear();
  wm->HandleEvent(Mouse(TEvent::kMouseMove, 300, 300));  // onto the panel only
  EXPECT_EQ(gLog, (std::vector<std::string>{"button:leave", "panel:move"}));
}

TEST_F(WindowTest, MouseListenersFollowMovesAndTheReleaseOutsideTheirRectangle) {
  ProbeModal* top = new ProbeModal("top");
  wm->PushModal(top);
  WindowProbe* slider = new WindowProbe("slider", 10, 10, 100, 20);
  top->AdoptChild(slider);
  wm->AddMouseListener(slider);
  wm->HandleEvent(Mouse(TEvent::kMouseMove, 500, 15));
  EXPECT_EQ(slider->lastLocal, TPoint(490, 5));
  gLog.clear();
  wm->HandleEvent(Mouse(TEvent::kMouseUp, 600, 300));
  EXPECT_EQ(gLog, (std::vector<std::string>{"slider:up"}));
  delete slider;  // unregisters itself: the next move reaches nobody dead
  wm->HandleEvent(Mouse(TEvent::kMouseMove, 20, 20));
}

TEST_F(WindowTest, AHandlerDeletingAWindowFurtherDownTheHitListIsSafe) {
  ProbeModal* top = new ProbeModal("top");
  wm->PushModal(top);
  WindowProbe* a = new WindowProbe("a", 0, 0, 100, 100);
  WindowProbe* b = new WindowProbe("b", 0, 0, 100, 100);
  top->AdoptChild(a);
  top->AdoptChild(b);
  b->onDown = [&] { delete a; };
  wm->HandleEvent(Mouse(TEvent::kMouseDown, 10, 10));
  EXPECT_EQ(gLog, (std::vector<std::string>{"b:down", "a:deleted", "top:down"}));
}

TEST_F(WindowTest, MessagesBubbleToTheFirstTakerAndStopAtTheTopModal) {
  struct Case {
    const char* taker;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"inner", {"inner:msg ok"}},
      {"panel", {"inner:msg ok", "panel:msg ok"}},
      {"", {"inner:msg ok", "panel:msg ok", "top:msg ok"}},  // never the lower modal
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.taker);
    TWindowManager::DestroyInstance();
    wm = TWindowManager::GetInstance();
    wm->PushModal(new ProbeModal("lower"));
    ProbeModal* top = new ProbeModal("top");
    wm->PushModal(top);
    WindowProbe* panel = new WindowProbe("panel");
    WindowProbe* inner = new WindowProbe("inner");
    WindowProbe* button = new WindowProbe("ok");
    top->AdoptChild(panel);
    panel->AdoptChild(inner);
    inner->AdoptChild(button);
    panel->takeMessage = panel->GetName() == c.taker;
    inner->takeMessage = inner->GetName() == c.taker;
    gLog.clear();
    TMessage m;
    m.kind = TMessage::kButtonPressed;
    EXPECT_EQ(wm->SendMessage(button, m), *c.taker != 0);
    EXPECT_EQ(gLog, c.expected);
  }
}

TEST_F(WindowTest, WindowAnimationsKeepTheirPeriodOnTheVirtualClock) {
  ProbeModal* top = new ProbeModal("top");
  wm->PushModal(top);
  WindowProbe* every16 = new WindowProbe("16");
  WindowProbe* every10 = new WindowProbe("10");
  top->AdoptChild(every16);
  top->AdoptChild(every10);
  every16->StartWindowAnimation(16, true, true, false);
  every10->StartWindowAnimation(10);
  for (int i = 1; i <= 5; ++i) {
    Tick();
    EXPECT_EQ(every16->animations, i);
  }
  EXPECT_EQ(every10->animations, 8);  // 80 ms of 10 ms periods
  every16->StopWindowAnimation();
  EXPECT_FALSE(every16->IsAnimating());
  Tick(3);
  EXPECT_EQ(every16->animations, 5);

  // Returning false ends the animation.
  every10->onAnimate = [] { return false; };
  Tick();
  int n = every10->animations;
  Tick(2);
  EXPECT_EQ(every10->animations, n);
  EXPECT_FALSE(every10->IsAnimating());
}

// Windows outside any modal run on the platform's clock. Each way of ending an
// animation from inside its own run must leave nothing behind and touch
// nothing freed (the sanitizer build checks both).
TEST_F(WindowTest, AnAnimationEndsCleanlyWhicheverWayItsWindowEndsIt) {
  const struct {
    const char* label;
    std::function<bool(WindowProbe*&)> onAnimate;
    int runs;  // in three ticks
    bool animating;
  } cases[] = {
      {"returns false", [](WindowProbe*&) { return false; }, 1, false},
      {"stops itself", [](WindowProbe*& w) { return w->StopWindowAnimation(), true; }, 1, false},
      {"restarts itself",
       [](WindowProbe*& w) {
         if (w->animations == 1) w->StartWindowAnimation(16);
         return true;
       },
       3, true},
      {"deletes its window", [](WindowProbe*& w) { return delete w, w = nullptr, true; }, 0, false},
  };
  for (const auto& c : cases) {
    WindowProbe* w = new WindowProbe(c.label);
    w->onAnimate = [&] { return c.onAnimate(w); };
    w->StartWindowAnimation(16);
    Tick(3);
    if (!w) {
      EXPECT_EQ(gLog.back(), std::string(c.label) + ":deleted");
      continue;
    }
    EXPECT_EQ(w->animations, c.runs) << c.label;
    EXPECT_EQ(w->IsAnimating(), c.animating) << c.label;
    delete w;  // still animating or not, its task goes with it
  }
}

TEST_F(WindowTest, ALowerModalStandsStillUntilTheTopOneIsPopped) {
  ProbeModal* game = new ProbeModal("game");
  wm->PushModal(game);
  WindowProbe* scene = new WindowProbe("scene");
  game->AdoptChild(scene);
  scene->StartWindowAnimation(16);
  // Started before it has a modal: moves onto the modal's clock once adopted.
  WindowProbe* late = new WindowProbe("late");
  late->StartWindowAnimation(16);
  game->AdoptChild(late);
  Tick(2);
  EXPECT_EQ(scene->animations, 2);
  EXPECT_EQ(late->animations, 2);
  uint32_t gameTime = game->GetTime();

  ProbeModal* dialog = new ProbeModal("dialog");
  wm->PushModal(dialog);
  WindowProbe* spinner = new WindowProbe("spinner");
  dialog->AdoptChild(spinner);
  spinner->StartWindowAnimation(16);
  Tick(5);
  EXPECT_EQ(scene->animations, 2);
  EXPECT_EQ(late->animations, 2);
  EXPECT_EQ(game->GetTime(), gameTime);
  EXPECT_EQ(spinner->animations, 5);

  wm->PopModal("dialog");
  Tick(3);
  EXPECT_EQ(scene->animations, 5);
  EXPECT_EQ(game->GetTime(), gameTime + 48);
}

TEST_F(WindowTest, PlatformTasksRunWhateverModalIsOnTop) {
  struct Counter : TAnimTask {
    int runs = 0;
    bool DoTask() override { return ++runs, true; }
  } task;
  task.SetDelay(16);
  TPlatform::GetInstance()->AdoptTask(&task);
  wm->PushModal(new ProbeModal("a"));
  Tick();
  wm->PushModal(new ProbeModal("b"));
  Tick(2);
  EXPECT_EQ(task.runs, 3);
  TPlatform::GetInstance()->OrphanTask(&task);
}

TEST_F(WindowTest, KeysGoOnlyToTheTopModalsFocusAndTheLowerFocusComesBack) {
  ProbeModal* game = new ProbeModal("game");
  wm->PushModal(game);
  WindowProbe* field = new WindowProbe("field");
  game->AdoptChild(field);
  wm->SetFocus(field);

  ProbeModal* dialog = new ProbeModal("dialog");
  wm->PushModal(dialog);
  wm->HandleEvent(Key(TEvent::kKeyDown, 'a'));  // no focus, no default: the modal
  WindowProbe* ok = new WindowProbe("ok");
  dialog->AdoptChild(ok);
  dialog->SetDefaultFocus(ok);
  wm->HandleEvent(Key(TEvent::kKeyDown, TEvent::kEscape));
  wm->HandleEvent(Key(TEvent::kChar, TEvent::kEscape));
  WindowProbe* name = new WindowProbe("name");
  dialog->AdoptChild(name);
  wm->SetFocus(name);
  wm->HandleEvent(Key(TEvent::kKeyDown, 'b'));
  delete name;  // the focus falls back to the default
  wm->HandleEvent(Key(TEvent::kKeyDown, 'c'));
  wm->PopModal("dialog");  // outside any event: freed once the next one returns
  wm->HandleEvent(Key(TEvent::kKeyDown, 'd'));
  EXPECT_EQ(gLog, (std::vector<std::string>{"dialog:key 97", "ok:key 27", "ok:char 27", "name:key 98",
                                            "name:deleted", "ok:key 99", "field:key 100", "ok:deleted"}));
}

TEST_F(WindowTest, GetChildWindowSearchesDepthFirstToTheGivenDepth) {
  WindowProbe root("root");
  WindowProbe* a = new WindowProbe("a");
  WindowProbe* a1 = new WindowProbe("deep");
  WindowProbe* a2 = new WindowProbe("deeper");
  WindowProbe* b = new WindowProbe("b");
  WindowProbe* b1 = new WindowProbe("deep");  // same name as a1, later in the walk
  root.AdoptChild(a);
  a->AdoptChild(a1);
  a1->AdoptChild(a2);
  root.AdoptChild(b);
  b->AdoptChild(b1);
  const struct {
    const char* name;
    int depth;
    TWindow* found;
  } cases[] = {
      {"a", 1, a},           {"deep", 1, nullptr}, {"deep", 2, a1}, {"deeper", 2, nullptr},
      {"deeper", 3, a2},     {"deeper", -1, a2},   {"b", -1, b},    {"none", -1, nullptr},
      {"root", -1, nullptr},
  };
  for (const auto& c : cases)
    EXPECT_EQ(root.GetChildWindow(c.name, c.depth), c.found) << c.name << " depth " << c.depth;
  gLog.clear();
}

TEST_F(WindowTest, OrphanedWindowsAreNotDeletedWithTheirFormerParent) {
  WindowProbe* parent = new WindowProbe("parent");
  WindowProbe* child = new WindowProbe("child");
  parent->AdoptChild(child);
  EXPECT_TRUE(parent->OrphanChild(child));
  EXPECT_FALSE(parent->OrphanChild(child));
  EXPECT_EQ(child->GetParent(), nullptr);
  delete parent;
  EXPECT_EQ(gLog, (std::vector<std::string>{"parent:deleted"}));
  // Adopting an ancestor would make a cycle; it is refused.
  WindowProbe* grandchild = new WindowProbe("grandchild");
  child->AdoptChild(grandchild);
  grandchild->AdoptChild(child);
  EXPECT_EQ(child->GetParent(), nullptr);
  delete child;
}

namespace {

// Logs the order in which it is built.
class Built : public TWindow {
  TWINDOW_CLASS(Built, TWindow)
 public:
  void Init(TWindowStyle& style) override {
    gLog.push_back(GetName() + ":init " + style.GetString("label") + (GetParent() ? " adopted" : ""));
  }
  void OnNewParent() override { gLog.push_back(GetName() + ":adopted"); }
  void PostChildrenInit(TWindowStyle&) override {
    gLog.push_back(GetName() + ":post " + std::to_string(GetChildren().size()));
  }
};

}  // namespace

TEST_F(WindowTest, WindowsAreBuiltFromLuaTables) {
  wm->AddWindowType("Built", &Built::Create);
  wm->AddWindowType("OutOfMemory", [] { return static_cast<TWindow*>(nullptr); });
  size_t reports = ReportCount();
  std::string err;
  TWindow* dlg = BuildFromLua(
      "return {type='TModalWindow', name='dlg', w=800, h=600,"
      "  {type='Built', name='panel', x=10, y=20, w=300, h=200, label='hi',"
      "    {type='Built', name='child', x=5, y=5, w=10, h=10},"
      "    {type='NoSuchType', name='ghost'}, {type='OutOfMemory', name='none'}}}",
      &err);
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(dlg->IsKindOf(TModalWindow::ClassId()));
  EXPECT_EQ(wm->GetTopModalWindow(), dlg);
  EXPECT_EQ(gLog, (std::vector<std::string>{"panel:init hi", "panel:adopted", "child:init ", "child:adopted",
                                            "child:post 0", "panel:post 1"}));
  TWindow* child = dlg->GetChildWindow("child", -1);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->GetWindowRect(), TRect(15, 25, 25, 35));
  EXPECT_TRUE(child->IsKindOf(TWindow::ClassId()));
  EXPECT_FALSE(child->IsKindOf(TModalWindow::ClassId()));
  EXPECT_EQ(dlg->GetChildWindow("ghost", -1), nullptr);
  EXPECT_EQ(ReportCount(), reports + 2);
  EXPECT_NE(err.find("NoSuchType"), std::string::npos);
  EXPECT_NE(err.find("OutOfMemory"), std::string::npos);
}

// A table that lists itself or an ancestor as a child would nest without end:
// the loop is reported and cut, the rest is built.
TEST_F(WindowTest, AWindowTableListingItselfOrAnAncestorIsCut) {
  wm->AddWindowType("Built", &Built::Create);
  size_t reports = ReportCount();
  std::string err;
  TWindow* dlg = BuildFromLua(
      "local a = {type='Built', name='a', w=10, h=10}"
      " local b = {type='Built', name='b', w=10, h=10, a}"
      " a[1] = a; a[2] = b"
      " return {type='TModalWindow', name='dlg', w=800, h=600, a}",
      &err);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(gLog, (std::vector<std::string>{"a:init ", "a:adopted", "b:init ", "b:adopted", "b:post 0",
                                            "a:post 1"}));
  EXPECT_EQ(ReportCount(), reports + 2);
  EXPECT_NE(err.find("lists itself"), std::string::npos) << err;
}

// A window may take itself out of the tree while its parent is still being
// built: it is deleted once the dispatch has returned, unless it was taken
// in again meanwhile.
TEST_F(WindowTest, AWindowLeftForLaterIsDeletedWhenTheDispatchReturns) {
  ProbeModal* base = new ProbeModal("base");
  wm->PushModal(base);
  WindowProbe* button = new WindowProbe("button", 10, 10, 100, 40);
  base->AdoptChild(button);
  WindowProbe* leaving = new WindowProbe("leaving", 500, 500, 10, 10);
  WindowProbe* staying = new WindowProbe("staying", 500, 500, 10, 10);
  base->AdoptChild(leaving);
  base->AdoptChild(staying);
  button->onDown = [&] {
    for (WindowProbe* p : {leaving, staying}) {
      base->OrphanChild(p);
      wm->DeleteLater(p);
    }
    base->AdoptChild(staying);
    gLog.push_back("handler done");
  };
  wm->HandleEvent(Mouse(TEvent::kMouseDown, 20, 20));
  EXPECT_EQ(gLog, (std::vector<std::string>{"button:down", "handler done", "base:down", "leaving:deleted"}));
  EXPECT_EQ(staying->GetParent(), base);
}
