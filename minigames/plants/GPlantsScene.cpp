#include "GPlantsScene.h"

#include <algorithm>

#include "game/GGameWnd.h"
#include "game/GMiniGameScene.h"
#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OMinigameRegistry.h"
#include "game/OMousePointerManager.h"
#include "items/IItem.h"
#include "items/OItem.h"
#include "items/OItemsManager.h"
#include "minigames/plants/GPlantGoal.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"
#include "visual/GVFactory.h"
#include "visual/GVObject.h"

const char* const GPlantsScene::kHasNoteFlag = "___plans_has_note";

namespace {
const char* const kPlantsRegistryChild = "plants";
const char* const kNoteButton = "plants_note_button";

OMousePointerManager* PlantsHand() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  return pointer ? pointer->GetManager() : nullptr;
}

void Orphan(TWindow* w) {
  if (w && w->GetParent()) w->GetParent()->OrphanChild(w);
}

void Place(GVObject* object, TXmlNode* node, const char* x, const char* y) {
  object->deltaX = node->GetAttribute(x).to_float();
  object->deltaY = node->GetAttribute(y).to_float();
  object->changed = 1;
}
}  // namespace

GPlantsScene::GPlantsScene() : mLuaNames(this) {}

GPlantsScene::~GPlantsScene() {
  for (GPlantGoal* goal : mGoals) delete goal;
  delete mNote;
  DetachPanel();
  mLuaNames.UnbindAll();
}

void GPlantsScene::Init(TWindowStyle& style) {
  mLuaNames.Bind("onMinigameButtonClick", this, &GPlantsScene::OnMinigameButtonClick);
  GFullScreenGameScene::Init(style);
  TXmlNode* state = OGame::HasInstance() ? OGame::GetInstance()->GetCurrentStateNode() : nullptr;
  if (!state) return;
  ReadConfig(state);
  GMiniGameScene::PutAwayHeldItem();
  TakeNote(state);
  CreatePlan(state->GetChild("field"));
  if (TXmlNode* saved = OMinigameRegistry::GetInstance()->GetNode(kPlantsRegistryChild)) {
    // A game left before shows its plan at once, with no tutorial.
    mNoteShown = saved->GetAttribute("visible_note").to_int() == 1;
    if (mNoteShown) ShowPlan();
    return;
  }
  if (TXmlNode* tutorial = state->GetChild("tutorial")) {
    mTutorialCountdown = std::max(0, tutorial->GetAttribute("start").to_int());
    mTutorialScript = tutorial->GetAttribute("script");
    Pause();
  }
}

void GPlantsScene::ReadConfig(TXmlNode* state) {
  if (TXmlNode* items = state->GetChild("items"))
    for (size_t i = 0; i < items->GetChildCount(); ++i)
      mPlants.insert(items->GetChildAt(i)->GetAttribute("name"));
  if (TXmlNode* item = state->GetChild("exit_item")) {
    mWinItem = item->GetAttribute("win");
    mLoseItem = item->GetAttribute("lose");
  }
  if (TXmlNode* scene = state->GetChild("exit_scene_id")) {
    mWinScene = scene->GetAttribute("win");
    mLoseScene = scene->GetAttribute("lose");
  }
  if (TXmlNode* flag = state->GetChild("win_flag")) {
    mWinFlagName = flag->GetAttribute("flag_name");
    mWinFlagValue = flag->GetAttribute("flag_value");
  }
  if (TXmlNode* flag = state->GetChild("lose_flag")) {
    mLoseFlagName = flag->GetAttribute("flag_name");
    mLoseFlagValue = flag->GetAttribute("flag_value");
  }
}

void GPlantsScene::TakeNote(TXmlNode* state) {
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  bool hasNote = flags->GetValue(kHasNoteFlag) == "true";
  TXmlNode* note = state->GetChild("note");
  if (!hasNote && note) {
    const str item = note->GetAttribute("item");
    OMousePointerManager* hand = PlantsHand();
    // The plan is used up: its record ends with it, or a save would build
    // it again in the hand or the cell it was taken from.
    if (hand && hand->GetHeldItem() && hand->GetHeldItem()->GetName() == item) {
      hand->ConsumeHeldItem();
      hasNote = true;
    } else if (GInventory* main = mPanel ? mPanel->GetMainInventory() : nullptr) {
      for (GInventoryCell* cell : main->GetCells()) {
        if (!cell->GetItem() || cell->GetItem()->GetName() != item) continue;
        cell->GetItem()->MoveToDropped();
        cell->DeleteItem();
        hasNote = true;
        break;
      }
    }
    if (hasNote) flags->SetValue(kHasNoteFlag, "true");
  }
  if (hasNote) ShowNoteButton(true);
}

