#include "GQuestBookControl.h"

#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "game/GScene.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "rules/questbook/OQuestBookItem.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/IPanelClient.h"
#include "visual/GButton.h"
#include "visual/GVData.h"
#include "visual/GVObjectWrapper.h"
#include "visual/GVXmlLoaders.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kBookScene = "basement_quest_book";
// A mask pixel is the button's shape from this much red on.
const uint32_t kMaskRed = 120;

str CurrentSceneId() {
  return OGame::HasInstance() ? OGame::GetInstance()->GetCurrentSceneId() : str();
}
}  // namespace

GQuestBookControl::GQuestBookControl() : mLuaNames(this) {}

GQuestBookControl::~GQuestBookControl() {
  if (mAnimation) {
    if (GVObject* main = mAnimation->GetChild("main")) main->listener = nullptr;
    mAnimation->listener = nullptr;
  }
  mLuaNames.UnbindAll();
}

void GQuestBookControl::PostChildrenInit(TWindowStyle& style) {
  mPanel = nullptr;
  TXmlNode* panel = OGameConfig::GetInstance()->GetGameScreenChild("panel");
  if (TXmlNode* mask = panel ? panel->GetChild("book_mask") : nullptr) {
    mMask = LoadTextureFromXml(mask);
    const char* where = "cfg/game_screen.xml: panel/book_mask";
    int x = GVReadCoordinate("x", mask, where), y = GVReadCoordinate("y", mask, where);
    mMaskRect = TRect(x, y, x + mMask->GetWidth(), y + mMask->GetHeight());
  }
  mButton = WindowCast<GButton>(GetChildWindow("button", -1));
  GVLuaObject* anim = WindowCast<GVLuaObject>(GetChildWindow("anim", -1));
  mAnimation = anim ? anim->GetObject() : nullptr;
  if (mAnimation) {
    GVObject* main = mAnimation->GetChild("main");
    (main ? main : mAnimation)->listener = this;
  }
  SetState(kLocked);
  TWindow::PostChildrenInit(style);
  mLuaNames.Bind("onBookButtonClick", this, &GQuestBookControl::OnBookButtonClick);
}

void GQuestBookControl::ShowAnimation(const str& state) {
  if (!mAnimation) return;
  mAnimation->SetState(TState::FromStr(state), true);
  mAnimation->visible = 1;
  mAnimation->changed = 1;
}

void GQuestBookControl::SetState(int state) {
  mState = state;
  mFrame = 0;
  mCounter = 0;
  switch (state) {
    case kLocked:
      if (mAnimation) {
        mAnimation->visible = 0;
        mAnimation->changed = 1;
      }
      break;
    case kUnlocked:
      ShowAnimation("0");
      break;
    case kMissionComplete:
      ShowAnimation("stMissionComplete");
      StartEffects("mission_complete_effect");
      break;
    case kTaskComplete:
      ShowAnimation("stTaskComplete");
      StartEffects("task_complete_effect");
      break;
    default:
      break;
  }
}

void GQuestBookControl::ShowTaskComplete() {
  if (mState == kUnlocked) SetState(kTaskComplete);
}

void GQuestBookControl::ShowMissionComplete() {
  if (mState != kLocked) SetState(kMissionComplete);
}

void GQuestBookControl::StartEffects(const char* element) {
  // Between scenes, and in scenes that keep no effects of their own (the
  // mini-games), the mark shows without particles.
  IPanelClient* client = mPanel ? mPanel->GetClient() : nullptr;
  std::vector<TFxSpriteRef>* list = client ? client->GetEffectsList() : nullptr;
  std::vector<GBaseInterpolator*>* host = client ? client->GetEffectsHost() : nullptr;
  if (!list || !host) return;
  LoadParticlesFromXml(OGameConfig::GetInstance()->GetGameScreenChild(element), *list, *host,
                       client->GetEffectsSpriteB());
}

void GQuestBookControl::OnStateEnd(GVObject* object, TState state) {
  if (mState == kMissionComplete || mState == kTaskComplete) SetState(kUnlocked);
}

bool GQuestBookControl::IsQuestBookOpen() {
  return CurrentSceneId() == kBookScene &&
         OFlagsRegistry::GetInstance()->GetValue(OQuestBookItem::kOpenedFlag) == "true";
}

void GQuestBookControl::UpdateHover() {
  mHover = false;
  if (!mPanel || mPanel->IsLocked() || IsQuestBookOpen() || !mMask) return;
  OMousePointerManager* pointer = GMousePointer::PeekManager();
  if (!pointer || !mMaskRect.Contains(pointer->GetX(), pointer->GetY())) return;
  uint32_t pixel = mMask->GetPixel(pointer->GetX() - mMaskRect.left, pointer->GetY() - mMaskRect.top);
  mHover = ((pixel >> 16) & 0xFF) >= kMaskRed;
}

void GQuestBookControl::Tick() {
  if (mState != kUnlocked) return;
  UpdateHover();
  if (mCounter++ <= kFrameDelay) return;
  if (mHover && mFrame < kLastFrame)
    ShowAnimation(str::format("%d", ++mFrame));
  else if (!mHover && mFrame > 0)
    ShowAnimation(str::format("%d", --mFrame));
  mCounter = 0;
}

void GQuestBookControl::OnBookButtonClick() {
  if (mState != kUnlocked || !mPanel || mPanel->IsLocked()) return;
  IPanelClient* client = mPanel->GetClient();
  GScene* scene = GGamePanel::CurrentScene();
  if (!client || !client->IsMagicEnabled() || IsQuestBookOpen() || !scene || scene->IsPaused()) return;
  // Inside the book the book would become the scene to come back to, and
  // the player could never leave it.
  const str here = CurrentSceneId();
  if (here == kBookScene) return;
  // A world without the book scene (the Vethra) has nowhere to open it:
  // the button does nothing there, and nothing is stored for a return that
  // would never come.
  if (!OGame::HasInstance() || !OGame::GetInstance()->HasScene(kBookScene)) return;
  TXmlNode snapshot("snapshot");
  OTimersManager::GetInstance()->Save(&snapshot);
  OIndicatorsManager::GetInstance()->Save(&snapshot);
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  flags->SetValue("timer_controllers_snapshot", snapshot.AsString());
  flags->SetValue("exit_from_book_scene", here);
  scene->GoToScene(kBookScene);
}
