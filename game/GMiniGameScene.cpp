#include "GMiniGameScene.h"

#include <algorithm>

#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OMinigameRegistry.h"
#include "game/OMousePointerManager.h"
#include "game/OPopupQueue.h"
#include "items/IItem.h"
#include "items/OFireMagicItem.h"
#include "items/OItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TLuaParticleSystem.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"
#include "visual/GBaseInterpolator.h"
#include "visual/GZInterpolator.h"
#include "visual/TFxSprite.h"

GMiniGameScene::GMiniGameScene() : mParticles(new std::vector<TFxSpriteRef>()) {
  mSpriteRoot = TSprite::Create(0);
  OHintsManager::GetInstance()->SetCurrentScene(this);
  DropHintWindow();
  mOverlayLayer = NewLayer();
  mPopupLayer = NewLayer();
  // Above the fade image: a mini-game's hints and popups are not darkened.
  mTopLayer->AdoptChild(mOverlayLayer);
  mTopLayer->AdoptChild(mPopupLayer);
  OPopupQueue::GetInstance()->SetParentLayer(mPopupLayer);
}

GMiniGameScene::~GMiniGameScene() {
  DetachPanel();
  mSpriteRoot->RemoveChildren();
  for (TFxSpriteRef& sprite : *mParticles) sprite->GetParticleSystem()->SetDone();
  delete mParticles;
  for (GBaseInterpolator* ip : mInterpolators) delete ip;
  for (GZInterpolator* animation : mAnimations) delete animation;
  if (OHintsManager::HasInstance() && OHintsManager::GetInstance()->GetCurrentScene() == this) {
    OHintsManager::GetInstance()->SetCurrentScene(nullptr);
    DropHintWindow();
  }
  if (OPopupQueue::HasInstance() && OPopupQueue::GetInstance()->GetParentLayer() == mPopupLayer)
    OPopupQueue::GetInstance()->SetParentLayer(nullptr);
  delete mItemsManager;
}

void GMiniGameScene::Update() {
  // Timers never run inside a mini-game.
  OTimersManager::GetInstance()->Update(true);
  for (GZInterpolator* animation : mAnimations) animation->Update();
  for (GBaseInterpolator* ip : mInterpolators) ip->Update();
  TWindowManager::GetInstance()->InvalidateScreen();
  GScene::Update();
  if (mState == kActive) {
    OHintsManager::GetInstance()->Update();
    OPopupQueue::GetInstance()->Update();
  }
}

void GMiniGameScene::AdoptOverlayChild(TWindow* child) {
  if (child) mOverlayLayer->AdoptChild(child);
}

TSpriteRef GMiniGameScene::AddAnimation(TXmlNode* node, int x, int y) {
  TFxSpriteRef sprite = TFxSprite::Create(int(mParticles->size()), node->GetAttribute("file"));
  sprite->SetPosition(TVec3(float(x), float(y), 0));
  if (TScript* script = sprite->GetScript()) script->DoLuaString("gActive = true", 0);
  mSpriteRoot->AddChild(sprite);
  mParticles->push_back(sprite);
  for (size_t i = 0; i < node->GetChildCount(); ++i) {
    TXmlNode* child = node->GetChildAt(i);
    if (child->GetName() != "ip") continue;
    if (GBaseInterpolator* ip = GBaseInterpolator::Create(sprite, child)) mInterpolators.push_back(ip);
  }
  return sprite;
}

void GMiniGameScene::DrawObjects(TWindow* wrapper) {
  mDrawList.Draw();
  T2dScope pass;
  mSpriteRoot->Draw(TDrawSpec());
}

void GMiniGameScene::AttachPanel(GGamePanel* panel) {
  mPanel = panel;
  if (mPanel) AdoptChild(mPanel);
}

void GMiniGameScene::DetachPanel() {
  if (!mPanel) return;
  mPanel->Release(this, this);
  mPanel = nullptr;
}

void GMiniGameScene::Pause() {
  GScene::Pause();
  if (mPanel) mPanel->Lock();
}

void GMiniGameScene::Resume() {
  // A game that waits for its lesson stays still until the lesson's dialog
  // has opened and closed: the end of the fade-in must not start it early.
  if (WaitsForLesson()) return;
  GScene::Resume();
  if (mPanel) mPanel->Unlock();
}

void GMiniGameScene::SaveState() {
  const char* name = GetRegistryName();
  if (mFinished || !name) return;
  if (TXmlNode* node = OMinigameRegistry::GetInstance()->CreateNode(name)) WriteState(node);
}

bool GMiniGameScene::BeginFinish() {
  if (mFinished) return false;
  mFinished = true;
  return true;
}

namespace {
// The first empty cell of the main inventory, or null.
GInventoryCell* FreeMainCell() {
  GGameWnd* wnd = OGame::HasInstance() ? OGame::GetInstance()->GetGameWindow() : nullptr;
  GInventory* main = wnd && wnd->GetPanel() ? wnd->GetPanel()->GetMainInventory() : nullptr;
  if (main)
    for (GInventoryCell* cell : main->GetCells())
      if (!cell->GetItem()) return cell;
  return nullptr;
}

bool IsFireMagic(IItem* item) {
  return item && item->GetTypeId() == ItemTypeId::OFireMagicItem;
}

// The player's item, held by nothing now, into the first free cell of the
// main inventory, else back to the scene it was taken from.
void KeepForPlayer(IItem* item) {
  GInventoryCell* free = FreeMainCell();
  if (free && item->CanBeStored()) {
    if (OItem* owned = dynamic_cast<OItem*>(item)) owned->SetItemsManager(free->GetItemsManager());
    free->PutItem(item);  // its record now says the inventory
    return;
  }
  Report("mini-game: no free cell in the main inventory for \"%s\"; it goes back to its scene",
         item->GetName().c_str());
  item->MoveToScene();
  item->SaveState();
  delete item;
}
}  // namespace