void GPlantsScene::CreatePlan(TXmlNode* field) {
  if (!field) {
    Report("scene \"%s\": the plants game has no \"field\"; there is no plan to show",
           OGame::GetInstance()->GetCurrentSceneId().c_str());
    return;
  }
  GVFactory* factory = GVFactory::GetInstance();
  mNote = factory->CreateInList(&mDrawList, "anim/", field->GetAttribute("note"));
  if (mNote) {
    mNote->SetState(TState::FromStr("normal"), true);
    mNote->visible = 0;
    Place(mNote, field, "note_x", "note_y");
  }
  TXmlNode* goals = field->GetChild("goals");
  if (!goals) return;
  const str icon = goals->GetAttribute("icon");
  // A negative step would run an icon's alpha away without end.
  const float step = std::max(0.0f, goals->GetAttribute("step_alpha").to_float());
  if (step == 0 && goals->GetChildCount() > 0)
    Report(
        "scene \"%s\": the plants game's \"step_alpha\" is \"%s\"; its icons never fill, so once the "
        "plan is shown the game never ends after done",
        OGame::GetInstance()->GetCurrentSceneId().c_str(), goals->GetAttribute("step_alpha").c_str());
  for (size_t i = 0; i < goals->GetChildCount(); ++i) {
    TXmlNode* child = goals->GetChildAt(i);
    GVObject* object = factory->CreateInList(&mDrawList, "anim/", icon);
    if (object) {
      object->SetState(TState::FromStr(child->GetAttribute("icon_state")), true);
      Place(object, child, "icon_x", "icon_y");
    }
    AddGoal(new GPlantGoal(child->GetAttribute("name"), step, object));
    mPlants.insert(child->GetAttribute("name"));
  }
}

void GPlantsScene::ShowNoteButton(bool shown) {
  TWindow* button = mPanel ? mPanel->GetNamedChild(kNoteButton) : nullptr;
  if (!button) return;
  if (!shown)
    Orphan(button);
  else if (!button->GetParent())
    mPanel->AdoptChild(button);
}

void GPlantsScene::ShowPlan() {
  if (mNote) {
    mNote->visible = 1;
    mNote->changed = 1;
  }
  ShowNoteButton(false);
  SyncGoals();
}

bool GPlantsScene::OnMouseDown(const TPoint& point) {
  // Nothing is gathered before the lesson has been read.
  if (mFinished || mTutorialCountdown >= 0) return true;
  if (mInteractionMode == kNote)
    GFullScreenGameScene::OnMouseDown(point);
  else if (!mPanel || !mPanel->HitTest(point))
    OnSceneClick(point);
  return true;
}

void GPlantsScene::UpdateTimers() {
  // The hazards' clocks stand still during the game.
  OTimersManager::GetInstance()->Update(true);
}

void GPlantsScene::Update() {
  GFullScreenGameScene::Update();
  if (mState != kActive) return;
  bool full = mNoteShown ? StepGoals() : true;
  if (mDone && full) Finish(true);
  if (mTutorialCountdown > 0) {
    --mTutorialCountdown;
  } else if (mTutorialCountdown == 0) {
    mTutorialCountdown = -1;
    if (GGameWnd* wnd = OGame::GetInstance()->GetGameWindow()) wnd->ShowDialog(mTutorialScript);
  }
}

bool GPlantsScene::StepGoals() {
  bool full = true;
  for (GPlantGoal* goal : mGoals) {
    goal->Step();
    full = full && goal->IsFull();
  }
  return full;
}

void GPlantsScene::AttachPanel(GGamePanel* panel) {
  mPanel = panel;
  if (!mPanel) return;
  mPanel->SetKind(GGamePanel::kKindPlants);
  mPanelLayer->AdoptChild(mPanel);
}

void GPlantsScene::DetachPanel() {
  if (!mPanel) return;
  mPanel->Release(this, mPanelLayer);
  mPanel = nullptr;
}

void GPlantsScene::Pause() {
  GFullScreenGameScene::Pause();
  if (mPanel) mPanel->Lock();
}

void GPlantsScene::Resume() {
  // A fresh game waits for its lesson: the end of the fade-in must not
  // start it before the player has read it.
  if (mTutorialCountdown >= 0 && !mFinished) return;
  GFullScreenGameScene::Resume();
  if (mPanel) mPanel->Unlock();
}

void GPlantsScene::SaveState() {
  GFullScreenGameScene::SaveState();
  // An ended game has handed its item, flag and scene over already.
  if (mFinished) return;
  if (TXmlNode* node = OMinigameRegistry::GetInstance()->CreateNode(kPlantsRegistryChild)) WriteState(node);
}

void GPlantsScene::WriteState(TXmlNode* node) {
  node->SetAttribute("visible_note", mNoteShown ? "1" : "0");
}

