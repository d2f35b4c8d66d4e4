// Players and their options, through the Lua functions the menus call.

#include <gtest/gtest.h>

#include <lua.hpp>

#include "StartupTestUtil.h"
#include "game/OSaveData.h"
#include "sdk/TGameServices.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPrefs.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"

namespace {
class UsersManagerTest : public StartupTest {
 protected:
  static str Lua(const std::string& expr) {
    lua_State* L = TWindowManager::GetInstance()->GetScript()->GetState();
    int top = lua_gettop(L);
    str out = "error";
    if (luaL_loadstring(L, ("return " + expr).c_str()) == 0 && lua_pcall(L, 0, 1, 0) == 0) {
      if (lua_isboolean(L, -1))
        out = lua_toboolean(L, -1) ? "true" : "false";
      else if (lua_isnil(L, -1))
        out = "nil";
      else if (const char* s = lua_tostring(L, -1))
        out = s;
    }
    lua_settop(L, top);
    return out;
  }
  static TPrefs* Prefs() { return OUsersManager::GetInstance()->GetPrefs(); }
  static float TypeVolume(int type) { return TSoundManager::GetInstance()->GetTypeVolume(type); }
};
}  // namespace

TEST_F(UsersManagerTest, FirstStartHasNoPlayerAndANewPlayerTakesTheDefaults) {
  OUsersManager* users = OUsersManager::Create();
  EXPECT_EQ(users->GetCurrentUserIndex(), -1);
  EXPECT_EQ(Lua("GetNumUsers()"), "0");
  EXPECT_EQ(Prefs()->GetInt("fullscreen", 1, -1), 1);

  Lua("CreateNewUser('Ann')");
  EXPECT_EQ(users->GetCurrentUserIndex(), 0);
  EXPECT_EQ(users->GetCurrentUserName(), "Ann");
  EXPECT_EQ(Prefs()->GetInt("soundlevel", -5, 0), 1000);
  EXPECT_EQ(Prefs()->GetInt("musiclevel", -5, 0), 1000);
  EXPECT_EQ(Prefs()->GetInt("soundoff", -5, 0), 0);
  EXPECT_EQ(Prefs()->GetInt("musicoff", -5, 0), 0);
  EXPECT_EQ(Prefs()->GetInt("fullscreen", -5, 0), 1);
  EXPECT_EQ(THiscores::GetInstance()->GetProperty("1"), "Ann");

  // A second player copies the current one's options.
  Prefs()->SetInt("soundlevel", 300, 0, true);
  Prefs()->SetInt("musicoff", 1, 0, true);
  Lua("CreateNewUser('Bob')");
  EXPECT_EQ(users->GetCurrentUserIndex(), 1);
  EXPECT_EQ(Prefs()->GetInt("soundlevel", -5, 1), 300);
  EXPECT_EQ(Prefs()->GetInt("musicoff", -5, 1), 1);

  // A missing name argument makes a player named "", not a crash.
  Lua("CreateNewUser()");
  EXPECT_EQ(users->GetUserName(2), "");
  EXPECT_EQ(Lua("GetNumUsers()"), "3");
}

TEST_F(UsersManagerTest, DeletingShiftsPlayersAndPicksTheOneBefore) {
  OUsersManager* users = OUsersManager::Create();
  for (const char* name : {"Ann", "Bob", "Cy"}) users->CreateNewUser(name);
  Lua("DeleteUser(1)");
  EXPECT_EQ(Lua("GetNumUsers()"), "2");
  EXPECT_EQ(users->GetUserName(1), "Cy");
  EXPECT_EQ(users->GetCurrentUserIndex(), 0);
  Lua("DeleteUser(0)");  // index - 1 < 0: the last player
  EXPECT_EQ(users->GetCurrentUserIndex(), 0);
  EXPECT_EQ(users->GetCurrentUserName(), "Cy");
  Lua("DeleteUser(7)");  // no such player: nothing changes
  EXPECT_EQ(users->GetCurrentUserName(), "Cy");
  Lua("DeleteUser(0)");
  EXPECT_EQ(users->GetCurrentUserIndex(), -1);
  EXPECT_EQ(Lua("GetNumUsers()"), "0");

  // The store survives a restart of the manager.
  users->CreateNewUser("Dee");
  OUsersManager::Create();
  EXPECT_EQ(OUsersManager::GetInstance()->GetCurrentUserName(), "Dee");
}

