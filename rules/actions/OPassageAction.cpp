#include "OPassageAction.h"

#include <vector>

#include "game/GMasksManager.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TRandom.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kRandomSleepingZoneRoom = "random_sleeping_zone_room";
const char* const kExitFromBook = "exit_from_book";
const char* const kExitFromBookScene = "exit_from_book_scene";
const char* const kTimersSnapshot = "timer_controllers_snapshot";
}  // namespace

void OPassageAction::Execute() {
  if (mLink == kRandomSleepingZoneRoom)
    RandomSleepingZoneRoom();
  else if (mLink == kExitFromBook)
    ExitFromBook();
  else
    GoTo(mLink);
}

void OPassageAction::GoTo(const str& sceneId) {
  if (mOwner)
    mOwner->GoToScene(sceneId);
  else
    // Built where no scene's masks exist (a hint closed in a mini-game):
    // the game object changes the scene all the same.
    OGame::GetInstance()->GoToScene(sceneId);
}

str OPassageAction::PickSleepingRoom(const str& current, uint32_t r) {
  std::vector<str> rooms;
  TXmlNode* guide = OGameConfig::GetInstance()->GetTimerControllerCfg();
  TXmlNode* zone = guide ? guide->GetChild("vethra_sleeping_zone") : nullptr;
  TXmlNode* scenes = zone ? zone->GetChild("sleeping_scenes") : nullptr;
  for (size_t i = 0; scenes && i < scenes->GetChildCount(); ++i) {
    str id = scenes->GetChildAt(i)->GetAttribute("id");
    if (id != current) rooms.push_back(id);
  }
  return rooms.empty() ? str() : rooms[r % rooms.size()];
}

void OPassageAction::RandomSleepingZoneRoom() {
  str current = OGame::GetInstance()->GetCurrentSceneId();
  str room = PickSleepingRoom(current, GetSharedRandom()->Next());
  // An empty list would divide by zero; the player simply stays.
  if (room.empty()) {
    Report("timercontrollercfg: no sleeping scene other than \"%s\"; the passage stays", current.c_str());
    return;
  }
  GoTo(room);
}

void OPassageAction::ExitFromBook() {
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  str scene = flags->GetValue(kExitFromBookScene);
  // Never set (the book entered some other way) reads "null", which is no
  // scene: the player would stay in the book.
  const bool stored = !scene.empty() && scene != "null";
  OGame* game = OGame::GetInstance();
  if (stored && !game->HasScene(scene)) {
    // Stored in another world, or by a damaged save: its timers belong
    // there too. The values stay as they are, and the player leaves the
    // book the way a book entered from the shelf is left, not kept in it.
    Report("exit_from_book: world \"%s\" has no scene \"%s\"; the book leads home instead",
           game->GetCurrentWorldId().c_str(), scene.c_str());
    LeaveForHome();
    return;
  }
  str snapshot = flags->GetValue(kTimersSnapshot);
  if (!snapshot.empty() && snapshot != "null") {
    TXmlNode document;
    bool parsed = document.ParseString(snapshot, kTimersSnapshot);
    flags->SetValue(kTimersSnapshot, str());
    if (parsed) {
      OTimersManager::GetInstance()->Load(&document);
      OIndicatorsManager::GetInstance()->Load(&document);
    }
  }
  flags->SetValue(kExitFromBookScene, str());
  if (stored)
    GoTo(scene);
  else
    LeaveForHome();
}

void OPassageAction::LeaveForHome() {
  OGame::GetInstance()->GoToWorld("home");
  GoTo("living_room");
}
