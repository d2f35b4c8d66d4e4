// A player's save data as the game reads it: the input is the preference
// "save" of the only player. Every slot it holds is loaded into the game
// screen (the scene built, mini-games restored) and played for a few
// heartbeats; then a quick save is written, and what the game stored must
// parse back.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>

#include "FuzzGame.h"
#include "game/GGameWnd.h"
#include "game/GScene.h"
#include "game/OSaveData.h"
#include "game/OUsersManager.h"
#include "sdk/TPrefs.h"
#include "sdk/TXmlNode.h"

namespace {

// Past the fade-in, so that the loaded scene plays a few beats too.
const int kBeatsPerSlot = GScene::kFadeTicks + 5;

// The slots the document names, each once, in document order.
std::vector<int> SlotsOf(const TXmlNode* doc) {
  std::vector<int> slots;
  std::set<int> seen;
  for (size_t i = 0; doc && i < doc->GetChildCount(); ++i) {
    const str ind = doc->GetChildAt(i)->GetAttribute("ind");
    if (!ind.is_int() || ind.size() > 6) continue;
    int slot = ind.to_int();
    if (seen.insert(slot).second) slots.push_back(slot);
  }
  return slots;
}

void LoadEverySlot() {
  OSaveData* data = OSaveData::GetInstance();
  data->Load();
  const std::vector<int> slots = SlotsOf(data->GetDocument());
  GGameWnd* game = fuzz::OpenGameScreen();
  if (!game) {
    fprintf(stderr, "fuzz_save: the main menu opened no game screen\n");
    abort();
  }
  bool playing = false;
  for (int slot : slots) {
    if (game->LoadGame(slot)) playing = true;
    fuzz::Beat(game, kBeatsPerSlot);
  }
  if (!playing) return;
  game->SaveGame(GGameWnd::kQuickSaveSlot, "fuzz", true);
  TPrefs* prefs = OUsersManager::GetInstance()->GetPrefs();
  const str stored = prefs->GetStr(OSaveData::kPrefKey, "", prefs->GetInt("curuser", -1));
  TXmlNode reread;
  if (!stored.empty() && !reread.ParseStringQuietly(stored)) {
    fprintf(stderr, "fuzz_save: the game stored a save that does not parse back\n");
    abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Boot();
  fuzz::MakePlayer(fuzz::Text(data, size));
  fuzz::PlayOnce(&LoadEverySlot);
  return 0;
}
