#include "GNavigator.h"

#include "game/GMousePointer.h"
#include "game/OGame.h"
#include "game/OSoundManager.h"
#include "sdk/TImage.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TXmlNode.h"
#include "tools/travel/GTravelSelection.h"
#include "visual/GBaseInterpolator.h"
#include "visual/GVData.h"
#include "visual/GVObjectWrapper.h"
#include "visual/GVXmlLoaders.h"
#include "visual/LuaUtils.h"

namespace {
TXmlNode* Child(TXmlNode* node, const char* name) {
  return node ? node->GetChild(name) : nullptr;
}

IMousePointerEventListener* NavigatorPointer() {
  return GMousePointer::GetInstance();
}
}  // namespace

GNavigator::GNavigator(TXmlNode* config, int kind, bool keepHome)
    : mConfig(config), mKind(kind), mKeepHome(keepHome), mLuaNames(this) {
  mSpriteRoot = TSprite::Create(0);
  mWrapper = new GVObjectWrapper();
  mWrapper->SetWindowSize(800, 600);
  mWrapper->client = this;
  mPreTravel = LoadImageFromXml(Child(config, "pre_travel_img"));
  mTravel = LoadImageFromXml(Child(config, "travel_img"));
  mAfterPortal = LoadImageFromXml(Child(config, "after_portal_mask"));
  TXmlNode* start = Child(config, "start_particles");
  // A count near the int's end would hold the journey at its start for good.
  mStartTicks = GVReadRangedAttribute("num_ticks", start, 0, kContentNumberLimit, 0,
                                      "cfg/game_screen.xml: navigator/start_particles");
  mLuaNames.Bind("onNavigatorExitClick", this, &GNavigator::onNavigatorExitClick);
  mLuaNames.Bind("notifyWorldButtonClick", this, &GNavigator::notifyWorldButtonClick);
  SetWindowSize(800, 600);
  mSavedVolume = OSoundManager::GetInstance()->GetSoundVolume();
}

GNavigator::~GNavigator() {
  OrphanChildren();
  DeleteSelection();
  delete mPreTravel;
  delete mTravel;
  delete mAfterPortal;
  delete mWrapper;
  mLuaNames.UnbindAll();
  for (TFxSpriteRef& sprite : mParticles) sprite->GetParticleSystem()->SetDone();
  mSpriteRoot->RemoveChildren();
  mParticles.clear();
  for (GBaseInterpolator* ip : mInterpolators) delete ip;
  mInterpolators.clear();
  // Deleted in the middle of a journey (the player quit while choosing):
  // the effects must not stay silent, nor the pointer hidden, for the rest
  // of the run.
  if (OSoundManager::HasInstance()) OSoundManager::GetInstance()->SetSoundVolume(mSavedVolume);
  if (mState != kDone)
    if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetVisible(true);
}

float GNavigator::FadeAlpha(int n, bool in) {
  float f = float(n) / float(kFadeTicks);
  return in ? f : 1.0f - f;
}

void GNavigator::OrphanChildren() {
  for (TWindow* child :
       {static_cast<TWindow*>(mAfterPortal), static_cast<TWindow*>(mSelection),
        static_cast<TWindow*>(mPreTravel), static_cast<TWindow*>(mTravel), static_cast<TWindow*>(mWrapper)})
    if (child && child->GetParent()) child->GetParent()->OrphanChild(child);
}

void GNavigator::Adopt(TWindow* child) {
  if (child) AdoptChild(child, true);
}

void GNavigator::DeleteSelection() {
  if (!mSelection) return;
  if (mSelection->GetParent()) mSelection->GetParent()->OrphanChild(mSelection);
  delete mSelection;
  mSelection = nullptr;
}

void GNavigator::BuildSelection() {
  for (TFxSpriteRef& sprite : mParticles) sprite->GetParticleSystem()->SetDone();
  TXmlNode* node = Child(mConfig, "travel_selection");
  str file = node ? node->GetAttribute("file") : str();
  DeleteSelection();
  mSelection = LoadWindowFromScript<GTravelSelection>(file.c_str(), "travel_selection");
  if (!mSelection) {
    // The player can still leave through "onNavigatorExitClick".
    Report("navigator: \"%s\" builds no \"travel_selection\"; no world is offered", file.c_str());
    return;
  }
  if (!mKeepHome) mSelection->RemoveHomeLocation();
}

