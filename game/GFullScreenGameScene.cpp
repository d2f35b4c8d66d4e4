#include "GFullScreenGameScene.h"

#include <algorithm>

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/GSceneCaption.h"
#include "game/IMask.h"
#include "game/ODropZoneSet.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "game/OPopupQueue.h"
#include "game/OSimpleBackground.h"
#include "game/OSoundManager.h"
#include "items/OComboGuide.h"
#include "items/ODialogItem.h"
#include "items/OItem.h"
#include "items/OItemsManager.h"
#include "items/OMatchesBoxItem.h"
#include "items/ONoteItem.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OCompositeAction.h"
#include "rules/hints/OHintsManager.h"
#include "rules/hints/OSimpleHint.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TRenderer.h"
#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "tools/GFrontItemHolder.h"
#include "visual/GBaseInterpolator.h"
#include "visual/GVObjectWrapper.h"
#include "visual/GZInterpolator.h"
#include "visual/TFxSprite.h"

namespace {
void RunInSprite(const TFxSpriteRef& sprite, const str& code) {
  if (TScript* script = sprite->GetScript()) script->DoLuaString(code, 0);
}

OMousePointerManager* PointerManager() {
  return GMousePointer::PeekManager();
}

IItem* HeldItem() {
  OMousePointerManager* manager = PointerManager();
  return manager ? manager->GetHeldItem() : nullptr;
}

// Pointer events go through the pointer window, which passes them to its
// manager once it is set up.
IMousePointerEventListener* PointerEvents() {
  return GMousePointer::GetInstance();
}
}  // namespace

void GSceneEffectsWnd::PostDraw() {
  TWindow::PostDraw();
  if (!mScene || !mScene->GetEffectsSpriteA()) return;
  T2dScope pass;
  mScene->GetEffectsSpriteA()->Draw(TDrawSpec());
}

GFullScreenGameScene::GFullScreenGameScene() {
  mBackgroundLayer = NewLayer();
  mObjectWrapper = new GVObjectWrapper();
  mObjectWrapper->SetWindowSize(800, 600);
  mObjectWrapper->client = this;
  mOverlayLayer = NewLayer();
  mEffectsWnd = new GSceneEffectsWnd(this);
  mEffectsWnd->SetWindowSize(800, 600);
  mUpperLayer = NewLayer();
  mFrontItemHolder = new GFrontItemHolder();
  mFrontItemHolder->SetWindowSize(800, 600);
  mHintLayer = NewLayer();
  mPopupLayer = NewLayer();
  mPanelLayer = NewLayer();
  // Later children draw over earlier ones: the panel over the whole scene,
  // the front item over the objects and effects.
  for (TWindow* w : {mBackgroundLayer, static_cast<TWindow*>(mObjectWrapper), mOverlayLayer,
                     static_cast<TWindow*>(mEffectsWnd), mUpperLayer, static_cast<TWindow*>(mFrontItemHolder),
                     mHintLayer, mPopupLayer, mPanelLayer})
    mSceneLayer->AdoptChild(w);
  mCaptionLayer->AdoptChild(mCaption);
  mEffectSpriteA = TSprite::Create(0);
  mEffectSpriteB = TSprite::Create(0);
  OHintsManager::GetInstance()->SetCurrentScene(this);
  DropHintWindow();
  OPopupQueue::GetInstance()->SetParentLayer(mPopupLayer);
}

GFullScreenGameScene::~GFullScreenGameScene() {
  if (OPopupQueue::HasInstance() && OPopupQueue::GetInstance()->GetParentLayer() == mPopupLayer)
    OPopupQueue::GetInstance()->SetParentLayer(nullptr);
  if (OHintsManager::HasInstance() && OHintsManager::GetInstance()->GetCurrentScene() == this) {
    OHintsManager::GetInstance()->SetCurrentScene(nullptr);
    DropHintWindow();
  }
  if (OMousePointerManager* manager = PointerManager())
    if (manager->GetCaption() == mCaption) manager->SetCaption(nullptr);
  mEffectSpriteA->RemoveChildren();
  for (TFxSpriteRef& sprite : mParticles) sprite->GetParticleSystem()->SetDone();
  // The caption is the base's to delete; the holder is deleted here, with
  // its item, before the items manager goes.
  if (mCaption->GetParent()) mCaption->GetParent()->OrphanChild(mCaption);
  mSceneLayer->OrphanChild(mFrontItemHolder);
  delete mItemNames;
  delete mItemsManager;
  delete mDropZones;
  delete mFrontItemHolder;
  for (GBaseInterpolator* ip : mInterpolators) delete ip;
  for (GZInterpolator* animation : mAnimations) delete animation;
  delete mStartAction;
  if (mBackground) {
    if (mBackground->GetParent()) mBackground->GetParent()->OrphanChild(mBackground);
    delete mBackground;
  }
}

