#include "GMirrorsScene.h"

#include <set>

#include "game/GMousePointer.h"
#include "game/OMinigameRegistry.h"
#include "game/OMousePointerManager.h"
#include "items/IItem.h"
#include "items/OItemFactory.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"
#include "visual/TFxSprite.h"

namespace {
const char* const kMirrorsFolder = "anim/minigames/mirrors/";
const char* const kMirrorType = "mirror";

OMousePointerManager* Hand() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  return pointer ? pointer->GetManager() : nullptr;
}

str HeldName() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  IItem* held = pointer ? pointer->GetHeldItem() : nullptr;
  return held ? held->GetName() : str();
}

void DeleteHeld() {
  if (OMousePointerManager* hand = Hand()) hand->DeleteHeldItem();
}

// The game's pieces are the items the items guide gives the type "mirror".
bool IsMirror(const str& name) {
  return GMiniGameScene::IsOfGuideType(name, kMirrorType);
}

bool IsMirrorItem(IItem* item) {
  return GMiniGameScene::IsOfGuideType(item, kMirrorType);
}

bool GiveToHand(const str& name) {
  IItem* item = OItemFactory::CreateForInventory(name, nullptr);
  if (!item) return false;
  item->CreateObject();
  GMousePointer::GetInstance()->HoldItem(item);
  return true;
}
}  // namespace

GMiniGameScene* NewMirrorsScene() {
  return new GMirrorsScene();
}

GMirrorsScene::GMirrorsScene() {
  mField.SetObjectMaker([this](const str& path) { return MakeObject(kMirrorsFolder, path); });
  mField.SetFinishHandler([this](bool won) { Finish(won); });
  mField.SetAnimationStarter([this] {
    for (TFxSpriteRef& sprite : *GetParticles())
      if (TScript* script = sprite ? sprite->GetScript() : nullptr)
        script->DoLuaString("gActive = true", -1, 0);
  });
  mField.SetHand(GMirrorsField::Hand{&HeldName, &DeleteHeld, &GiveToHand, &IsMirror});
}

GMirrorsScene::~GMirrorsScene() {
  DetachPanel();
}

void GMirrorsScene::AttachPanel(GGamePanel* panel) {
  GBoardGameScene::AttachPanel(panel);
  // The strip is emptied whenever the game is left: only mirrors go in.
  if (GInventory* inventory = GetMirrorsInventory()) inventory->SetAccepts(&IsMirrorItem);
}

void GMirrorsScene::DetachPanel() {
  DeleteInventoryMirrors();
  GMiniGameScene::DetachPanel();
}

void GMirrorsScene::Init(TWindowStyle& style) {
  StartWindowAnimation(16, true, true, false);
  PutAwayHeldItem();
  ReadExits();
  if (!mField.Load(mConfig ? mConfig->GetChild("field") : nullptr)) return;
  if (TXmlNode* saved = OMinigameRegistry::GetInstance()->GetNode("mirrors")) {
    // The panel brings the inventory back itself, and a loaded game's hand
    // comes after the scene is built: the mirrors are counted on the first
    // tick.
    mField.Restore(saved);
    mCountMirrors = true;
    return;
  }
  FillInventory();
  if (ReadTutorial(mConfig)) Pause();
}

bool GMirrorsScene::IsGamePiece(IItem* item) const {
  return IsMirrorItem(item);
}

GInventory* GMirrorsScene::GetMirrorsInventory() const {
  return mPanel ? mPanel->GetInventory(GGamePanel::kMirrorsInventory) : nullptr;
}

void GMirrorsScene::DeleteInventoryMirrors() {
  if (GInventory* inventory = GetMirrorsInventory()) inventory->DeleteItems();
}

void GMirrorsScene::FillInventory() {
  GInventory* inventory = GetMirrorsInventory();
  for (int n = 1; n <= kMirrorCount; ++n) {
    IItem* item = OItemFactory::CreateForInventory(str::format("mirrors_mirror%d", n), nullptr);
    if (!item) continue;
    item->CreateObject();
    GInventoryCell* cell = inventory ? inventory->GetCell(n - 1) : nullptr;
    if (!cell || !cell->PutItem(item)) delete item;
  }
}