void GNavigator::SetState(int state) {
  mState = state;
  mTicks = 0;
  OrphanChildren();
  OSoundManager* sound = OSoundManager::GetInstance();
  switch (state) {
    case kStart:
      NavigatorPointer()->SetVisible(false);
      NavigatorPointer()->SetInGameMode(false);
      LoadParticlesFromXml(Child(mConfig, "start_particles"), mParticles, mInterpolators, mSpriteRoot);
      Adopt(mWrapper);
      break;
    case kCover:
      mSavedTheme = sound->GetTheme();
      sound->SetTheme(mKind == kThroughTime ? "navigator_time" : "navigator_space", true);
      for (TFxSpriteRef& sprite : mParticles)
        if (TScript* script = sprite->GetScript()) script->DoLuaString("gActive = false", -1, 0);
      Adopt(mWrapper);
      mPreTravel->SetAlpha(0);
      Adopt(mPreTravel);
      break;
    case kSelectionIn:
      BuildSelection();
      Adopt(mSelection);
      mPreTravel->SetAlpha(1);
      Adopt(mPreTravel);
      break;
    case kChoosing:
      NavigatorPointer()->SetSceneMode(0);
      NavigatorPointer()->SetVisible(true);
      Adopt(mSelection);
      sound->SetSoundVolume(0);
      break;
    case kCancelCover:
      sound->SetTheme(mSavedTheme, true);
      NavigatorPointer()->SetVisible(false);
      Adopt(mSelection);
      mPreTravel->SetAlpha(0);
      Adopt(mPreTravel);
      break;
    case kCancelSceneBack:
      mPreTravel->SetAlpha(1);
      Adopt(mPreTravel);
      sound->SetSoundVolume(mSavedVolume);
      break;
    case kCancelUncover:
      DeleteSelection();
      mPreTravel->SetAlpha(1);
      Adopt(mPreTravel);
      break;
    case kTravelCover:
      NavigatorPointer()->SetSceneMode(0);
      NavigatorPointer()->SetVisible(false);
      mTravel->SetAlpha(0);
      Adopt(mTravel);
      break;
    case kNewScene:
      mTravel->SetAlpha(1);
      Adopt(mTravel);
      DeleteSelection();
      break;
    case kTravelUncover:
      mTravel->SetAlpha(1);
      Adopt(mTravel);
      break;
    case kDone:
      NavigatorPointer()->SetSceneMode(0);
      NavigatorPointer()->SetVisible(true);
      NavigatorPointer()->SetInGameMode(true);
      sound->SetSoundVolume(mSavedVolume);
      break;
    default:
      break;
  }
}

bool GNavigator::FadeTick(TImage* image, bool in, bool inclusive) {
  ++mTicks;
  image->SetAlpha(FadeAlpha(mTicks, in));
  return inclusive ? mTicks > kFadeTicks : mTicks >= kFadeTicks;
}

void GNavigator::Tick() {
  switch (mState) {
    case kStart:
      if (++mTicks > mStartTicks) SetState(kCover);
      break;
    case kCover:
      if (FadeTick(mPreTravel, true, true)) SetState(kSceneOff);
      break;
    case kSelectionIn:
      if (FadeTick(mPreTravel, false, true)) SetState(kChoosing);
      break;
    case kChoosing:
      if (mSelection) mSelection->UpdateWorldImages();
      break;
    case kCancelCover:
      if (FadeTick(mPreTravel, true, true)) SetState(kCancelSceneBack);
      break;
    case kCancelUncover:
      if (FadeTick(mPreTravel, false, false)) SetState(kDone);
      break;
    case kTravelCover:
      if (FadeTick(mTravel, true, false)) SetState(kNewScene);
      break;
    case kTravelUncover:
      if (FadeTick(mTravel, false, false)) SetState(kDone);
      break;
    default:
      break;
  }
}

void GNavigator::DrawObjects(TWindow* wrapper) {
  T2dScope pass;
  mSpriteRoot->Draw(TDrawSpec());
}

void GNavigator::onNavigatorExitClick() {
  if (mState == kChoosing) SetState(kCancelCover);
}

void GNavigator::notifyWorldButtonClick(str worldId) {
  if (mState != kChoosing) return;
  // A button whose script passes no world names no journey.
  if (worldId.empty()) return;
  // A world the configuration does not know is refused (with a message):
  // the player stays in the choice rather than travelling nowhere.
  if (!OGame::GetInstance()->GoToWorld(worldId)) return;
  SetState(kTravelCover);
}