void GFullScreenGameScene::Init(TWindowStyle& style) {
  TWindow::Init(style);
  mCaption->Init(style);
  if (mItemsManager) mItemsManager->CreateObjects();
  if (OMousePointerManager* manager = PointerManager()) manager->SetCaption(mCaption);
  mCaption->SetKey(str());
  mCaption->SetShown(false);
}

void GFullScreenGameScene::PostDraw() {
  TWindow::PostDraw();
  T2dScope pass;
  mEffectSpriteB->Draw(TDrawSpec());
}

bool GFullScreenGameScene::OnMouseDown(const TPoint& point) {
  if (mInteractionMode == kPlay)
    OnSceneClick(point);
  else if (mInteractionMode == kNote) {
    // A click takes the note as TakeFrontItem does, its sound coming last.
    str name = mFrontItemHolder->mItem ? mFrontItemHolder->mItem->GetName() : str();
    FrontItemToPointer();
    if (!name.empty()) OSoundManager::GetInstance()->PlayNoteHideSound(name);
  }
  return false;
}

bool GFullScreenGameScene::OnExtendedMouseEvent(const TPoint& point, int event) {
  if (event != 1) return false;
  if (mInteractionMode == kPlay) {
    IItem* held = HeldItem();
    if (!IsPaused() && held) held->Use(point);
  } else if (mInteractionMode == kNote) {
    TakeFrontItem();
  }
  return false;
}

bool GFullScreenGameScene::OnMouseMove(const TPoint& point) {
  if (mInteractionMode != kPlay || !mMasksManager) return false;
  // The manager remembers the point even while blocked, so the hover is
  // right the moment the scene resumes.
  mMasksManager->OnPointerMove(point);
  return false;
}

void GFullScreenGameScene::Update() {
  TWindowManager::GetInstance()->InvalidateScreen();
  for (GZInterpolator* animation : mAnimations) animation->Update();
  if (mBackground) mBackground->Update();
  for (GBaseInterpolator* ip : mInterpolators) ip->Update();
  if (mItemsManager) mItemsManager->Update();
  if (mFrontItemHolder->mItem) mFrontItemHolder->mItem->Update();
  UpdateTimers();
  GScene::Update();
  if (mState == kActive) OHintsManager::GetInstance()->Update();
}

void GFullScreenGameScene::UpdateTimers() {
  OTimersManager::GetInstance()->Update(mPaused);
}

void GFullScreenGameScene::Pause() {
  GScene::Pause();
  // Blocking tells the active mask it is left and forgets it.
  if (mMasksManager) mMasksManager->Block();
  if (mCaption->GetParent()) mCaption->GetParent()->OrphanChild(mCaption);
  mCaption->SetKey(str());
}

void GFullScreenGameScene::Resume() {
  GScene::Resume();
  // Unblocking looks again under the last pointer position.
  if (mMasksManager) mMasksManager->Unblock();
  if (!mCaption->GetParent()) mCaptionLayer->AdoptChild(mCaption);
}

void GFullScreenGameScene::OnDestroy() {
  if (mInteractionMode == kNote) TakeFrontItem();
  if (mItemsManager) mItemsManager->ReleaseMasks();
  if (mDropZones) mDropZones->ReleaseMasks();
}

void GFullScreenGameScene::OnDestroyKeepItems() {
  if (mInteractionMode == kNote) TakeFrontItem();
  if (mItemsManager) mItemsManager->ReleaseSceneLinks();
  if (mDropZones) mDropZones->ReleaseSceneLinks();
}

void GFullScreenGameScene::OnStart() {
  if (mItemsManager) mItemsManager->OnSceneStart();
  if (mDropZones) mDropZones->OnSceneStart();
  if (mStartAction) mStartAction->Execute();
}

