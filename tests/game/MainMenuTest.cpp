// The sliding panel and the main menu: slide in, choices, entry slides and
// the start of the game.

#include <gtest/gtest.h>

#include <lua.hpp>

#include "ShellTestUtil.h"
#include "game/GMainMenu.h"
#include "game/GMousePointer.h"
#include "game/GSlidingPanel.h"
#include "game/GWindowTypes.h"
#include "sdk/TImage.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPrefs.h"
#include "sdk/TScript.h"
#include "sdk/TStringTable.h"
#include "sdk/TText.h"
#include "sdk/TWindowManager.h"

namespace {
class MainMenuTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    wm = TWindowManager::GetInstance();
    if (!wm->HasWindowType("MainMenu")) RegisterWindowTypes(wm);
    users = OUsersManager::Create();
  }
  void TearDown() override {
    while (wm->GetTopModalWindow() && wm->GetTopModalWindow()->GetName() == "mainmenu")
      wm->PopModal(wm->GetTopModalWindow());
    wm->DeletePending();
    GMousePointer::DestroyInstance();
    ShellTest::TearDown();
  }
  // Builds the menu with `slides` entry slides ("nil" for none at all).
  GMainMenu* Open(const char* slides) {
    wm->DoLuaString(nullptr, str("slides = ") + slides);
    wm->RunScript(nullptr, "scripts/menu.lua");
    TModalWindow* top = wm->GetTopModalWindow();
    return top ? dynamic_cast<GMainMenu*>(top->GetChildWindow("menuwnd")) : nullptr;
  }
  int GotoCalls() {
    wm->GetScript()->DoLuaString("return gotoCalls", 1);
    lua_State* L = wm->GetScript()->GetState();
    int n = int(lua_tonumber(L, -1));
    lua_pop(L, 1);
    return n;
  }
  // Ticks until the menu leaves `state`; how many it took.
  int TicksIn(GMainMenu* menu, int state) {
    int n = 0;
    while (menu->GetState() == state && n < 1000) {
      menu->OnTaskAnimate();
      ++n;
    }
    return n;
  }
  TWindowManager* wm = nullptr;
  OUsersManager* users = nullptr;
};

const char* const kThreeSlides = "{'images/slide.png', 'images/slide.png', 'images/slide.png'}";
}  // namespace

TEST_F(MainMenuTest, PanelSlidesInAndOutThroughItsPositions) {
  GSlidingPanel panel;
  panel.SetPositions({{0, 0}, {10, 1}, {20, 2}, {30, 3}});
  struct Case {
    int mode;
    std::vector<int> xs;  // where the panel is after the start and each step
    int rest;
  } cases[] = {
      {GSlidingPanel::kSlidingIn, {0, 10, 20, 30, 30}, GSlidingPanel::kRestIn},
      {GSlidingPanel::kSlidingOut, {30, 20, 10, 0, 0}, GSlidingPanel::kRestOut},
  };
  for (const Case& c : cases) {
    panel.StartSlide(c.mode);
    std::vector<int> xs{panel.GetX()};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(panel.GetMode(), c.mode);
      panel.Step();
      xs.push_back(panel.GetX());
    }
    EXPECT_EQ(xs, c.xs);
    EXPECT_EQ(panel.GetMode(), c.rest);
  }
  GSlidingPanel empty;
  empty.StartSlide(GSlidingPanel::kSlidingIn);
  empty.Step();
  EXPECT_EQ(empty.GetMode(), GSlidingPanel::kRestIn);
}