void GPlantsScene::DescribeState(TXmlNode* node) {
  WriteState(node);
  node->SetAttribute("done", mDone ? "1" : "0");
  for (GPlantGoal* goal : mGoals) {
    TXmlNode* child = node->CreateChild("goal");
    child->SetAttribute("name", goal->GetName());
    child->SetAttribute("alpha", str::format("%g", goal->GetAlpha()));
  }
}

void GPlantsScene::OnGameEvent(TXmlNode* event) {
  str type = event ? event->GetAttribute("type") : str();
  if (type == "item_inventory_push" || type == "item_get") SyncGoals();
}

GPlantGoal* GPlantsScene::FindGoal(const str& name) const {
  for (GPlantGoal* goal : mGoals)
    if (goal->GetName() == name) return goal;
  return nullptr;
}

void GPlantsScene::SyncGoals() {
  if (!mNoteShown) return;
  for (GPlantGoal* goal : mGoals)
    if (goal->IsFull()) goal->FadeOut();
  GInventory* plants = mPanel ? mPanel->GetInventory(GGamePanel::kPlantsInventory) : nullptr;
  if (!plants) return;
  for (GInventoryCell* cell : plants->GetCells())
    if (IItem* item = cell->GetItem())
      if (GPlantGoal* goal = FindGoal(item->GetName())) goal->FadeIn();
}

void GPlantsScene::OnMinigameButtonClick() {
  if (mFinished || IsPaused()) return;
  if (mNote ? mNote->visible != 0 : mNoteShown) return;
  mNoteShown = true;
  ShowPlan();
}

void GPlantsScene::OnDoneClick() {
  if (mState != kActive || mDone || mFinished) return;
  GInventory* plants = mPanel ? mPanel->GetInventory(GGamePanel::kPlantsInventory) : nullptr;
  // Every plant of the plan must lie in some cell: one plant stored twice
  // does not stand in for another.
  for (GPlantGoal* goal : mGoals) {
    bool stored = false;
    for (GInventoryCell* cell : plants ? plants->GetCells() : std::vector<GInventoryCell*>())
      stored = stored || (cell->GetItem() && cell->GetItem()->GetName() == goal->GetName());
    if (!stored) return;
  }
  // The win comes in a tick, once every icon is full.
  mDone = true;
}

void GPlantsScene::OnClearClick() {
  if (mState != kActive || mDone || mFinished) return;
  OMousePointerManager* hand = PlantsHand();
  OItem* held = hand ? dynamic_cast<OItem*>(hand->GetHeldItem()) : nullptr;
  // Only a plant goes back to the beds; the end keeps anything else.
  if (held && IsPlant(held)) {
    hand->ReleaseItem();
    held->ReturnToScene(true);
    if (mItemsManager) mItemsManager->InsertInSceneOrder(held);
  }
  // Kept so that the plan shows at once when the player comes back.
  SaveState();
  Finish(false);
}

bool GPlantsScene::IsPlant(IItem* item) const {
  return item && mPlants.count(item->GetName()) != 0;
}

void GPlantsScene::EmptyPlantsInventory(bool won) {
  GInventory* plants = mPanel ? mPanel->GetInventory(GGamePanel::kPlantsInventory) : nullptr;
  if (!plants) return;
  if (!won && mItemsManager)
    for (GInventoryCell* cell : plants->GetCells()) {
      OItem* plant = IsPlant(cell->GetItem()) ? dynamic_cast<OItem*>(cell->GetItem()) : nullptr;
      if (!plant) continue;
      // Given up: the plants grow where they were, for the next try.
      cell->TakeItem();
      plant->SetItemsManager(mItemsManager);
      plant->ReturnToScene(true);
      mItemsManager->InsertInSceneOrder(plant);
    }
  GMiniGameScene::ClearCellsAtEnd(plants, [this](IItem* item) { return IsPlant(item); });
}

void GPlantsScene::Finish(bool won) {
  if (mFinished) return;
  mFinished = true;
  // Nothing stays in the plants inventory, which no other scene shows: a
  // plant gathered ends with the game, anything of the player's goes back
  // to the main inventory.
  GMiniGameScene::ClearHandAtEnd([this](IItem* held) { return IsPlant(held); });
  EmptyPlantsInventory(won);
  GMiniGameScene::GiveExitItem(won ? mWinItem : mLoseItem);
  const str& flag = won ? mWinFlagName : mLoseFlagName;
  if (!flag.empty()) OFlagsRegistry::GetInstance()->SetValue(flag, won ? mWinFlagValue : mLoseFlagValue);
  // No exit scene is this scene again, so the fade out ends somewhere.
  GMiniGameScene::EnterExitScene(won ? mWinScene : mLoseScene);
  SetState(kFadeOutScene);
}
