#include "OAltarItem.h"

#include <algorithm>

#include "game/GFullScreenGameScene.h"
#include "game/GGameWnd.h"
#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVXmlLoaders.h"

namespace {
GMasksManager* MasksOf(IItemsManager* owner) {
  return owner ? owner->GetMasksManager() : nullptr;
}

// Ticks read from an attribute; an empty one is `fallback`.
int32_t Ticks(TXmlNode* node, const char* name, int32_t fallback = 0) {
  str text = node ? node->GetAttribute(name) : str();
  return text.empty() ? fallback : text.to_int();
}

// How far a fade of `length` ticks is after `count`: a fade of no length is
// over at once.
float Fraction(int32_t count, int32_t length) {
  return length > 0 ? float(count) / float(length) : 1.0f;
}

void DrawSprite(const TSpriteRef& sprite) {
  if (!sprite) return;
  T2dScope pass;
  sprite->Draw(TDrawSpec());
}
}  // namespace

// ---- the image chain ----

OAlphaImageSequence::OAlphaImageSequence(TXmlNode* node) {
  int32_t defaultTicks = Ticks(node, "alpha_ticks");
  for (size_t i = 0; node && i < node->GetChildCount(); ++i) {
    TXmlNode* child = node->GetChildAt(i);
    Image image;
    image.sprite = LoadSpriteFromXml(child);
    image.beforeStartDelay = Ticks(child, "before_start_delay");
    image.alphaTicks = Ticks(child, "alpha_ticks", defaultTicks);
    mImages.push_back(image);
  }
  Reset();
}

void OAlphaImageSequence::Reset() {
  mState = kRunning;
  mCounter = 0;
  mIndex = 0;
  for (Image& image : mImages) image.sprite->SetAlpha(0);
}

void OAlphaImageSequence::SetFinished() {
  mState = kFinished;
  if (mImages.empty()) return;
  mIndex = mImages.size() - 1;
  mImages[mIndex].sprite->SetAlpha(1);
}

void OAlphaImageSequence::Step() {
  if (mState == kFinished) return;
  if (mImages.empty()) {
    SetFinished();
    return;
  }
  ++mCounter;
  Image& image = mImages[mIndex];
  if (mCounter <= image.beforeStartDelay) return;
  if (mCounter < image.beforeStartDelay + image.alphaTicks) {
    image.sprite->SetAlpha(Fraction(mCounter - image.beforeStartDelay, image.alphaTicks));
    return;
  }
  image.sprite->SetAlpha(1);
  if (mIndex + 1 < mImages.size()) {
    ++mIndex;
    mCounter = 0;
  } else {
    SetFinished();
  }
}

void OAlphaImageSequence::Draw() {
  if (mImages.empty()) return;
  if (mState == kRunning && mIndex > 0) DrawSprite(mImages[mIndex - 1].sprite);
  DrawSprite(mImages[mIndex].sprite);
}

// ---- the activation sprite ----

OAltarActivationEffect::OAltarActivationEffect(TXmlNode* node)
    : mAlphaTicks(Ticks(node, "alpha_ticks")),
      mStartDelayTicks(Ticks(node, "start_delay_ticks")),
      mStayTicks(Ticks(node, "stay_tics")),
      mSprite(LoadSpriteFromXml(node)) {
  mSprite->SetAlpha(0);
}

void OAltarActivationEffect::Enter(int32_t state) {
  mState = state;
  mCounter = 0;
  mSprite->SetAlpha(state == kStaying || state == kFadingOut ? 1 : 0);
}

void OAltarActivationEffect::Start() {
  Enter(kWaiting);
}

void OAltarActivationEffect::Step() {
  ++mCounter;
  switch (mState) {
    case kWaiting:
      if (mCounter > mStartDelayTicks) Enter(kFadingIn);
      break;
    case kFadingIn:
      mSprite->SetAlpha(std::min(1.0f, Fraction(mCounter, mAlphaTicks)));
      if (mCounter >= mAlphaTicks) Enter(kStaying);
      break;
    case kStaying:
      if (mCounter > mStayTicks) Enter(kFadingOut);
      break;
    case kFadingOut:
      mSprite->SetAlpha(std::max(0.0f, 1.0f - Fraction(mCounter, mAlphaTicks)));
      if (mCounter >= mAlphaTicks) Enter(kDone);
      break;
    default:
      break;
  }
}

void OAltarActivationEffect::Draw() {
  DrawSprite(mSprite);
}

// ---- the altar ----

OAltarItem::~OAltarItem() {
  delete mNotAllStonesAction;
  delete mInvalidActivationAction;
}

