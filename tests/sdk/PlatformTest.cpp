// The platform loop run headless: the display mode events, the driver that
// feeds GetEvent, and frames drawn from the window tree.

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <vector>

#include "sdk/CoreTestUtil.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TStringTable.h"
#include "sdk/TWindowManager.h"

namespace {

std::function<void(TPlatform*)> gBody;

void RunBody(TPlatform* platform, const str&) {
  gBody(platform);
}

int Exec(std::function<void(TPlatform*)> body) {
  TPlatform::SetContentRoot(CoreFixturesDir());
  gBody = body;
  return PlatformExec(&RunBody);
}

uint32_t NextEventType(TPlatform* p) {
  TEvent e;
  p->GetEvent(e);
  return e.type;
}

// Fills its rectangle in Draw and a 10x10 corner in PostDraw.
class Painter : public TWindow {
 public:
  Painter(int x, int y, int w, int h, uint32_t colour, uint32_t corner = 0)
      : mColour(colour), mCorner(corner) {
    SetWindowPos(x, y);
    SetWindowSize(w, h);
  }
  void Draw() override { TRenderer::GetInstance()->FillRect(GetClientRect(), mColour); }
  void PostDraw() override {
    if (mCorner) TRenderer::GetInstance()->FillRect(TRect(0, 0, 10, 10), mCorner);
  }

 private:
  uint32_t mColour, mCorner;
};

}  // namespace

TEST(Platform, OnlyChangesOfModeAfterStartUpQueueAnEvent) {
  Exec([](TPlatform* p) {
    EXPECT_EQ(p->GetStringTable()->GetString("greeting", "you"), "Hello, you");
    p->SetDisplay(800, 600, false);
    EXPECT_EQ(NextEventType(p), uint32_t(TEvent::kQuit));  // start-up: nothing queued
    const struct {
      const char* label;
      std::function<void()> change;
      uint32_t event;
      bool fullscreen;
    } steps[] = {
        {"to full screen", [p] { p->SetFullscreen(true); }, TEvent::kDisplayModeChanged, true},
        {"same mode again", [p] { p->SetFullscreen(true); }, TEvent::kQuit, true},
        {"back through SetDisplay", [p] { p->SetDisplay(800, 600, false); }, TEvent::kDisplayModeChanged,
         false},
        {"same mode through SetDisplay", [p] { p->SetDisplay(800, 600, false); }, TEvent::kQuit, false},
    };
    for (const auto& s : steps) {
      SCOPED_TRACE(s.label);
      s.change();
      EXPECT_EQ(NextEventType(p), s.event);
      EXPECT_EQ(p->IsFullscreen(), s.fullscreen);
    }
  });
}

namespace {

// Two steps of work, then done.
class Driver : public IHeadlessDriver {
 public:
  int steps = 0;
  bool Step(TPlatform* p) override {
    ++steps;
    if (steps == 1) p->Tick(16);  // queues nothing: GetEvent asks again
    if (steps == 2) {
      TEvent e;
      e.type = TEvent::kMouseMove;
      e.point = TPoint(5, 7);
      p->QueueEvent(e);
    }
    return steps < 3;
  }
};

}  // namespace

TEST(Platform, TheHeadlessDriverFeedsGetEventUntilItIsDone) {
  Driver driver;
  TPlatform::GetInstance()->SetHeadlessDriver(&driver);
  int code = Exec([](TPlatform* p) {
    uint32_t start = p->Timer();
    EXPECT_EQ(NextEventType(p), uint32_t(TEvent::kMouseMove));
    EXPECT_EQ(p->Timer(), start + 16);
    EXPECT_EQ(p->GetCursorPos(), TPoint(5, 7));
    EXPECT_EQ(NextEventType(p), uint32_t(TEvent::kQuit));
    EXPECT_EQ(NextEventType(p), uint32_t(TEvent::kQuit));
    p->SetExitCode(3);
  });
  TPlatform::GetInstance()->SetHeadlessDriver(nullptr);
  EXPECT_EQ(code, 3);
  EXPECT_EQ(driver.steps, 3);
}

