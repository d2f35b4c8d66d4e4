// The platform configuration, the window-type table, and the game's life from
// the main callback through its saved sections to shut-down.

#include <gtest/gtest.h>

#include <lua.hpp>
#include <set>

#include "StartupTestUtil.h"
#include "game/GStartup.h"
#include "game/GWindowTypes.h"
#include "game/LuaBinding.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TEvent.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPrefs.h"
#include "sdk/TRenderer.h"
#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/OMagicRegistry.h"
#include "tools/panel/GGamePanel.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kTypeOrder[] = {"MainMenu",
                                  "SlidingPanel",
                                  "GameWindow",
                                  "GamePanel",
                                  "ThroughSpaceModeWnd",
                                  "TolvWindow",
                                  "GButton",
                                  "GSlider",
                                  "TProgressBar",
                                  "GInteractiveButton",
                                  "particle_layer",
                                  "GFlyEmitter",
                                  "GVethraPotionEffectChooser",
                                  "GVethraGrid",
                                  "MagicControl",
                                  "MagicButton",
                                  "GBigHint",
                                  "GSmallHint",
                                  "GAutoDeleteHint",
                                  "OptionsWindow",
                                  "SaveWindow",
                                  "LoadWindow",
                                  "ProfilesWindow",
                                  "EnterName",
                                  "PickSceneWindow",
                                  "CatapultPanel",
                                  "GPopup",
                                  "GVLuaObject",
                                  "GNavigatorEntrance",
                                  "GVObjectWrapper",
                                  "GTravelLocation",
                                  "GTravelButton",
                                  "GTravelSelection",
                                  "GQuestBookControl",
                                  "GQuestBookItemTick",
                                  "GQuestBookTaskTick",
                                  "GCookBook",
                                  "GTutorialWnd"};
}  // namespace

TEST(Startup, PlatformConfigurationUsesTheSdkKeys) {
  ConfigurePlatform();
  TPlatform* p = TPlatform::GetInstance();
  EXPECT_EQ(p->GetConfig(TPlatform::kGameName), "Tolvane");
  EXPECT_EQ(p->GetConfig("vsync"), "1");
  EXPECT_EQ(p->GetConfig(TPlatform::kEncryptionKey), "wopzenlakQQQ");
  EXPECT_EQ(p->GetConfig(TPlatform::kGameHandle), "Tolvane");
  EXPECT_EQ(p->GetConfig(str(TPlatform::kGameModeName) + "1"), "gamemode");
  EXPECT_EQ(p->GetConfig(str(TPlatform::kGameMedalName) + "1"), "medal");
}

TEST(Startup, AllThirtyEightWindowTypesRegisterInOrderAndMakeTheirOwnClass) {
  const std::vector<WindowType>& types = GetWindowTypes();
  ASSERT_EQ(types.size(), 38u);
  std::set<str> names;
  for (size_t at = 0; at < types.size(); ++at) {
    const WindowType& type = types[at];
    EXPECT_EQ(type.name, str(kTypeOrder[at]));
    EXPECT_TRUE(names.insert(type.name).second) << type.name;
    TWindow* w = type.factory();
    ASSERT_NE(w, nullptr) << type.name;
    EXPECT_TRUE(w->IsKindOf(TWindow::ClassId())) << type.name;
    EXPECT_TRUE(w->IsKindOf(reinterpret_cast<uintptr_t>(type.factory))) << type.name;
    delete w;
  }
  EXPECT_TRUE(names.count("GamePanel"));
}

namespace {
typedef StartupTest GameLifecycleTest;
}

TEST_F(GameLifecycleTest, EverySectionOwnerWritesItsSectionInSaveOrder) {
  // The sections the panel, the managers and the game variables own, in the
  // order a save writes them.
  TXmlNode save("save");
  GGamePanel panel;
  panel.Save(&save);
  OFlagsRegistry::GetInstance()->Save(&save);
  OMagicRegistry::GetInstance()->Save(&save);
  OTimersManager::GetInstance()->Save(&save);
  OMissionsManager::GetInstance()->Save(&save);
  OHintsManager::GetInstance()->Save(&save);
  OIndicatorsManager::GetInstance()->Save(&save);
  std::vector<str> names;
  for (size_t i = 0; i < save.GetChildCount(); ++i) names.push_back(save.GetChildAt(i)->GetName());
  EXPECT_EQ(names, (std::vector<str>{"panel", "flags_registry", "magic_registry", "timer_controllers",
                                     "missions_manager", "hints_manager", "indicators"}));
  OMagicRegistry::DeleteInstance();
  OTimersManager::DeleteInstance();
  OHintsManager::DeleteInstance();
  OIndicatorsManager::DeleteInstance();
}

