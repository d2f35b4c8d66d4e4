#include "GTagScene.h"

#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OMinigameRegistry.h"
#include "game/OMousePointerManager.h"
#include "items/IItem.h"
#include "sdk/TImage.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"
#include "visual/GVXmlLoaders.h"

const char* const GTagScene::kHasNoteFlag = "___tag_has_note";

namespace {
const char* const kTagNoteButton = "tag_note_button";
}  // namespace

GMiniGameScene* NewTagScene() {
  return new GTagScene();
}

GTagScene::GTagScene() {
  mField.SetObjectMaker([this](const str& path) { return MakeObject("anim/minigames/tag/", path); });
  mField.SetAnimations(GetParticles());
}

GTagScene::~GTagScene() {
  mLuaNames.UnbindAll();
  DetachPanel();
}

void GTagScene::Init(TWindowStyle& style) {
  mLuaNames.Bind("onMinigameButtonClick", this, &GTagScene::OnMinigameButtonClick);
  StartWindowAnimation(16, true, true, false);
  PutAwayHeldItem();
  if (TXmlNode* note = mConfig ? mConfig->GetChild("note") : nullptr) SetUpNote(note);
  ReadExits();
  mField.Load(mConfig ? mConfig->GetChild("field") : nullptr);
  if (TXmlNode* saved = OMinigameRegistry::GetInstance()->GetNode("tags")) {
    mField.Restore(saved);
    if (saved->GetAttribute("visible_note").to_int() == 1) ShowNote();
    return;
  }
  mField.NewGame();
  if (ReadTutorial(mConfig)) Pause();
}

void GTagScene::SetUpNote(TXmlNode* note) {
  mNoteImage = LoadImageFromXml(note);
  if (mNoteImage) {
    mNoteImage->SetAlpha(0);
    AdoptIntoLayer(mNoteImage);
  }
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  if (flags->GetValue(kHasNoteFlag) != "true") {
    if (!TakeNoteItem(note->GetAttribute("item"))) return;
    flags->SetValue(kHasNoteFlag, "true");
  }
  TWindow* button = mPanel ? mPanel->GetNamedChild(kTagNoteButton) : nullptr;
  if (button && !button->GetParent()) mPanel->AdoptChild(button, true);
}

bool GTagScene::TakeNoteItem(const str& name) {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  IItem* held = pointer ? pointer->GetHeldItem() : nullptr;
  // The note is handed over for good: its record ends with it, or a save
  // would still put it in the hand or the cell it was taken from.
  if (held && held->GetName() == name) {
    if (OMousePointerManager* hand = pointer->GetManager()) {
      hand->ConsumeHeldItem();
      return true;
    }
  }
  GGameWnd* wnd = OGame::GetInstance()->GetGameWindow();
  GGamePanel* panel = wnd ? wnd->GetPanel() : nullptr;
  GInventory* inventory = panel ? panel->GetMainInventory() : nullptr;
  if (!inventory) return false;
  for (GInventoryCell* cell : inventory->GetCells()) {
    if (cell && cell->GetItem() && cell->GetItem()->GetName() == name) {
      IItem* note = cell->TakeItem();
      note->MoveToDropped();
      delete note;
      return true;
    }
  }
  return false;
}

void GTagScene::HideNoteButton() {
  TWindow* button = mPanel ? mPanel->GetNamedChild(kTagNoteButton) : nullptr;
  if (button && button->GetParent()) button->GetParent()->OrphanChild(button);
}

void GTagScene::ShowNote() {
  mNoteShown = true;
  if (mNoteImage) mNoteImage->SetAlpha(1);
  HideNoteButton();
}

void GTagScene::OnMinigameButtonClick() {
  // Without a note there is nothing to open, whatever calls the global.
  if (IsFinished() || IsPaused() || !mNoteImage || mNoteImage->GetAlpha() != 0) return;
  ShowNote();
}

bool GTagScene::OnMouseDown(const TPoint& point) {
  if (IsFinished() || WaitsForLesson()) return true;
  mField.OnClick(point);
  if (mField.IsSolved()) Finish(true);
  return true;
}

bool GTagScene::OnMouseMove(const TPoint& point) {
  if (!IsFinished()) mField.Highlight(point);
  return false;
}

void GTagScene::Update() {
  GMiniGameScene::Update();
  mField.Update();
  TickTutorial();
}

void GTagScene::Finish(bool won) {
  if (won) {
    FinishWith("tags", mExitItem, mWinFlagName, mWinFlagValue, mWinScene);
    return;
  }
  // A loss keeps the field the exit button saved, for the next visit.
  if (!BeginFinish()) return;
  SetExitFlag(mLoseFlagName, mLoseFlagValue);
  EnterExitScene(mLostScene);
  SetState(kFadeOutScene);
}

void GTagScene::WriteState(TXmlNode* node) {
  mField.Save(node);
  node->SetAttribute("visible_note", mNoteShown ? "1" : "0");
}

void GTagScene::DescribeState(TXmlNode* node) {
  WriteState(node);
  TXmlNode* items = node->GetChild("items");
  const std::vector<GTagTile*>& tiles = mField.GetTiles();
  for (size_t i = 0; items && i < items->GetChildCount() && i < tiles.size(); ++i)
    items->GetChildAt(i)->SetAttribute("m", tiles[i]->moving ? "1" : "0");
  std::vector<TFxSpriteRef>* animations = GetParticles();
  if (!animations->empty() && animations->front()) {
    const TVec3& at = animations->front()->GetPosition();
    node->SetAttribute("marker_x", str::format("%g", double(at.x)));
    node->SetAttribute("marker_y", str::format("%g", double(at.y)));
  }
  node->SetAttribute("note_alpha", mNoteImage ? str::format("%g", mNoteImage->GetAlpha()) : str("none"));
  node->SetAttribute("solved", mField.IsSolved() ? "1" : "0");
}

void GTagScene::OnDoneClick() {
  if (IsFinished()) return;
  mField.PlayDoneSound();
  if (mField.IsSolved()) Finish(true);
}

void GTagScene::OnClearClick() {
  if (IsFinished()) return;
  SaveState();
  Finish(false);
}