TEST_F(UsersManagerTest, AStoredCurrentPlayerThatDoesNotExistIsDropped) {
  {
    TPrefs prefs;
    prefs.SetStr("name", "Ann", 0, true);
    prefs.SetInt("curuser", 4, -1, true);
  }
  size_t before = ReportCount();
  OUsersManager* users = OUsersManager::Create();
  EXPECT_EQ(ReportCount() - before, 1u);
  EXPECT_EQ(users->GetCurrentUserIndex(), -1);
  users->SetCurrentUser(0);
  EXPECT_EQ(users->GetCurrentUserName(), "Ann");

  // Any negative index from a script means no player, stored as -1.
  Lua("SetCurrentUser(-5)");
  EXPECT_EQ(Prefs()->GetInt("curuser", 0, -1), -1);
}

TEST_F(UsersManagerTest, EveryChangeOfPlayerIsAnnouncedSoCachesFollow) {
  OUsersManager* users = OUsersManager::Create();
  std::vector<int> seen;
  int id = users->AddUserChangedListener([&] { seen.push_back(users->GetCurrentUserIndex()); });
  users->CreateNewUser("Ann");
  users->CreateNewUser("Bob");
  Lua("SetCurrentUser(0)");
  Lua("SetCurrentUser(5)");  // ignored, so not announced
  users->DeleteUser(0);      // Bob moves down to 0 and becomes current
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 0, 0}));
  users->RemoveUserChangedListener(id);
  users->CreateNewUser("Cy");
  EXPECT_EQ(seen.size(), 4u);
}

TEST_F(UsersManagerTest, SavesStayWithTheirPlayerWhenDeletingMovesAnotherUnderTheSameIndex) {
  OUsersManager* users = OUsersManager::Create();
  for (const char* name : {"Ann", "Bob", "Cy"}) users->CreateNewUser(name);
  users->SetCurrentUser(1);
  OSaveData* data = OSaveData::GetInstance();
  data->Load();
  data->CreateSave(2, "Bob's");
  ASSERT_TRUE(data->Store());
  // Ann goes: Bob moves down to 0, and the last player, Cy, is current at
  // index 1, the index Bob's saves were read under.
  users->DeleteUser(0);
  ASSERT_EQ(users->GetCurrentUserName(), "Cy");
  EXPECT_EQ(data->FindSave(2), nullptr);
  EXPECT_TRUE(data->GetSaveNames().empty());
  data->CreateSave(3, "Cy's");
  ASSERT_TRUE(data->Store());
  EXPECT_EQ(Prefs()->GetStr("save", "", 0).find("Cy's"), std::string::npos);
  EXPECT_NE(Prefs()->GetStr("save", "", 0).find("Bob's"), std::string::npos);
  EXPECT_EQ(Prefs()->GetStr("save", "", 1).find("Bob's"), std::string::npos);
  EXPECT_NE(Prefs()->GetStr("save", "", 1).find("Cy's"), std::string::npos);
  OSaveData::DeleteInstance();
}

TEST_F(UsersManagerTest, NamesOptionsAndModes) {
  OUsersManager* users = OUsersManager::Create();
  users->CreateNewUser("Ann");
  EXPECT_EQ(Lua("IsNameInUse('Ann')"), "true");
  EXPECT_EQ(Lua("IsNameInUse('ann')"), "false");
  EXPECT_EQ(Lua("IsNameInUse('An')"), "false");
  Lua("ChangeCurrentUserName('Anna')");
  EXPECT_EQ(users->GetCurrentUserName(), "Anna");

  Lua("ToggleAutoSave()");
  EXPECT_EQ(Prefs()->GetInt("autosaveoff", -5, 0), 1);
  Lua("ToggleAutoSave()");
  EXPECT_EQ(Prefs()->GetInt("autosaveoff", -5, 0), 0);

  // A name of megabytes, however it comes, is one bounded name: stored,
  // read and compared the same.
  const str huge(8u << 20, 'n');
  users->CreateNewUser(huge);
  const str kept = users->GetCurrentUserName();
  EXPECT_GT(kept.size(), 0u);
  EXPECT_LE(kept.size(), 128u);
  EXPECT_EQ(Prefs()->GetStr("name", "", 1), kept);
  EXPECT_TRUE(users->IsNameInUse(huge));
  users->ChangeCurrentUserName(huge + "x");
  EXPECT_EQ(Prefs()->GetStr("name", "", 1), kept);
  Prefs()->SetStr("name", huge, 1);  // as damaged preferences hold it
  EXPECT_EQ(users->GetUserName(1), kept);

  Lua("SetCurrentGameMode(1)");
  EXPECT_EQ(users->GetGameMode(), 1);
  Lua("SetCurrentGameMode(2)");
  EXPECT_EQ(users->GetGameMode(), 1);
}