TEST_F(MainMenuTest, NewGamePlaysTheSlidesThenRunsGotoGame) {
  GMainMenu* menu = Open(kThreeSlides);
  ASSERT_NE(menu, nullptr);
  ASSERT_NE(menu->GetLeftPanel(), nullptr);
  EXPECT_EQ(menu->GetLeftPanel()->GetPositions().size(), 4u);
  EXPECT_EQ(menu->GetLeftPanel()->GetPositions()[2].y, 5);  // truncated
  EXPECT_EQ(menu->GetSlides().size(), 3u);
  EXPECT_EQ(TicksIn(menu, GMainMenu::kSlidingIn), 4);
  EXPECT_EQ(menu->GetState(), GMainMenu::kIdle);

  wm->DoLuaString(nullptr, "onNewGameClick()");
  EXPECT_EQ(menu->GetState(), GMainMenu::kSlidingOut);
  EXPECT_EQ(menu->GetStartSlot(), -1);
  wm->DoLuaString(nullptr, "onLoadGameClick()");  // ignored while sliding out
  EXPECT_EQ(menu->GetStartSlot(), -1);
  EXPECT_EQ(TicksIn(menu, GMainMenu::kSlidingOut), 4);
  EXPECT_EQ(menu->GetState(), GMainMenu::kSlides);
  EXPECT_EQ(TicksIn(menu, GMainMenu::kSlides), 240);
  EXPECT_EQ(GotoCalls(), 1);
  // This gotoGame() opens no game: the player is back in the menu, its
  // slides taken down.
  EXPECT_EQ(menu->GetState(), GMainMenu::kSlidingIn);
  for (TWindow* slide : menu->GetSlides()) EXPECT_EQ(slide->GetParent(), nullptr);
}

TEST_F(MainMenuTest, WithoutSlidesTheGameStartsRightAfterTheSlideOut) {
  users->GetPrefs()->SetStr("save", "<save_data><save save_name=\"Autosave\" ind=\"0\"/></save_data>", -1);
  for (const char* slides : {"{}", "nil"}) {
    GMainMenu* menu = Open(slides);
    ASSERT_NE(menu, nullptr) << slides;
    TicksIn(menu, GMainMenu::kSlidingIn);
    wm->DoLuaString(nullptr, "onLoadGameClick()");
    EXPECT_EQ(menu->GetStartSlot(), 0);
    EXPECT_EQ(TicksIn(menu, GMainMenu::kSlidingOut), 4) << slides;
    EXPECT_EQ(GotoCalls(), 1) << slides;
    wm->PopModal(wm->GetTopModalWindow());
    wm->DeletePending();
  }
}

// Continue without an autosave keeps the title and tells the player on
// screen; the quick save does not count.
TEST_F(MainMenuTest, ContinueWithoutAnAutosaveKeepsTheTitleAndSaysSo) {
  users->GetPrefs()->SetStr("save", "<save_data><save save_name=\"q\" ind=\"1\"/></save_data>", -1);
  GMainMenu* menu = Open(kThreeSlides);
  TicksIn(menu, GMainMenu::kSlidingIn);
  TModalWindow* own = wm->GetTopModalWindow();
  wm->DoLuaString(nullptr, "onLoadGameClick()");
  EXPECT_EQ(menu->GetState(), GMainMenu::kIdle);
  menu->OnTaskAnimate();
  EXPECT_EQ(menu->GetState(), GMainMenu::kIdle);
  EXPECT_EQ(GotoCalls(), 0);
  TModalWindow* notice = wm->GetTopModalWindow();
  ASSERT_NE(notice, own);
  EXPECT_EQ(notice->GetName(), "notice");
  wm->PopModal(notice);
  wm->DeletePending();
}

TEST_F(MainMenuTest, QuickLoadKeyNeedsAQuickSave) {
  GMainMenu* menu = Open(kThreeSlides);
  TicksIn(menu, GMainMenu::kSlidingIn);
  EXPECT_TRUE(menu->OnKeyDown('x', 0));
  EXPECT_EQ(menu->GetState(), GMainMenu::kIdle);
  EXPECT_FALSE(menu->OnKeyDown('t', 0));

  users->GetPrefs()->SetStr("save", "<save_data><save save_name=\"q\" ind=\"1\"/></save_data>", -1);
  EXPECT_TRUE(menu->OnKeyDown('x', 0));
  EXPECT_EQ(menu->GetState(), GMainMenu::kSlidingOut);
  EXPECT_EQ(menu->GetStartSlot(), 1);
}

