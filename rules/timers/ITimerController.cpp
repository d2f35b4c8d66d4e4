#include "ITimerController.h"

#include <algorithm>

#include "OTimerControllerHintInfo.h"
#include "OTimerIndicator.h"
#include "game/GGameWnd.h"
#include "game/GScene.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OSimpleBackground.h"
#include "rules/hints/OHintsManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TStringTable.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kGuide = "timer_controllers_guide";
}  // namespace

ITimerController::~ITimerController() {
  for (OTimerControllerHintInfo* hint : mHints) delete hint;
}

TXmlNode* ITimerController::FindGuideNode(const char* key) {
  TXmlNode* root = OGameConfig::GetInstance()->GetTimerControllerCfg();
  TXmlNode* guide = root && root->GetName() == kGuide ? root : (root ? root->GetChild(kGuide) : nullptr);
  return guide ? guide->GetChild(key) : nullptr;
}

int32_t ITimerController::SecondsToMs(int64_t seconds) {
  return int32_t(std::clamp<int64_t>(seconds * 1000, INT32_MIN, INT32_MAX));
}

int32_t ITimerController::SecondsAttributeToMs(const TXmlNode* element, const char* name) {
  return element ? SecondsToMs(element->GetAttribute(name).to_int()) : 0;
}

uint32_t ITimerController::Now() {
  return TPlatform::GetInstance()->Timer();
}

void ITimerController::Init() {
  mState = kStopped;
  mLeftTime = 0;
  for (OTimerControllerHintInfo* hint : mHints) delete hint;
  mHints.clear();
  mIndications.clear();
  TXmlNode* guide = GetGuideNode();
  if (!guide) return;
  // Without `hints` the controller simply gives none.
  if (TXmlNode* hints = guide->GetChild("hints")) {
    TStringTable* strings = TPlatform::GetInstance()->GetStringTable();
    for (size_t i = 0; i < hints->GetChildCount(); ++i) {
      TXmlNode* hint = hints->GetChildAt(i);
      mHints.push_back(new OTimerControllerHintInfo(strings->GetString(hint->GetAttribute("text")),
                                                    hint->GetAttribute("after_close_action"),
                                                    SecondsAttributeToMs(hint, "time")));
    }
  }
  if (TXmlNode* indications = guide->GetChild("indications")) {
    for (size_t i = 0; i < indications->GetChildCount(); ++i) {
      TXmlNode* element = indications->GetChildAt(i);
      mIndications.push_back({element, SecondsAttributeToMs(element, "time")});
    }
  }
}

void ITimerController::Update(bool paused) {
  if (paused) {
    mClock = Now();
    return;
  }
  if (mState != kRunning) return;
  // In 64 bits: the new left time goes below zero whenever more time passed
  // than was left, and the windows below must see it so.
  const int64_t elapsed = uint32_t(Now() - mClock);
  const int64_t before = mLeftTime;
  const int64_t after = before - elapsed;
  // A hint is due when its time lies in [after, before), an indication in
  // (after, before]: one ends on the new left time, the other on the old.
  OTimerControllerHintInfo* hint = nullptr;
  for (OTimerControllerHintInfo* h : mHints) {
    if (after <= h->GetTime() && h->GetTime() < before) {
      hint = h;
      break;
    }
  }
  const OTimerIndication* indication = nullptr;
  for (const OTimerIndication& i : mIndications) {
    if (after < i.time && i.time <= before) {
      indication = &i;
      break;
    }
  }
  if (after < 0) {
    mLeftTime = 0;
    OnTimeOut();
  } else {
    mLeftTime = int32_t(after);
  }
  if (hint) OHintsManager::GetInstance()->QueueHint(hint);
  if (mIndicator) {
    if (indication) OnIndication(*indication);
    mIndicator->SetLeftTime(mLeftTime);
  }
  mClock = Now();
}

void ITimerController::Start() {
  Restart();
  mClock = Now();
  mState = kRunning;
}

bool ITimerController::LoadState(const TXmlNode* element) {
  // Only stated numbers: a word, a missing or a negative value would read as
  // 0, a running hazard with no time left that ends the game at once.
  str state = element->GetAttribute("state");
  str left = element->GetAttribute("left_time");
  if (!state.is_int() || !left.is_int()) return false;
  int stateValue = state.to_int(), leftValue = left.to_int();
  if ((stateValue != kRunning && stateValue != kStopped) || leftValue < 0) return false;
  mClock = Now();
  mState = stateValue;
  mLeftTime = leftValue;
  return true;
}

void ITimerController::SaveState(TXmlNode* element) const {
  element->SetAttribute("state", str::format("%d", mState));
  element->SetAttribute("left_time", str::format("%d", mLeftTime));
}

void ITimerController::ShowIndication(const OTimerIndication& indication) {
  if (!mIndicator || !indication.element) return;
  mIndicator->SetText(indication.element->GetAttribute("text"));
  mIndicator->SetBlinkPeriod(
      uint32_t(std::max(0, indication.element->GetAttribute("blinking_ticks").to_int())));
}

bool ITimerController::GoToGameOver(const str& sceneId, std::initializer_list<OTimerIndicator*> indicators) {
  if (OGame::GetInstance()->GoToScene(sceneId)) return true;
  for (OTimerIndicator* indicator : indicators)
    if (indicator) indicator->Empty();
  GGameWnd* wnd = GGameWnd::GetCurrent();
  GScene* scene = wnd ? wnd->GetCurrentScene() : nullptr;
  if (OSimpleBackground* background = scene ? scene->GetBackground() : nullptr) background->StopEffect();
  return false;
}