IItem* OAltarItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  str folder, path;
  ReadVisualOf(node, &folder, &path);
  OAltarItem* altar = new OAltarItem(name, owner, folder, path);
  altar->ReadEntry(node, false);
  GMasksManager* masks = MasksOf(owner);
  altar->mNotAllStonesAction =
      OActionFactory::CreateAction(node->GetChild("not_all_stones_inserted_action"), masks);
  altar->mInvalidActivationAction =
      OActionFactory::CreateAction(node->GetChild("not_valid_activate_item_action"), masks);
  altar->mImageChainNode = node->GetChild("after_completed_alpha_images");
  altar->mImagesOnTop = altar->mImageChainNode && altar->mImageChainNode->GetAttribute("on_top") == "true";
  altar->mCompletedParticles = node->GetChild("completed_particles");
  altar->mActivationParticles = node->GetChild("activation_particles");
  altar->mAfterActivatedParticles = node->GetChild("after_activated_particles");
  altar->mActivatedAction = node->GetChild("activated_action");
  altar->mStartedActivateAction = node->GetChild("started_activate_action");
  altar->mMagicEffectNode = node->GetChild("bitmap_activation_effect");
  if (TXmlNode* state = node->GetChild("activated_on_visual_state"))
    altar->mActivationState = state->GetAttribute("id");
  TXmlNode* items = node->GetChild("activation_items");
  for (size_t i = 0; items && i < items->GetChildCount(); ++i)
    altar->mActivationItems.push_back(items->GetChildAt(i)->GetContent());
  altar->mActivatedFlag = node->GetChildContent("activated_flag_name");
  altar->mCompletedFlag = node->GetChildContent("completed_flag_name");
  if (altar->mActivatedFlag.empty() || altar->mCompletedFlag.empty())
    Report(
        "%s: altar \"%s\" lacks \"completed_flag_name\" or \"activated_flag_name\"; it cannot be completed",
        OItemFactory::GetGuidePath().c_str(), name.c_str());
  if (TXmlNode* second = node->GetChild("second_caption")) {
    altar->mSecondCaption = second->GetAttribute("caption");
    altar->mSecondCaptionFlag = second->GetAttribute("flag_name");
    altar->mSecondCaptionValue = second->GetAttribute("flag_value");
  }
  if (TXmlNode* post = node->GetChild("post_activated_caption"))
    altar->mPostActivatedCaption = post->GetAttribute("caption");
  for (auto [element, list] : {std::make_pair("visual_state_particles", &altar->mStateParticles),
                               std::make_pair("visual_state_actions", &altar->mStateActions)}) {
    TXmlNode* entries = node->GetChild(element);
    for (size_t i = 0; entries && i < entries->GetChildCount(); ++i)
      list->emplace_back(entries->GetChildAt(i)->GetAttribute("id"), entries->GetChildAt(i));
  }
  if (TXmlNode* effect = node->GetChild("activation_effect"))
    altar->mActivationEffect.reset(new OAltarActivationEffect(effect));
  return altar;
}

bool OAltarItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OAltarItem || OCompositionItem::IsKindOf(typeId);
}

bool OAltarItem::IsSet(const str& flag) const {
  return !flag.empty() && OFlagsRegistry::GetInstance()->GetValue(flag) == "true";
}

void OAltarItem::Set(const str& flag) {
  // A variable without a name could not be saved.
  if (!flag.empty()) OFlagsRegistry::GetInstance()->SetValue(flag, "true");
}

void OAltarItem::SetVisualState(const char* state) {
  if (mObject) mObject->SetState(TState::FromCStr(state), true);
}

void OAltarItem::StartParticles(TXmlNode* list) {
  for (size_t i = 0; list && mOwner && i < list->GetChildCount(); ++i) {
    TXmlNode* particle = list->GetChildAt(i);
    mOwner->AddParticleEffect(particle, particle->GetAttribute("x").to_float(),
                              particle->GetAttribute("y").to_float(), false);
  }
}

void OAltarItem::HideParts() {
  for (GVObject* part : mPartObjects) {
    if (!part) continue;
    part->visible = 0;
    part->changed = 1;
  }
}

void OAltarItem::OnStateChange(GVObject* object, TState current, TState& requested) {
  // Copied: an action may change the state again.
  TState state = requested;
  for (const auto& entry : mStateActions)
    if (TState::FromStr(entry.first) == state) RunActions(entry.second);
  for (const auto& entry : mStateParticles)
    if (TState::FromStr(entry.first) == state) StartParticles(entry.second);
  if (!mActivationState.empty() && TState::FromStr(mActivationState) == state) FinishActivation();
}