TEST_F(UsersManagerTest, VolumesFollowThePlayersLevelsAndMutes) {
  OUsersManager* users = OUsersManager::Create();
  users->CreateNewUser("Ann");
  Prefs()->SetInt("soundlevel", 500, 0, true);
  Prefs()->SetInt("musiclevel", 250, 0, true);
  users->ApplyVolumes();
  EXPECT_FLOAT_EQ(TypeVolume(TSound::kTypeDefault), 0.5f);
  EXPECT_FLOAT_EQ(TypeVolume(TSound::kTypeEffects), 0.5f);
  EXPECT_FLOAT_EQ(TypeVolume(TSound::kTypeMusic), 0.25f);

  Prefs()->SetInt("soundoff", 1, 0, true);
  Prefs()->SetInt("musicoff", 1, 0, true);
  users->ApplyVolumes();
  EXPECT_FLOAT_EQ(TypeVolume(TSound::kTypeDefault), 0.f);
  EXPECT_FLOAT_EQ(OSoundManager::GetInstance()->GetSoundVolume(), 0.f);
  EXPECT_FLOAT_EQ(TypeVolume(TSound::kTypeMusic), 0.f);

  // The mute toggles only preview the opposite of what is stored, so twice
  // in a row does the same thing twice.
  for (int i = 0; i < 2; ++i) {
    Lua("ToggleMusicMute()");
    EXPECT_FLOAT_EQ(TypeVolume(TSound::kTypeMusic), 0.25f);
    Lua("ToggleSoundMute()");
    EXPECT_FLOAT_EQ(OSoundManager::GetInstance()->GetSoundVolume(), 0.5f);
  }
  EXPECT_EQ(Prefs()->GetInt("musicoff", -5, 0), 1);
}

TEST_F(UsersManagerTest, QuitToMainMenuPopsDownToTheFirstScreenAndLeavesSoundsPlaying) {
  OUsersManager::Create();
  TWindowManager* wm = TWindowManager::GetInstance();
  TModalWindow* root = nullptr;
  if (wm->GetModalStack().empty()) {
    root = new TModalWindow();
    wm->PushModal(root);
  }
  TModalWindow* first = wm->GetModalStack().front();
  for (const char* name : {"game", "localmenu"}) {
    TModalWindow* modal = new TModalWindow();
    modal->SetName(name);
    wm->PushModal(modal);
  }
  OSoundManager::GetInstance()->PlayFile("sounds/a.wav");
  Lua("QuitToMainMenu()");
  EXPECT_EQ(wm->GetModalStack(), std::vector<TModalWindow*>{first});
  EXPECT_EQ(OSoundManager::GetInstance()->GetPlayingEffects().size(), 1u);
  Lua("QuitToMainMenu()");  // already there: nothing more to pop
  EXPECT_EQ(wm->GetModalStack(), std::vector<TModalWindow*>{first});
  if (root) wm->PopModal(root);
  wm->DeletePending();
}

TEST_F(UsersManagerTest, DeletingTheManagerClearsItsLuaNames) {
  OUsersManager::Create();
  EXPECT_EQ(Lua("type(CreateNewUser)"), "function");
  OUsersManager::Delete();
  for (const char* name :
       {"ToggleFullScreen", "CreateNewUser", "DeleteUser", "IsNameInUse", "QuitToMainMenu"})
    EXPECT_EQ(Lua(name), "nil") << name;
}