bool GMirrorsScene::OnMouseDown(const TPoint& point) {
  if (!IsFinished() && !WaitsForLesson()) mField.OnClick(point);
  return true;
}

bool GMirrorsScene::OnMouseMove(const TPoint& point) {
  if (!IsFinished()) mField.Highlight(point);
  return false;
}

bool GMirrorsScene::OnExtendedMouseEvent(const TPoint& point, int kind) {
  if (!mPanel) return false;
  if (kind == 4 || kind == 6) mPanel->onInventoryPrev();
  if (kind == 5 || kind == 7) mPanel->onInventoryNext();
  return false;
}

void GMirrorsScene::CountMirrors() {
  GInventory* inventory = GetMirrorsInventory();
  std::set<str> found;
  if (!HeldName().empty()) found.insert(HeldName());
  if (inventory)
    for (GInventoryCell* cell : inventory->GetCells())
      if (cell && cell->GetItem()) found.insert(cell->GetItem()->GetName());
  for (GMirrorsMarker* marker : mField.GetMarkers()) {
    if (!marker->v || found.insert(marker->id).second) continue;
    Report("minigame_registry: \"%s\" is saved on the mirrors board and elsewhere; the board's is taken off",
           marker->id.c_str());
    mField.EmptyMarker(marker);
  }
  for (int n = 1; n <= kMirrorCount; ++n) {
    const str name = str::format("mirrors_mirror%d", n);
    if (found.count(name)) continue;
    Report("minigame_registry: \"%s\" is nowhere in the saved mirrors game; it is back in the panel",
           name.c_str());
    GInventoryCell* free = nullptr;
    if (inventory)
      for (GInventoryCell* cell : inventory->GetCells())
        if (cell && !cell->GetItem()) {
          free = cell;
          break;
        }
    IItem* item = free ? OItemFactory::CreateForInventory(name, nullptr) : nullptr;
    if (!item) continue;
    item->CreateObject();
    if (!free->PutItem(item)) delete item;
  }
}

void GMirrorsScene::Update() {
  if (mCountMirrors) {
    mCountMirrors = false;
    CountMirrors();
  }
  GMiniGameScene::Update();
  mField.Update();
  TickTutorial();
}

void GMirrorsScene::Finish(bool won) {
  if (won)
    FinishWith("mirrors", mExitItem, mWinFlagName, mWinFlagValue, mWinScene);
  else
    FinishWith("mirrors", str(), mLoseFlagName, mLoseFlagValue, mLostScene);
}

void GMirrorsScene::DescribeState(TXmlNode* node) {
  WriteState(node);
  TXmlNode* items = node->GetChild("items");
  const std::vector<GMirrorsMarker*>& markers = mField.GetMarkers();
  for (size_t i = 0; items && i < items->GetChildCount() && i < markers.size(); ++i) {
    GVObject* main = markers[i]->object ? markers[i]->object->GetChild("main") : nullptr;
    if (!main) continue;
    main->UpdateData();
    main->UpdateTransform(nullptr);
    GVRectF r = main->GetFrameRect();
    items->GetChildAt(i)->SetAttribute("cx", str::format("%.0f", double((r.left + r.right) / 2)));
    items->GetChildAt(i)->SetAttribute("cy", str::format("%.0f", double((r.top + r.bottom) / 2)));
  }
  if (GVObject* win = mField.GetWinObject()) node->SetAttribute("win", win->GetState().ToStr());
  if (GVObject* board = mField.GetBoard()) node->SetAttribute("board_y", str::format("%g", board->deltaY));
}

void GMirrorsScene::OnDoneClick() {
  if (!IsFinished() && mField.GetState() == GMirrorsField::kPlaying) mField.Check();
}

void GMirrorsScene::OnClearClick() {
  if (IsFinished() || mField.GetState() != GMirrorsField::kPlaying) return;
  mField.ClearMarkers();
  DeleteInventoryMirrors();
  // A mirror in the hand is among the nine made again; anything else is
  // the player's and is put away.
  ClearHandAtEnd(&IsMirrorItem);
  FillInventory();
}