void GFullScreenGameScene::SaveState() {
  if (mItemsManager) mItemsManager->SaveItems();
}

void GFullScreenGameScene::SetBackground(OSimpleBackground* background) {
  if (background == mBackground) return;
  if (mBackground) {
    mBackgroundLayer->OrphanChild(mBackground);
    delete mBackground;
  }
  mBackground = background;
  if (mBackground) mBackgroundLayer->AdoptChild(mBackground, false);
}

bool GFullScreenGameScene::OnSceneClick(const TPoint& point) {
  if (!mMasksManager) return false;
  // A blocked manager (fades, hint pauses) only keeps the point; the zones
  // are asked after that, or a click during a fade would empty them.
  if (mMasksManager->IsBlocked()) {
    mMasksManager->OnPointerMove(point);
    return false;
  }
  if (mDropZones && mDropZones->OnClick(point)) return true;
  mMasksManager->OnPointerMove(point);
  mMasksManager->UpdateHover(point);
  if (IMask* active = mMasksManager->GetActiveMask())
    if (active->OnClick()) return true;
  UseHeldItem(point);
  return false;
}

void GFullScreenGameScene::UseHeldItem(const TPoint& point) {
  OMousePointerManager* manager = PointerManager();
  IItem* held = manager ? manager->GetHeldItem() : nullptr;
  if (!held) return;
  IMousePointerEventListener* pointer = PointerEvents();
  if (IMask* active = mMasksManager ? mMasksManager->GetActiveMask() : nullptr) {
    OComboGuide* guide = OComboGuide::GetInstance();
    TXmlNode* rule = OComboGuide::FindRule(guide, held->GetCurrentName(), active->GetName());
    // Read before the rule runs: an "item" rule deletes the held item.
    bool heldBox = IsMatchesBoxItem(held);
    if (OComboGuide::ApplyToSceneItem(guide, held, active, mItemsManager)) {
      // The match was used on the place and goes out, unless the rule took
      // the box out of the hand: only a box the pointer still holds.
      IItem* now = manager->GetHeldItem();
      if (heldBox && now == held)
        if (OMatchesBoxItem* box = dynamic_cast<OMatchesBoxItem*>(now)) box->SetMatchMode(0);
      str post = rule ? rule->GetAttribute("post_composite_action_name") : str();
      if (!post.empty()) {
        OCompositeAction action(post, mMasksManager);
        action.Execute();
      }
      return;
    }
    // A rule whose result could not be made has taken the held item anyway.
    held = manager->GetHeldItem();
    if (!held) return;
  }
  if (held->CanBeReturned() && IsSceneItem(held->GetName())) {
    pointer->OnItemDropped();
    if (held->IsKindOf(ItemTypeId::OSimpleItem))
      static_cast<OItem*>(held)->ReturnToScene(false);
    else
      held->MoveToScene();
    // A combo has returned its items in its place and has none of its own
    // in the scene: listed, it would stay there unseen.
    if (held->IsKindOf(ItemTypeId::OComboItem)) {
      manager->DeleteHeldItem();
      return;
    }
    if (mItemsManager) mItemsManager->InsertInSceneOrder(held);
    pointer->ReleaseItem();
    return;
  }
  if (mItemsManager && mItemsManager->HasContainerFor(held)) {
    pointer->ReleaseItem();
    pointer->OnItemDropped();
    mItemsManager->ReturnToContainer(held);
    return;
  }
  if (mItemsManager && mItemsManager->HasProducerFor(held)) {
    if (held->IsKindOf(ItemTypeId::OSimpleItem)) held->PlayPutSound();
    manager->DeleteHeldItem();
    pointer->OnItemDropped();
    return;
  }
  if (!held->CanBeDropped()) return;
  if (!mDropZones || mDropZones->IsEmpty()) {
    if (mDropZoneHints) QueueDropZoneHint("no_drop_zone");
    return;
  }
  held->MoveToDropped();
  if (mDropZones->Put(held)) {
    SetCaptionKey(str());
    pointer->ReleaseItem();
    pointer->SetSceneMode(0);
    // Far off the screen, so whatever mask lay under the pointer is left.
    if (mMasksManager) mMasksManager->OnPointerMove(TPoint(-100, -100));
    pointer->OnItemDropped();
    return;
  }
  if (mDropZoneHints) QueueDropZoneHint(mDropZones->CanPlace(held) ? "possible_to_put" : "impossible_to_put");
  held->MoveToPointer();
}

