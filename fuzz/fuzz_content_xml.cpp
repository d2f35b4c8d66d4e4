// One content document, handed to the reader its root element names, the
// way the game comes to read it: the document takes the place of its file
// in the content tree and the game starts. A visual object description is
// made into an object and drawn (no game needed); an items guide starts a new game and makes
// every entry in each place the factory serves; a scene document becomes
// the first scene of a new game (mini-games included); a configuration
// document starts a new game and then loads a late save that sets the
// missions, hints, timers and magics it describes to work.

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "FuzzGame.h"
#include "game/GGameWnd.h"
#include "game/GScene.h"
#include "game/OGameConfig.h"
#include "game/OSaveData.h"
#include "items/IItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "sdk/TXmlNode.h"
#include "visual/GVDrawList.h"
#include "visual/GVFactory.h"
#include "visual/GVObject.h"

namespace {

// Past the fade-in, so that the scene plays a few beats too.
const int kBeats = GScene::kFadeTicks + 5;
// The first scene of a new game, whose file a scene document replaces.
const char* const kFirstScene = "layouts/home/living_room.xml";
const char* const kObjectName = "fuzz_object";

// Configuration documents: the root names the demo's files use, and the
// names the configuration gives them, to the file the game reads.
const struct {
  const char* root;
  const char* file;
} kConfigs[] = {
    {"items_guide", "cfg/items_guide.xml"},
    {"game_screen", "cfg/game_screen.xml"},
    {"missions", "cfg/missionscfg.xml"},
    {"missionscfg", "cfg/missionscfg.xml"},
    {"hints_guide", "cfg/hintscfg.xml"},
    {"hintscfg", "cfg/hintscfg.xml"},
    {"composite_actions", "cfg/compositeactionscfg.xml"},
    {"compositeactionscfg", "cfg/compositeactionscfg.xml"},
    {"timer_controllers_guide", "cfg/timercontrollercfg.xml"},
    {"timercontrollercfg", "cfg/timercontrollercfg.xml"},
    {"magic_guide", "cfg/magiccfg.xml"},
    {"magiccfg", "cfg/magiccfg.xml"},
};

str ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The last chapter's save: the story's missions, timers and magics at work.
const str& LateSave() {
  static const str text = ReadFile(TOLVANE_FUZZ_LATE_SAVE);
  return text;
}

GGameWnd* NewGame() {
  GGameWnd* game = fuzz::OpenGameScreen();
  if (game && game->StartGame(-1)) fuzz::Beat(game, kBeats);
  return game;
}

void MakeObject() {
  GVDrawList list;
  std::unique_ptr<GVObject> object(GVFactory::GetInstance()->CreateInList(&list, "anim/", kObjectName));
  if (object) list.Draw();
}

void MakeEveryItem() {
  GGameWnd* game = NewGame();
  if (!game) return;
  typedef IItem* (*Make)(const str&, IItemsManager*);
  const Make makers[] = {&OItemFactory::CreateForScene, &OItemFactory::CreateForPointer,
                         &OItemFactory::CreateForInventory, &OItemFactory::CreateDropped};
  TXmlNode* entries = OGameConfig::GetInstance()->GetItemsGuideEntries();
  OItemsManager owner(nullptr);
  for (size_t i = 0; entries && i < entries->GetChildCount(); ++i) {
    const str name = entries->GetChildAt(i)->GetName();
    for (Make make : makers) {
      std::unique_ptr<IItem> item(make(name, &owner));
      if (item) item->Detach();
    }
  }
}

void NewGameThenLateSave() {
  GGameWnd* game = NewGame();
  if (!game) return;
  if (game->LoadGame(OSaveData::kAutosaveSlot)) fuzz::Beat(game, kBeats);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Boot();
  TXmlNode doc;
  if (!doc.ParseStringQuietly(fuzz::Text(data, size))) return 0;
  const str root = doc.GetName();

  if (root == "main") {
    // An object needs no game around it: made and drawn as a scene draws its
    // items, without the cost of a start-up.
    fuzz::SwappedFile swapped(str("xml/") + kObjectName + ".xml", data, size);
    MakeObject();
    return 0;
  }
  str file;
  void (*body)() = nullptr;
  if (root == "scene") {
    file = kFirstScene;
    body = [] { NewGame(); };
  } else {
    for (const auto& c : kConfigs)
      if (root == c.root) file = c.file;
    if (file.empty()) return 0;
    body = root == "items_guide" ? &MakeEveryItem : &NewGameThenLateSave;
  }
  fuzz::MakePlayer(LateSave());
  fuzz::SwappedFile swapped(file, data, size);
  fuzz::PlayOnce(body);
  return 0;
}