namespace {
// Ends the main loop at once: the platform queues the quit event.
struct QuitAtOnce : IHeadlessDriver {
  bool Step(TPlatform*) override { return false; }
};

std::vector<str> gShutdown;

struct Recorded : TWindow {
  explicit Recorded(const char* name) { SetName(name); }
  ~Recorded() override { gShutdown.push_back(GetName() + (GetParent() ? " (still adopted)" : "")); }
};
}  // namespace

TEST_F(GameLifecycleTest, MainCallbackPreparesThePlatformThenRunsTheStartScript) {
  // The display opens full screen exactly when the global "fullscreen" is 1,
  // its default.
  struct Case {
    int stored;  // -1: never stored
    bool fullscreen;
  } cases[] = {{-1, true}, {1, true}, {0, false}, {2, false}};
  TPlatform* platform = TPlatform::GetInstance();
  TWindowManager* wm = TWindowManager::GetInstance();
  for (const Case& c : cases) {
    ScratchDir prefsDir;
    setenv("TOLVANE_PREFS_DIR", prefsDir.Path().c_str(), 1);
    if (c.stored >= 0) TPrefs().SetInt("fullscreen", c.stored, -1, true);
    platform->ShowCursor(true);
    platform->SetWindowTitle("");
    TRenderer::GetInstance()->SetOption("new_subtractive", "0");
    TRenderer::GetInstance()->SetOption("fps", "60");
    wm->GetScript()->DoLuaString("start_users_ready = nil start_runs = nil quit_asked = nil");
    // A close request waits in the queue: the loop takes it, runs the quit
    // check and the close handler, and ends once nothing more comes.
    bool randomBound = false;
    str fps;
    SetCloseRequestHandler([&] {
      randomBound = LuaBinding::BoundObject("random") != nullptr;
      fps = TRenderer::GetInstance()->GetOption("fps");
    });
    TEvent close;
    close.type = TEvent::kCloseRequest;
    platform->QueueEvent(close);
    TolvaneMainCallback(platform, "");
    SetCloseRequestHandler(nullptr);

    EXPECT_EQ(platform->IsFullscreen(), c.fullscreen) << c.stored;
    EXPECT_FALSE(platform->IsCursorShown());
    EXPECT_EQ(platform->GetWindowTitle(), "Tolvane");
    EXPECT_EQ(TRenderer::GetInstance()->GetOption("new_subtractive"), "1");
    EXPECT_TRUE(randomBound);
    EXPECT_EQ(fps, "0");
    // The script ran once, after the users manager bound its names and the
    // window types were registered.
    lua_State* L = LuaBinding::GetState();
    lua_getglobal(L, "start_users_ready");
    EXPECT_TRUE(lua_toboolean(L, -1));
    lua_getglobal(L, "start_runs");
    EXPECT_EQ(lua_tonumber(L, -1), 1);
    lua_getglobal(L, "quit_asked");
    EXPECT_EQ(lua_tonumber(L, -1), 1);
    lua_pop(L, 3);
    TModalWindow* screen = wm->GetTopModalWindow();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->GetName(), "start_screen");
    EXPECT_NE(WindowCast<GGamePanel>(screen->GetChildWindow("start_panel", -1)), nullptr);
    wm->PopModal(screen);
    wm->DeletePending();
  }
}

TEST_F(GameLifecycleTest, ShutDownDeletesInOrderOrphaningWindowsFirst) {
  gShutdown.clear();
  OUsersManager::Create();
  OSoundManager::GetInstance();
  TWindow parent;
  Recorded* game = new Recorded("game window");
  Recorded* pointer = new Recorded("pointer");
  parent.AdoptChild(game);
  parent.AdoptChild(pointer);
  SetShutdownWindow(kShutdownGameWindow, [&]() -> TWindow* {
    TWindow* w = game;
    game = nullptr;
    return w;
  });
  SetShutdownWindow(kShutdownMousePointer, [&]() -> TWindow* {
    TWindow* w = pointer;
    pointer = nullptr;
    return w;
  });
  SetShutdownStep(kShutdownSaveData, [] {
    // The configuration and the sound manager went before the save data.
    gShutdown.push_back(str("save data") +
                        (OGameConfig::HasInstance() || OSoundManager::HasInstance() ? " early" : ""));
  });

  QuitAtOnce driver;
  TPlatform* platform = TPlatform::GetInstance();
  platform->SetHeadlessDriver(&driver);
  RunMainLoop(platform);
  platform->SetHeadlessDriver(nullptr);
  for (ShutdownStep s : {kShutdownGameWindow, kShutdownMousePointer, kShutdownSaveData})
    SetShutdownStep(s, nullptr);

  EXPECT_EQ(gShutdown, (std::vector<str>{"game window", "pointer", "save data"}));
  EXPECT_TRUE(parent.GetChildren().empty());
  EXPECT_EQ(OUsersManager::GetInstance(), nullptr);
  EXPECT_FALSE(OGameConfig::HasInstance());
  // The loop's generator is gone, and so is its Lua name.
  EXPECT_EQ(LuaBinding::BoundObject("random"), nullptr);
}