void GMiniGameScene::PutAwayHeldItem(const PieceTest& keepPiece) {
  OMousePointerManager* hand = GMousePointer::PeekManager();
  IItem* item = hand ? hand->GetHeldItem() : nullptr;
  if (IsFireMagic(item)) {
    // Deletes itself, leaving in the hand the item it was cast on, if any.
    static_cast<OFireMagicItem*>(item)->GoOut();
    item = hand->GetHeldItem();
  }
  if (!item || (keepPiece && keepPiece(item))) return;
  hand->ReleaseItem();
  KeepForPlayer(item);
}

bool GMiniGameScene::CanPutAwayHeldItem() {
  OMousePointerManager* hand = GMousePointer::PeekManager();
  IItem* item = hand ? hand->GetHeldItem() : nullptr;
  if (IsFireMagic(item)) return OFireMagicItem::GetSavedItem().empty() || FreeMainCell();
  // What can never be stored goes back to its scene, as it always has.
  return !item || !item->CanBeStored() || FreeMainCell();
}

void GMiniGameScene::ClearCellsAtEnd(GInventory* inventory, const PieceTest& isPiece) {
  if (!inventory) return;
  for (GInventoryCell* cell : inventory->GetCells()) {
    IItem* item = cell->TakeItem();
    if (!item) continue;
    if (isPiece && isPiece(item)) {
      // Used up as a piece in the hand is: its record ended first.
      item->MoveToDropped();
      delete item;
    } else {
      KeepForPlayer(item);
    }
  }
}

void GMiniGameScene::ClearHandAtEnd(const PieceTest& isPiece) {
  OMousePointerManager* hand = GMousePointer::PeekManager();
  IItem* item = hand ? hand->GetHeldItem() : nullptr;
  if (!item) return;
  if (isPiece && isPiece(item))
    hand->ConsumeHeldItem();
  else
    PutAwayHeldItem();
}

bool GMiniGameScene::IsOfGuideType(const str& name, const char* type) {
  TXmlNode* guide = name.empty() ? nullptr : OItemFactory::FindGuideNode(name);
  return guide && guide->GetAttribute("type") == type;
}

bool GMiniGameScene::IsOfGuideType(IItem* item, const char* type) {
  return item && IsOfGuideType(item->GetName(), type);
}

void GMiniGameScene::GiveExitItem(const str& itemId) {
  if (itemId.empty()) return;
  IItem* item = OItemFactory::CreateForPointer(itemId, nullptr);
  if (!item) {
    Report("mini-game: exit item \"%s\" is not in the items guide; the hand stays as it is", itemId.c_str());
    return;
  }
  if (!GMousePointer::PeekManager()) {
    delete item;
    return;
  }
  // Whatever is still in the hand is the player's: it is kept. It goes
  // before the visual is made, which already shows the new item in the hand.
  PutAwayHeldItem();
  item->CreateObject();
  GMousePointer::GetInstance()->HoldItem(item);
  item->SaveState();
}

void GMiniGameScene::SetExitFlag(const str& name, const str& value) {
  // A variable without a name could never be saved; no flag is meant.
  if (name.empty()) return;
  OFlagsRegistry::GetInstance()->SetValue(name, value);
}

void GMiniGameScene::EnterExitScene(const str& sceneId) {
  OGame* game = OGame::GetInstance();
  // A scene the world does not have is reported by SetCurrentScene; the
  // current one is entered again instead, or the fade out would end on
  // nothing and leave the player before a black screen.
  if (!sceneId.empty() && game->SetCurrentScene(sceneId)) return;
  game->SetCurrentScene(game->GetCurrentSceneId());
}

void GMiniGameScene::FinishWith(const str& registryChild, const str& itemId, const str& flagName,
                                const str& flagValue, const str& sceneId) {
  if (!BeginFinish()) return;
  OMinigameRegistry::GetInstance()->DeleteNode(registryChild);
  ClearHandAtEnd([this](IItem* item) { return IsGamePiece(item); });
  GiveExitItem(itemId);
  SetExitFlag(flagName, flagValue);
  EnterExitScene(sceneId);
  SetState(kFadeOutScene);
}

bool GMiniGameScene::ReadTutorial(TXmlNode* stateNode) {
  TXmlNode* tutorial = stateNode ? stateNode->GetChild("tutorial") : nullptr;
  if (!tutorial) return false;
  mTutorialCountdown = std::max(0, tutorial->GetAttribute("start").to_int());
  mTutorialScript = tutorial->GetAttribute("script");
  return true;
}

void GMiniGameScene::TickTutorial() {
  if (mTutorialCountdown < 0) return;
  // A game already over has nothing left to teach; its fade out must run.
  if (mFinished) {
    mTutorialCountdown = -1;
    return;
  }
  if (mTutorialCountdown > 0) {
    --mTutorialCountdown;
    return;
  }
  mTutorialCountdown = -1;
  if (GGameWnd* wnd = OGame::GetInstance()->GetGameWindow()) wnd->ShowDialog(mTutorialScript);
}