void GFullScreenGameScene::QueueDropZoneHint(const str& key) {
  str text;
  if (TXmlNode* hints = OGameConfig::GetInstance()->GetGameScreenChild("drop_zone_hints"))
    if (TXmlNode* hint = hints->GetChild(key)) text = hint->GetAttribute("text");
  OHintsManager::GetInstance()->QueueHint(new OSimpleHint(text, str(), true, 1));
}

TSpriteRef GFullScreenGameScene::AddParticleEffect(TXmlNode* node, int x, int y, bool onTop) {
  if (!OGameConfig::GetInstance()->AreParticlesEnabled() || !node) {
    // Callers may use the handle; it draws nothing and is not kept.
    return TFxSprite::Create(0, "scripts/empty.lua");
  }
  TFxSpriteRef sprite = TFxSprite::Create(int(mParticles.size()), node->GetAttribute("file"));
  sprite->SetPosition(TVec3(float(x), float(y), 0));
  (onTop ? mEffectSpriteB : mEffectSpriteA)->AddChild(sprite);
  RunInSprite(sprite, "gActive = true;");
  mParticles.push_back(sprite);
  str action = node->GetAttribute("action");
  if (!action.empty()) RunInSprite(sprite, action);
  for (size_t i = 0; i < node->GetChildCount(); ++i) {
    TXmlNode* child = node->GetChildAt(i);
    if (child->GetName() != "ip") continue;
    if (GBaseInterpolator* ip = GBaseInterpolator::Create(sprite, child)) mInterpolators.push_back(ip);
  }
  return sprite;
}

bool GFullScreenGameScene::IsItemAvailable(const str& name) {
  IItem* held = HeldItem();
  return held && held->GetName() == name;
}

void GFullScreenGameScene::ShowFrontItem(IItem* item) {
  mFrontItemHolder->mItem = item;
  if (item && item->IsKindOf(ItemTypeId::ONoteItem)) mInteractionMode = kNote;
  // A dialog answers as a plain item: only its class tells it.
  else if (dynamic_cast<ODialogItem*>(item))
    mInteractionMode = kDialog;
  SetCaptionKey(str());
}

void GFullScreenGameScene::TakeFrontItem() {
  if (IItem* item = mFrontItemHolder->mItem) OSoundManager::GetInstance()->PlayNoteHideSound(item->GetName());
  FrontItemToPointer();
}

void GFullScreenGameScene::FrontItemToPointer() {
  IItem* item = mFrontItemHolder->mItem;
  if (item) PointerEvents()->HoldItem(item);
  mFrontItemHolder->mItem = nullptr;
  if (ONoteItem* note = dynamic_cast<ONoteItem*>(item)) note->SetLarge(0);
  mInteractionMode = kPlay;
}

bool GFullScreenGameScene::IsSceneItem(const str& name) const {
  return mItemNames && std::find(mItemNames->begin(), mItemNames->end(), name) != mItemNames->end();
}

void GFullScreenGameScene::DeactivateParticles() {
  for (TFxSpriteRef& sprite : mParticles) RunInSprite(sprite, "gActive = false;");
}

void GFullScreenGameScene::DrawObjects(TWindow* wrapper) {
  if (mDropZones && !mDropZonesOnTop) mDropZones->DrawItems();
  if (mItemsManager) mItemsManager->DrawItems();
  if (mDropZones && mDropZonesOnTop) mDropZones->DrawItems();
  mDrawList.Draw();
  if (DrawsIndicators() && OIndicatorsManager::HasInstance()) OIndicatorsManager::GetInstance()->Draw();
}

void GFullScreenGameScene::SetItemNames(std::vector<str>* names) {
  if (names == mItemNames) return;
  delete mItemNames;
  mItemNames = names;
}

void GFullScreenGameScene::SetDropZoneSet(ODropZoneSet* set) {
  if (set == mDropZones) return;
  delete mDropZones;
  mDropZones = set;
}

void GFullScreenGameScene::SetStartAction(IAction* action) {
  if (action == mStartAction) return;
  delete mStartAction;
  mStartAction = action;
}
