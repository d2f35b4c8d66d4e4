// The save, profiles and options windows, built from Lua tables as their
// scripts build them: the slot sliders' arithmetic, the players window's
// buttons, and what the options store and show.

#include <gtest/gtest.h>

#include "ShellTestUtil.h"
#include "game/GGameWnd.h"
#include "game/GOptions.h"
#include "game/GProfilesWnd.h"
#include "game/GSaveWnd.h"
#include "game/GWindowTypes.h"
#include "sdk/TButton.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPrefs.h"
#include "sdk/TSlider.h"
#include "sdk/TWindowManager.h"

namespace {
class MenuWindowsTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    wm = TWindowManager::GetInstance();
    if (!wm->HasWindowType("SaveWindow")) RegisterWindowTypes(wm);
    users = OUsersManager::Create();
  }
  void TearDown() override {
    Close();
    ShellTest::TearDown();
  }
  // A modal window holding the window that `lua` makes (the local `w`);
  // `rows(w, prefix, n)` adds buttons prefix0 ... and `slider(w, name)` a
  // slider, as the scripts lay them out.
  template <class T>
  T* Build(const str& lua) {
    wm->DoLuaString(nullptr, str(R"(
      local function rows(w, prefix, n)
        for i = 0, n - 1 do w[#w + 1] = {type = "TButton", name = prefix .. i, x = 0, y = i * 40, w = 100, h = 30} end
      end
      local function slider(w, name) w[#w + 1] = {type = "TSlider", name = name, x = 200, y = 0, w = 100, h = 20} end
      )") + lua +
                                 str::format(R"(
      Window{type = "TModalWindow", name = "%s", x = 0, y = 0, w = 800, h = 600, w})",
                                             kModal));
    TModalWindow* top = wm->GetTopModalWindow();
    return top ? dynamic_cast<T*>(top->GetChildWindow("w")) : nullptr;
  }
  void Close() {
    wm->PopModal(kModal);
    wm->DeletePending();
  }
  str Label(TWindow* owner, const str& name) {
    TButton* button = dynamic_cast<TButton*>(owner->GetChildWindow(name));
    return button && button->IsShown() ? button->GetLabel() : str("(hidden)");
  }
  static void Slide(TWindow* owner, const char* name, float value) {
    static_cast<TSlider*>(owner->GetChildWindow(name))->SetValue(value, true);
  }
  TPrefs* Prefs() { return users->GetPrefs(); }

  static constexpr const char* kModal = "options";
  TWindowManager* wm = nullptr;
  OUsersManager* users = nullptr;
};
}  // namespace

TEST_F(MenuWindowsTest, SaveSliderScrollsTheTenSlotsFiveAtATime) {
  // Entry k is save slot k + 2: "e0" in slot 2 ... "e9" in slot 11.
  str doc = "<save_data>";
  for (int k = 0; k < 10; ++k) doc += str::format(R"(<save save_name="e%d" ind="%d"/>)", k, k + 2);
  users->CreateNewUser("Ann");
  Prefs()->SetStr("save", doc + "</save_data>", 0);
  GSaveWnd* save =
      Build<GSaveWnd>(R"(local w = {type = "SaveWindow", name = "w", x = 0, y = 0, w = 800, h = 600,
      {type = "TEditText", name = "saveedit", x = 0, y = 300, w = 200, h = 20}}
      rows(w, "save", 5) slider(w, "saveslider"))");
  ASSERT_NE(save, nullptr);
  struct Case {
    float value;
    int first;
  } cases[] = {{0.f, 0}, {0.5f, 2}, {0.99f, 4}, {1.f, 5}};
  for (const Case& c : cases) {
    Slide(save, "saveslider", c.value);
    EXPECT_EQ(save->GetColumn().GetFirst(), c.first) << c.value;
    EXPECT_EQ(Label(save, "save0"), str::format("e%d", c.first)) << c.value;
    EXPECT_EQ(Label(save, "save4"), str::format("e%d", c.first + 4)) << c.value;
  }
}