TEST(Platform, ADriverSetAfterAnotherFinishedIsStillAsked) {
  Driver first, second;
  TPlatform::GetInstance()->SetHeadlessDriver(&first);
  Exec([&](TPlatform* p) {
    EXPECT_EQ(NextEventType(p), uint32_t(TEvent::kMouseMove));
    EXPECT_EQ(NextEventType(p), uint32_t(TEvent::kQuit));
    p->SetHeadlessDriver(&second);
    EXPECT_EQ(NextEventType(p), uint32_t(TEvent::kMouseMove));
    EXPECT_EQ(NextEventType(p), uint32_t(TEvent::kQuit));
  });
  TPlatform::GetInstance()->SetHeadlessDriver(nullptr);
  EXPECT_EQ(first.steps, 3);
  EXPECT_EQ(second.steps, 3);
}

namespace {

// The loop as it runs on screen (on SDL's dummy video driver here): real
// time, SDL's own events, frames when they are due.
struct OnScreen {
  OnScreen() { TPlatform::SetHeadless(false); }
  ~OnScreen() { TPlatform::SetHeadless(true); }
};

class CountingTask : public TTask {
 public:
  bool DoTask() override {
    ++runs;
    return true;
  }
  int runs = 0;
};

}  // namespace

TEST(Platform, OnScreenATaskWithoutADelayRunsOncePerFrameHoweverManyEventsCome) {
  OnScreen onScreen;
  Exec([](TPlatform* p) {
    CountingTask task;
    p->AdoptTask(&task);
    const uint32_t start = p->Timer();
    TEvent move;
    move.type = TEvent::kMouseMove;
    for (int i = 0; i < 200; ++i) p->QueueEvent(move);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(NextEventType(p), uint32_t(TEvent::kMouseMove));
    // At most one frame every 16 ms began while the events were taken.
    const int frames = int((p->Timer() - start) / 16) + 1;
    EXPECT_GE(task.runs, 1);
    EXPECT_LE(task.runs, frames);
    p->OrphanTask(&task);
  });
}

TEST(Platform, OnScreenSdlsQuitEndsTheGameWithoutAsking) {
  OnScreen onScreen;
  Exec([](TPlatform* p) {
    // Ctrl+C in the terminal: SDL turns the signal into its quit.
    raise(SIGINT);
    EXPECT_EQ(NextEventType(p), uint32_t(TEvent::kQuit));
  });
}

TEST(Platform, FramesClipChildrenToTheirParentButNotToAModal) {
  Exec([](TPlatform* p) {
    p->SetDisplay(800, 600, false);
    TWindowManager* wm = p->GetWindowManager();
    TModalWindow* modal = new TModalWindow();
    modal->SetWindowSize(100, 100);  // smaller than the child it must not cut
    wm->PushModal(modal);
    modal->AdoptChild(new Painter(0, 0, 800, 600, 0xFF0000FF));
    Painter* panel = new Painter(200, 200, 100, 100, 0xFFFF0000, 0xFFFFFFFF);
    modal->AdoptChild(panel);
    panel->AdoptChild(new Painter(50, 50, 200, 200, 0xFF00FF00));
    Painter* hidden = new Painter(0, 0, 50, 50, 0xFFFFFF00);
    hidden->SetFlags(hidden->GetFlags() & ~TWindow::kShown);
    modal->AdoptChild(hidden);
    p->Tick(16);
    const struct {
      int x, y;
      uint32_t argb;
    } pixels[] = {
        {500, 500, 0xFF0000FF},  // the full-screen child of the small modal
        {10, 10, 0xFF0000FF},    // the hidden window drew nothing
        {220, 220, 0xFFFF0000},  // the panel
        {260, 260, 0xFF00FF00},  // its child, inside the panel
        {320, 320, 0xFF0000FF},  // its child beyond the panel: clipped
        {205, 205, 0xFFFFFFFF},  // the panel's PostDraw, over its children
    };
    for (const auto& px : pixels)
      EXPECT_EQ(TRenderer::GetInstance()->ReadPixel(px.x, px.y).argb, px.argb) << px.x << "," << px.y;
  });
}
