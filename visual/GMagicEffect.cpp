#include "GMagicEffect.h"

#include "game/GGameWnd.h"
#include "game/GScene.h"
#include "game/OFlagsRegistry.h"
#include "items/OItemsManager.h"
#include "rules/actions/OActionFactory.h"
#include "rules/hints/IHint.h"
#include "rules/hints/OHintsManager.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVXmlLoaders.h"

namespace {
int AnimTicks(TXmlNode* node) {
  return node ? node->GetAttribute("anim_ticks").to_int() : 0;
}
}  // namespace

GMagicEffect::~GMagicEffect() {
  DropHints(mHints);
}

GMagicEffect* GMagicEffect::Create(TXmlNode* node, std::vector<IHint*>* hints) {
  bool unlock = !node || node->GetAttribute("unlock_after_effect") != "false";
  GMagicEffect* effect = new GMagicEffect({LoadImageFromXml(node)}, AnimTicks(node), unlock);
  effect->mStartWait = node ? node->GetAttribute("start_wait_ticks").to_int() : 0;
  effect->mHints = hints;
  effect->SetName("magic_effect");
  return effect;
}

void GMagicEffect::DropHints(std::vector<IHint*>* hints) {
  if (!hints) return;
  for (IHint* hint : *hints)
    if (hint && hint->IsDeleteAfterShowing()) delete hint;
  delete hints;
}

void GMagicEffect::QueueHints(std::vector<IHint*>* hints) {
  if (!hints) return;
  for (IHint* hint : *hints) OHintsManager::GetInstance()->QueueHint(hint);
  delete hints;
}

void GMagicEffect::AddHints(std::vector<IHint*>* hints) {
  if (!hints) return;
  // Past its end this effect queues nothing more: the list goes on at once.
  if (GetEffectState() == kFinished) {
    QueueHints(hints);
    return;
  }
  if (!mHints) {
    mHints = hints;
    return;
  }
  mHints->insert(mHints->end(), hints->begin(), hints->end());
  delete hints;
}

void GMagicEffect::Tick() {
  if (!mStarted) {
    ++mWaitCount;
    if (mWaitCount >= mStartWait) mStarted = true;
    return;
  }
  GTravelEffect::Tick();
}

void GMagicEffect::SetEffectState(int state) {
  GTravelEffect::SetEffectState(state);
  if (state != kFinished || !mHints) return;
  std::vector<IHint*>* hints = mHints;
  mHints = nullptr;
  QueueHints(hints);
}

GWakeUpEffect* GWakeUpEffect::Create(TXmlNode* node) {
  GWakeUpEffect* effect = new GWakeUpEffect({LoadImageFromXml(node)}, AnimTicks(node));
  effect->mActionNode = node ? node->GetChild("action") : nullptr;
  effect->SetName("wake_up_effect");
  return effect;
}

void GWakeUpEffect::SetEffectState(int state) {
  GTravelEffect::SetEffectState(state);
  GGameWnd* game = GGameWnd::GetCurrent();
  if (state == kFadeEnded) {
    if (game) {
      game->ChangeSceneAtOnce(OFlagsRegistry::GetInstance()->GetValue("slept_scene"));
      // Built active, the new scene would take clicks and quick saves behind
      // the fading picture, before the action has run; the game window
      // resumes it when the effect ends.
      if (GScene* scene = game->GetCurrentScene()) scene->Pause();
    }
    GTravelEffect::SetEffectState(kRunning);
  } else if (state == kFinished) {
    GScene* scene = game ? game->GetCurrentScene() : nullptr;
    OItemsManager* items = scene ? scene->GetItemsManager() : nullptr;
    if (!OActionFactory::RunAction(mActionNode, items ? items->GetMasksManager() : nullptr))
      Report(
          "cfg/game_screen.xml: magic_effects/wake_up has no \"action\" the game knows; nothing runs on "
          "waking");
  }
}
