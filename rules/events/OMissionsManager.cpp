#include "OMissionsManager.h"

#include "OGameCondition.h"
#include "OMission.h"
#include "OMissionTask.h"
#include "game/GGameWnd.h"
#include "game/GScene.h"
#include "game/OGameConfig.h"
#include "rules/hints/OHintsManager.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kEvent = "event";
const char* const kType = "type";
const char* const kMissions = "missions";
const char* const kSection = "missions_manager";
const char* const kQuestPages = "quest_pages";
const char* const kPage = "page";
const char* const kState = "state";
const char* const kMission = "mission";

str MissionsFile() {
  TXmlNode* paths = OGameConfig::GetInstance()->GetConfig()->GetChild("path");
  str file = paths ? paths->GetChildContent("missionscfg") : str();
  return file.empty() ? str("missionscfg") : file;
}
}  // namespace

OMissionsManager* OMissionsManager::sInstance = nullptr;

OMissionsManager* OMissionsManager::GetInstance() {
  if (!sInstance) {
    // Set before reading: conditions ask the manager for tasks as they are
    // built.
    sInstance = new OMissionsManager();
    sInstance->LoadMissions();
  }
  return sInstance;
}

bool OMissionsManager::HasInstance() {
  return sInstance != nullptr;
}

void OMissionsManager::DestroyInstance() {
  delete sInstance;
  sInstance = nullptr;
}

OMissionsManager::~OMissionsManager() {
  for (OMission* mission : mMissions) delete mission;
}

void OMissionsManager::LoadMissions() {
  TXmlNode* doc = OGameConfig::GetInstance()->GetMissionsCfg();
  TXmlNode* missions = doc->GetName() == kMissions ? doc : doc->GetChild(kMissions);
  if (!missions) {
    if (doc->GetChildCount())
      Report("%s: the top element is <%s>, not <missions>; no missions", MissionsFile().c_str(),
             doc->GetName().c_str());
    return;
  }
  for (size_t i = 0; i < missions->GetChildCount(); ++i) {
    OMission* mission = new OMission(missions->GetChildAt(i));
    mMissions.push_back(mission);
    mission->Init();
  }

  // Names that point nowhere would make a mission or a condition wait for
  // ever; they count as no predecessor, and the author hears of them once.
  for (OMission* mission : mMissions) {
    str before = mission->GetPredecessorMission();
    if (!before.empty() && !FindMission(before))
      Report("%s: mission \"%s\" waits for mission \"%s\", which does not exist; it waits for nothing",
             MissionsFile().c_str(), mission->GetName().c_str(), before.c_str());
    if (mission->GetChildren().empty())
      Report("%s: mission \"%s\" has no tasks; it can never complete", MissionsFile().c_str(),
             mission->GetName().c_str());
    for (OMissionTask* task : mission->GetChildren()) {
      if (task->GetChildren().empty())
        Report("%s: task \"%s\" has no conditions; it can never complete", MissionsFile().c_str(),
               task->GetName().c_str());
      for (OGameCondition* condition : task->GetChildren()) {
        const str& wait = condition->GetPredecessorTask();
        if (!wait.empty() && !FindTask(wait))
          Report(
              "%s: a condition of task \"%s\" waits for task \"%s\", which does not exist; it waits for "
              "nothing",
              MissionsFile().c_str(), task->GetName().c_str(), wait.c_str());
      }
    }
  }
}

void OMissionsManager::Note(TXmlNode* event) {
  // Every scene build announces its items: a long session must not grow the
  // journal without end. Tests read far fewer lines than are kept.
  const size_t kKept = 20000;
  if (mAsked.size() >= 2 * kKept) mAsked.erase(mAsked.begin(), mAsked.begin() + kKept);
  str type = event->GetAttribute(kType);
  if (type == "flag") {
    mAsked.push_back("flag " + event->GetAttribute("flag_name") + "=" + event->GetAttribute("flag_value"));
    return;
  }
  str line = type;
  str name, value;
  event->ResetAttributes();
  while (event->GetNextAttribute(&name, &value))
    if (name != kType) line += " " + value;
  mAsked.push_back(line);
}

void OMissionsManager::OnEvent(TXmlNode* event) {
  if (!event) return;
  Note(event);
  bool completed = false;
  // By index: the list never changes, but nested dispatches run inside this
  // loop.
  for (size_t i = 0; i < mMissions.size(); ++i)
    if (mMissions[i]->OnEvent(event)) completed = true;
  OHintsManager::GetInstance()->OnEvent(event);
  GGameWnd* window = GGameWnd::GetCurrent();
  if (window && window->GetCurrentScene()) window->GetCurrentScene()->OnGameEvent(event);
  // A mission whose predecessor just completed has not seen what the player
  // already holds.
  if (completed && window) window->ResendHeldItemEvents();
}

void OMissionsManager::Send(const char* type, const char* key, const str& id) {
  TXmlNode event(kEvent);
  event.SetAttribute(kType, type);
  event.SetAttribute(key, id);
  OnEvent(&event);
}