void OAltarItem::CreateObject() {
  IItem::CreateObject();
  PlaceObject(mX, mY);
  mChain.reset(new OAlphaImageSequence(mImageChainNode));
  if (IsSet(mActivatedFlag)) {
    mChain->SetFinished();
    mActivationFinished = true;
    StartParticles(mAfterActivatedParticles);
    SetVisualState("hole");
    return;
  }
  for (size_t i = 0; mHasSavedStates && i < mSavedStates.size() && i < mPartNodes.size(); ++i)
    if (mSavedStates[i] != 0) CreatePartObject(i);
  if (IsSet(mCompletedFlag)) {
    HideParts();
    mCompleted = true;
    SetVisualState("completed");
    StartParticles(mCompletedParticles);
  }
}

void OAltarItem::Draw() {
  bool chain = mChain && (mActivationStarted || mActivationFinished);
  if (chain && !mImagesOnTop) mChain->Draw();
  mDrawList.Draw();
  if (chain && mImagesOnTop) mChain->Draw();
  if (mActivationEffect) mActivationEffect->Draw();
}

void OAltarItem::OnMaskEnter(IMask* mask) {
  GMasksManager* masks = MasksOf(mOwner);
  if (!masks) return;
  if (IsSet(mActivatedFlag))
    masks->SetCaptionKey(mPostActivatedCaption);
  else if (!mSecondCaptionFlag.empty() &&
           OFlagsRegistry::GetInstance()->GetValue(mSecondCaptionFlag) == mSecondCaptionValue)
    masks->SetCaptionKey(mSecondCaption);
  else
    masks->SetCaptionKey(mCaptionKey);
}

bool OAltarItem::AcceptPart(size_t index) {
  if (index == 0) {
    // Parts past the list count as present: content is expected to give
    // four, and a shorter list must not read past it.
    for (size_t other = 1; other <= 3; ++other) {
      if (other < GetPartCount() && !IsPartPresent(other)) {
        if (mNotAllStonesAction) mNotAllStonesAction->Execute();
        return false;
      }
    }
  }
  TXmlNode* part = mPartNodes[index];
  StartParticles(part->GetChild("effects"));
  OActionFactory::RunAction(part->GetChild("action"), MasksOf(mOwner));
  str state = part->GetAttribute("visual_state_id");
  if (!state.empty() && mObject) mObject->SetState(TState::FromStr(state), true);
  return CreatePartObject(index);
}

bool OAltarItem::OnMaskClick(IMask* mask) {
  if (!OwnsMask(mask)) return false;
  if (!IsSet(mCompletedFlag)) {
    bool wasComplete = CountMissingParts() == 0;
    InsertHeldItem();
    if (!wasComplete && CountMissingParts() == 0) Complete();
    return true;
  }
  if (IsSet(mActivatedFlag)) return true;
  OMousePointerManager* pointer = GMousePointer::PeekManager();
  IItem* held = pointer ? pointer->GetHeldItem() : nullptr;
  bool activates = held && std::find(mActivationItems.begin(), mActivationItems.end(),
                                     held->GetCurrentName()) != mActivationItems.end();
  if (activates)
    StartActivation();
  else if (mInvalidActivationAction)
    mInvalidActivationAction->Execute();
  return true;
}

void OAltarItem::Complete() {
  Set(mCompletedFlag);
  StartParticles(mCompletedParticles);
  SetVisualState("completed_anim");
  HideParts();
  mCompleted = true;
}

void OAltarItem::StartActivation() {
  GMasksManager* masks = MasksOf(mOwner);
  OActionFactory::RunAction(mStartedActivateAction, masks);
  if (mMagicEffectNode) {
    str name = mMagicEffectNode->GetAttribute("name");
    TXmlNode* effects = OGameConfig::GetInstance()->GetGameScreenChild("magic_effects");
    if (GGameWnd* game = GGameWnd::GetCurrent())
      game->ShowMagicEffect(effects && TXmlNode::IsValidName(name) ? effects->GetChild(name) : nullptr,
                            new std::vector<IHint*>());
  }
  GFullScreenGameScene* scene = mOwner ? mOwner->GetScene() : nullptr;
  if (scene) scene->Pause();
  Set(mActivatedFlag);
  if (mOwner) mOwner->DeactivateParticles();
  StartParticles(mActivationParticles);
  SetVisualState("activated_anim");
  if (mChain) mChain->Reset();
  if (mActivationEffect) mActivationEffect->Start();
  mActivationStarted = true;
}

void OAltarItem::FinishActivation() {
  OActionFactory::RunAction(mActivatedAction, MasksOf(mOwner));
  GFullScreenGameScene* scene = mOwner ? mOwner->GetScene() : nullptr;
  if (scene) scene->Resume();
  mActivationFinished = true;
  if (mOwner) mOwner->DeactivateParticles();
  StartParticles(mAfterActivatedParticles);
}

void OAltarItem::Update() {
  if (mActivationEffect) mActivationEffect->Step();
  if (!mActivationStarted || mActivationFinished || !mChain) return;
  mChain->Step();
  if (mChain->IsFinished() && mActivationState.empty()) FinishActivation();
}
