#include "OMissionResults.h"

#include "OMissionsManager.h"
#include "game/GGameWnd.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OPopupQueue.h"
#include "rules/hints/IHint.h"
#include "rules/hints/OHintsManager.h"
#include "rules/hints/OSimpleHint.h"
#include "rules/questbook/GQuestBookControl.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TStringTable.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/OMagicRegistry.h"
#include "tools/panel/GGamePanel.h"

namespace {

GQuestBookControl* QuestBookControl() {
  GGameWnd* window = GGameWnd::GetCurrent();
  GGamePanel* panel = window ? window->GetPanel() : nullptr;
  return panel ? panel->GetQuestBookControl() : nullptr;
}

// A running hazard with less time left than its limit makes the moment
// unsafe to save: the autosave would bring the player back to a death.
bool Unsafe(const char* controllerKey, uint32_t limitMs) {
  ITimerController* controller = OTimersManager::GetInstance()->GetController(controllerKey);
  return controller && controller->GetState() == ITimerController::kRunning &&
         uint32_t(controller->GetLeftTime()) < limitMs;
}

}  // namespace

namespace OMissionResults {

void Execute(TXmlNode* result) {
  if (!result) return;
  const str type = result->GetAttribute("type");
  if (type == "unlock_page")
    UnlockPage(result);
  else if (type == "unlock_magic")
    UnlockMagic(result);
  else if (type == "unlock_world")
    UnlockWorld(result);
  else if (type == "lock_world")
    LockWorld(result);
  else if (type == "flag")
    SetFlag(result);
  else if (type == "hint")
    QueueHint(result);
  else if (type == "autosave")
    Autosave();
  else if (type == "unlock_panel_book")
    UnlockPanelBook();
  else if (type == "mission_complete_indication")
    MissionCompleteIndication();
  else if (type == "task_complete_indication")
    TaskCompleteIndication();
  else if (type == "greece_catapult_scroll_quest")
    GreeceCatapultScrollQuest(result);
  else if (type == "set_active_recipe")
    SetActiveRecipe(result);
}

void UnlockPage(TXmlNode* result) {
  OMissionsManager::GetInstance()->SetPageState(result->GetAttribute("page_ind").to_int(),
                                                OMissionsManager::kPageUnlocked);
}

void UnlockMagic(TXmlNode* result) {
  OMagicRegistry::GetInstance()->SetValue(result->GetAttribute("magic_id"), 1);
}

void UnlockWorld(TXmlNode* result) {
  const str world = result->GetAttribute("world_id");
  OMagicRegistry::GetInstance()->SetValue(world, world == "home" ? 2 : 1);
}

void LockWorld(TXmlNode* result) {
  OMagicRegistry::GetInstance()->SetValue(result->GetAttribute("world_id"), 0);
}

void SetFlag(TXmlNode* result) {
  OFlagsRegistry::GetInstance()->SetValue(result->GetAttribute("flag_name"),
                                          result->GetAttribute("flag_value"));
}

void QueueHint(TXmlNode* result) {
  OHintsManager::GetInstance()->QueueHint(new OSimpleHint(result->GetAttribute("text"),
                                                          result->GetAttribute("after_close_action"), true,
                                                          ParseHintKind(result->GetAttribute("hint_type"))));
}

void Autosave() {
  TXmlNode* screen = OGameConfig::GetInstance()->GetGameScreen();
  TXmlNode* cfg = screen ? screen->GetChild("autosave_cfg") : nullptr;
  // Seconds in the content, milliseconds on the clocks.
  auto limit = [cfg](const char* name) {
    return uint32_t(cfg ? cfg->GetChildContent(name).to_int() : 0) * 1000u;
  };
  if (Unsafe("vethra", limit("vethra_air_time")) || Unsafe("under_water", limit("underwater_air_time")) ||
      Unsafe("poison", limit("poison_time")) || Unsafe("greece_scroll", limit("greece_time")))
    return;
  if (TXmlNode* locked = cfg ? cfg->GetChild("locked_scenes") : nullptr) {
    const str scene = OGame::HasInstance() ? OGame::GetInstance()->GetCurrentSceneId() : str();
    for (size_t i = 0; i < locked->GetChildCount(); ++i)
      if (locked->GetChildAt(i)->GetContent() == scene) return;
  }
  GGameWnd* window = GGameWnd::GetCurrent();
  if (!window) return;
  // With autosaves turned off nothing is saved, so no message may say it was.
  if (!window->RequestAutosave()) return;
  OPopupQueue::GetInstance()->Push(
      TPlatform::GetInstance()->GetStringTable()->GetString("hint_autosave_complete"));
}

void UnlockPanelBook() {
  if (GQuestBookControl* control = QuestBookControl()) control->SetState(GQuestBookControl::kUnlocked);
  OFlagsRegistry::GetInstance()->SetValue("quest_book_control_unlocked", "true");
}

void MissionCompleteIndication() {
  if (GQuestBookControl* control = QuestBookControl()) control->ShowMissionComplete();
}

void TaskCompleteIndication() {
  if (GQuestBookControl* control = QuestBookControl()) control->ShowTaskComplete();
}

void GreeceCatapultScrollQuest(TXmlNode* result) {
  ITimerController* controller = OTimersManager::GetInstance()->GetController("greece_scroll");
  if (!controller) return;
  const str action = result->GetAttribute("task_timer_action");
  if (action == "start") {
    controller->Start();
  } else if (action == "complete") {
    controller->Stop();
  }
}

void SetActiveRecipe(TXmlNode* result) {
  OFlagsRegistry::GetInstance()->SetValueSilently("active_recipe_name", result->GetAttribute("recipe_name"));
}

}  // namespace OMissionResults