void OMissionsManager::OnFlag(const str& name, const str& value) {
  TXmlNode event(kEvent);
  event.SetAttribute(kType, "flag");
  event.SetAttribute("flag_name", name);
  event.SetAttribute("flag_value", value);
  OnEvent(&event);
}

void OMissionsManager::OnPotionCreate(const str& potion) {
  Send("potion_create", "potion_id", potion);
}
void OMissionsManager::OnItemCreate(const str& item) {
  Send("item_create", "item_id", item);
}
void OMissionsManager::OnItemGet(const str& item) {
  Send("item_get", "item_id", item);
}
void OMissionsManager::OnMagicButtonUnlock(const str& magic) {
  Send("magic_button_unlock", "magic_id", magic);
}
void OMissionsManager::OnNoteRead(const str& item) {
  Send("note_read", "item_id", item);
}
void OMissionsManager::OnPotionDrink(const str& potion) {
  Send("potion_drink", "potion_id", potion);
}
void OMissionsManager::OnPotionReady(const str& potion) {
  Send("potion_ready", "potion_id", potion);
}
void OMissionsManager::OnWorldEnter(const str& worldId) {
  Send("world_enter", "world_id", worldId);
}
void OMissionsManager::OnSceneEnter(const str& sceneId) {
  Send("scene_enter", "scene_id", sceneId);
}
void OMissionsManager::OnItemAction(const str& item) {
  Send("item_action", "item_id", item);
}
void OMissionsManager::OnItemSceneReturn(const str& item) {
  Send("item_scene_return", "item_id", item);
}
void OMissionsManager::OnItemInventoryPush(const str& item) {
  Send("item_inventory_push", "item_id", item);
}

OMission* OMissionsManager::FindMission(const str& name) const {
  for (OMission* mission : mMissions)
    if (mission->GetName() == name) return mission;
  return nullptr;
}

OMissionTask* OMissionsManager::FindTask(const str& name) const {
  for (OMission* mission : mMissions)
    if (OMissionTask* task = mission->FindChild(name)) return task;
  return nullptr;
}

int OMissionsManager::GetPageState(int page) const {
  if (page < 0 || size_t(page) >= mPageStates.size()) return kPageLocked;
  return mPageStates[page];
}

void OMissionsManager::SetPageState(int page, int state) {
  if (page < 0) return;
  if (!StorePageState(page, state))
    Report("quest-book page %d cannot take state %d (pages 0 to %d, states 0 to 2); it stays as it was", page,
           state, kMaxPages - 1);
}

bool OMissionsManager::StorePageState(int page, int state) {
  // The list grows up to the page: a page number from damaged content or a
  // damaged save must not ask for gigabytes.
  if (page < 0 || page >= kMaxPages || state < kPageLocked || state > kPageRevealed) return false;
  if (size_t(page) >= mPageStates.size()) mPageStates.resize(size_t(page) + 1, kPageLocked);
  mPageStates[page] = state;
  return true;
}

void OMissionsManager::Save(TXmlNode* save) const {
  if (!save) return;
  TXmlNode* section = save->CreateChild(kSection);
  TXmlNode* pages = section->CreateChild(kQuestPages);
  for (int32_t state : mPageStates) pages->CreateChild(kPage)->SetAttribute(kState, str::format("%d", state));
  TXmlNode* missions = section->CreateChild(kMissions);
  for (const OMission* mission : mMissions) mission->Save(missions->CreateChild(kMission));
}

void OMissionsManager::ResetMissions() {
  for (OMission* mission : mMissions) {
    mission->Reset();
    mission->SetShown(false);
  }
}

void OMissionsManager::Load(TXmlNode* save) {
  mAsked.push_back("load");
  ResetMissions();
  mPageStates.clear();
  TXmlNode* section = save ? save->GetChild(kSection) : nullptr;
  if (!section) return;
  if (TXmlNode* pages = section->GetChild(kQuestPages)) {
    int page = 0, refused = 0;
    for (size_t i = 0; i < pages->GetChildCount(); ++i) {
      TXmlNode* child = pages->GetChildAt(i);
      if (child->GetName() != kPage) continue;
      if (!StorePageState(page++, child->GetAttribute(kState).to_int())) ++refused;
    }
    // One line for the lot: a damaged save may hold thousands.
    if (refused)
      Report("save: %d quest-book pages refused (pages 0 to %d, states 0 to 2); they stay locked", refused,
             kMaxPages - 1);
  }
  if (TXmlNode* missions = section->GetChild(kMissions)) {
    // By position, up to the shorter of the two lists.
    size_t next = 0;
    for (size_t i = 0; i < missions->GetChildCount() && next < mMissions.size(); ++i) {
      TXmlNode* child = missions->GetChildAt(i);
      if (child->GetName() != kMission) continue;
      mMissions[next++]->Load(child);
    }
  }
}

void OMissionsManager::Reset() {
  mAsked.push_back("reset");
  ResetMissions();
  mPageStates.assign({kPageRevealed, kPageUnlocked, kPageUnlocked});
}