TEST_F(MenuWindowsTest, ProfilesKeepTheLastPageFullAndOfferOnlyWhatCanBeDone) {
  const char* window = R"(local w = {type = "ProfilesWindow", name = "w", x = 0, y = 0, w = 800, h = 600,
      {type = "TButton", name = "btnNew", x = 0, y = 500, w = 100, h = 30},
      {type = "TButton", name = "btnDelete", x = 100, y = 500, w = 100, h = 30}}
      rows(w, "profile", 5) slider(w, "profiles_slider"))";
  // Players: "New" while there is room for one more, "Delete" while one
  // would be left.
  struct Buttons {
    int players;
    bool canAdd;
    bool canDelete;
  } buttons[] = {{0, true, false}, {1, true, false}, {2, true, true}, {10, false, true}};
  for (const Buttons& c : buttons) {
    while (Prefs()->GetNumUsers() < c.players)
      users->CreateNewUser(str::format("P%d", Prefs()->GetNumUsers()));
    GProfilesWnd* profiles = Build<GProfilesWnd>(window);
    ASSERT_NE(profiles, nullptr);
    EXPECT_EQ(profiles->GetChildWindow("btnNew")->IsShown(), c.canAdd) << c.players;
    EXPECT_EQ(profiles->GetChildWindow("btnDelete")->IsShown(), c.canDelete) << c.players;
    Close();
  }
  while (Prefs()->GetNumUsers() > 7) Prefs()->DeleteUser(0);

  // Seven players, five rows: the slider scrolls over ten, the page stays
  // full, so the first row never shows more than the third player.
  GProfilesWnd* profiles = Build<GProfilesWnd>(window);
  ASSERT_NE(profiles, nullptr);
  EXPECT_TRUE(profiles->GetChildWindow("profiles_slider")->IsShown());
  struct Case {
    float value;
    int first;
  } cases[] = {{0.f, 0}, {0.2f, 1}, {0.5f, 2}, {1.f, 2}};
  for (const Case& c : cases) {
    Slide(profiles, "profiles_slider", c.value);
    EXPECT_EQ(profiles->GetColumn().GetFirst(), c.first) << c.value;
    EXPECT_EQ(Label(profiles, "profile4"), users->GetUserName(c.first + 4)) << c.value;
  }
}

TEST_F(MenuWindowsTest, OptionsShowTheStoredSettingsAndStoreTruncatedLevels) {
  const char* window = R"(local w = {type = "OptionsWindow", name = "w", x = 0, y = 0, w = 800, h = 600,
      {type = "TSlider", name = "sfxlevelslider", x = 0, y = 0, w = 100, h = 20},
      {type = "TSlider", name = "musiclevelslider", x = 0, y = 40, w = 100, h = 20},
      {type = "TButton", name = "mutesfx", x = 200, y = 0, w = 30, h = 30, toggle = true},
      {type = "TButton", name = "mutemusic", x = 200, y = 40, w = 30, h = 30, toggle = true},
      {type = "TButton", name = "btn_Ok", x = 0, y = 100, w = 100, h = 30}})";
  users->CreateNewUser("Ann");
  Prefs()->SetInt("soundlevel", 500, 0);
  Prefs()->SetInt("soundoff", 1, 0);
  Prefs()->SetInt("musiclevel", 250, 0);
  GOptions* options = Build<GOptions>(window);
  ASSERT_NE(options, nullptr);
  TSlider* sfx = static_cast<TSlider*>(options->GetChildWindow("sfxlevelslider"));
  TSlider* music = static_cast<TSlider*>(options->GetChildWindow("musiclevelslider"));
  EXPECT_FLOAT_EQ(sfx->GetValue(), 0.5f);
  EXPECT_FALSE(sfx->IsShown());
  EXPECT_FALSE(static_cast<TButton*>(options->GetChildWindow("mutesfx"))->IsOn());
  EXPECT_FLOAT_EQ(music->GetValue(), 0.25f);
  EXPECT_TRUE(music->IsShown());
  EXPECT_TRUE(static_cast<TButton*>(options->GetChildWindow("mutemusic"))->IsOn());
  Close();

  // OK stores the levels truncated; the switches stay as they were.
  struct Case {
    float value;
    int stored;
  } cases[] = {{0.9999f, 999}, {0.5f, 500}, {0.f, 0}, {1.f, 1000}};
  for (const Case& c : cases) {
    options = Build<GOptions>(window);
    ASSERT_NE(options, nullptr);
    static_cast<TSlider*>(options->GetChildWindow("musiclevelslider"))->SetValue(c.value, false);
    static_cast<TButton*>(options->GetChildWindow("btn_Ok"))->Click();
    EXPECT_EQ(wm->FindWindow(kModal), nullptr) << "OK closes the window";
    EXPECT_EQ(Prefs()->GetInt("musiclevel", -1, 0), c.stored) << c.value;
    EXPECT_EQ(Prefs()->GetInt("soundlevel", -1, 0), 500) << c.value;
    EXPECT_EQ(Prefs()->GetInt("soundoff", -1, 0), 1) << c.value;
    EXPECT_EQ(Prefs()->GetInt("musicoff", -1, 0), 0) << c.value;
    Close();
  }
}
