#include "IGHint.h"

#include "OHintsManager.h"
#include "game/GGameWnd.h"
#include "game/GScene.h"
#include "items/OItemsManager.h"
#include "rules/actions/OCompositeAction.h"

namespace {
// The owner of actions run by a closing hint: the masks manager of the
// scene being played. A mini-game has none, and between scenes there is no
// scene at all; the actions are then built without an owner.
GMasksManager* CurrentMasksManager() {
  GGameWnd* game = GGameWnd::GetCurrent();
  GScene* scene = game ? game->GetCurrentScene() : nullptr;
  OItemsManager* items = scene ? scene->GetItemsManager() : nullptr;
  return items ? items->GetMasksManager() : nullptr;
}
}  // namespace

void IGHint::Close() {
  // Once only: a window whose close was asked twice in one tick (a click
  // and its own timer) resumes the scene and runs its actions once.
  if (mClosed) return;
  mClosed = true;
  if (GetParent()) GetParent()->OrphanChild(this);
  if (OHintsManager::HasInstance())
    if (GScene* scene = OHintsManager::GetInstance()->GetScene()) scene->Resume();
  if (mAfterCloseAction.empty()) return;
  // Built now, not when the hint was made, so it works in the scene the
  // player is in when the window closes.
  OCompositeAction action(mAfterCloseAction, CurrentMasksManager());
  action.Execute();
}