TEST_F(MainMenuTest, GreetingShowsOnlyWithAPlayer) {
  TPlatform::GetInstance()->GetStringTable()->Set("welcome", "Welcome, %s!");
  GMainMenu* menu = Open(kThreeSlides);
  TWindow* welcome = menu->GetChildWindow("welcome");
  TWindow* change = menu->GetChildWindow("changeplayer");
  EXPECT_FALSE(welcome->IsShown());
  EXPECT_FALSE(change->IsShown());

  users->CreateNewUser("Ada");
  users->SetCurrentUser(0);
  wm->DoLuaString(nullptr, "SetWelcomeName()");
  EXPECT_TRUE(welcome->IsShown());
  EXPECT_TRUE(change->IsShown());
  EXPECT_EQ(static_cast<TText*>(welcome)->GetText(), "Welcome, Ada!");

  // Players, but none current: nobody to greet, someone to choose.
  users->SetCurrentUser(-1);
  wm->DoLuaString(nullptr, "SetWelcomeName()");
  EXPECT_FALSE(welcome->IsShown());
  EXPECT_TRUE(change->IsShown());
}

// Damaged preferences are moved aside at start-up, before any screen: the
// menu tells the player on its first tick, and where the copy went.
TEST_F(MainMenuTest, DamagedPreferencesAreToldOnScreenWhenTheMenuComes) {
  OUsersManager::Delete();
  mPrefs.Write("prefs.xml", "<prefs><user><value key=\"name\">Ann");
  users = OUsersManager::Create();
  GMainMenu* menu = Open(kThreeSlides);
  ASSERT_NE(menu, nullptr);
  TModalWindow* own = wm->GetTopModalWindow();
  menu->OnTaskAnimate();
  TModalWindow* notice = wm->GetTopModalWindow();
  ASSERT_NE(notice, own);
  EXPECT_EQ(notice->GetName(), "notice");
  TText* text = dynamic_cast<TText*>(notice->GetChildWindow("notice_text"));
  ASSERT_NE(text, nullptr);
  EXPECT_NE(text->GetText().find(mPrefs.Path() + "/prefs.xml.damaged"), str::npos) << text->GetText();
  menu->OnTaskAnimate();
  EXPECT_EQ(wm->GetTopModalWindow(), notice) << "shown once";
  wm->PopModal(notice);
  wm->DeletePending();
  menu->OnTaskAnimate();
  EXPECT_EQ(wm->GetTopModalWindow(), own);
}

TEST_F(MainMenuTest, ClosingAScreenHandsThePointerToTheScreenUnderneath) {
  const char* screen =
      "Window{type = 'TModalWindow', name = 'mainmenu', x = 0, y = 0, w = 800, h = 600,"
      "  {type = 'TolvWindow', name = 'TolvWindow', x = 0, y = 0, w = 800, h = 600}}";
  wm->DoLuaString(nullptr, screen);
  TWindow* lower = wm->GetTopModalWindow()->GetChildWindow("TolvWindow");
  GMousePointer* pointer = GMousePointer::PeekInstance();
  ASSERT_NE(pointer, nullptr);
  EXPECT_EQ(pointer->GetParent(), lower);
  EXPECT_EQ(lower->GetWidth(), 800);

  wm->DoLuaString(nullptr, screen);
  TModalWindow* upperModal = wm->GetTopModalWindow();
  TWindow* upper = upperModal->GetChildWindow("TolvWindow");
  ASSERT_NE(upper, lower);
  EXPECT_EQ(pointer->GetParent(), upper);
  wm->PopModal(upperModal);
  wm->DeletePending();
  EXPECT_EQ(pointer->GetParent(), lower);
}
