#include "OPointerControllers.h"

#include <cstdlib>

#include "OMousePointerManager.h"
#include "items/IItem.h"
#include "sdk/TPlatform.h"
#include "visual/GVObject.h"

void AddMousePointerControllers(OMousePointerManager* manager) {
  if (!manager) return;
  GVObject* pointer = manager->GetPointerObject();
  manager->AddController(new OMousePointerVisibleController(pointer));
  manager->AddController(new OMousePointerModeController(pointer));
  manager->AddController(new OMousePointerQuestBookTurnController(pointer));
  manager->AddController(new OMousePointerMapController(pointer));
  manager->AddController(new OMousePointerInGameModeController(pointer));
  manager->AddController(new OMousePointerBorderController(pointer));
  manager->AddController(new OMousePointerShakingController(pointer, manager));
  manager->AddController(new OMousePointerHintController(pointer));
  manager->AddController(new OMousePointerPassageController(pointer));
  manager->AddController(new OMousePointerItemController(pointer));
  manager->AddController(new OMousePointerDropItemController(pointer));
  manager->AddController(new OMousePointerGetItemController(pointer));
  manager->AddController(new OMousePointerIdleController(pointer));
}

// ---- scene-mode controllers ----

void OMousePointerGetItemController::Apply() {
  if (mMode == 3)
    ApplyState("stBeforeGetItem");
  else if (mMode == 5)
    ApplyState("stDialog");
}

void OMousePointerQuestBookTurnController::Apply() {
  if (mMode == 6) ApplyState("stBeforeGetItem");
}

void OMousePointerBorderController::Apply() {
  if (mMode == 7) ApplyState("stNormal");
}

void OMousePointerPassageController::Apply() {
  if (mMode == 1)
    ApplyState("stBoots");
  else if (mMode == 2)
    ApplyState("stEye");
  else if (mMode == 4)
    ApplyState("stBeforeGetItem");
}

// ---- shaking ----

void OMousePointerShakingController::Shake(bool shake) {
  SetMode(shake ? 0 : 1);
  if (shake)
    mTickCount = 0;
  else
    PlacePointer(0, 0);
}

void OMousePointerShakingController::OnTick() {
  if (mMode == 1 || !mActive) return;
  if (++mTickCount > kTickLimit) {
    // Leaves the look as it is: the next pointer event picks again.
    Shake(false);
    return;
  }
  TPlatform* platform = TPlatform::GetInstance();
  mOffsetX = int(platform->Rand() & 7) - 4;
  mOffsetY = int(platform->Rand() & 7) - 4;
  PlacePointer(mOffsetX, mOffsetY);
}

void OMousePointerShakingController::PlacePointer(int dx, int dy) {
  if (!mPointer || !mManager) return;
  mPointer->deltaX = float(mManager->GetX() + dx);
  mPointer->deltaY = float(mManager->GetY() + dy);
  mPointer->changed = 1;
}

// ---- held item ----

void OMousePointerItemController::ReleaseItem() {
  if (mItem) {
    if (GVObject* object = mItem->GetObject()) {
      object->visible = 1;
      object->changed = 1;
    }
  }
  mItem = nullptr;
  // The manager does not pick on a release; the next tick does.
  changed = true;
}

void OMousePointerItemController::SetActive(bool active) {
  IMousePointerController::SetActive(active);
  if (!mItem) return;
  if (GVObject* object = mItem->GetObject()) {
    object->visible = active ? 1 : 0;
    object->changed = 1;
  }
}

void OMousePointerItemController::OnDraw() {
  if (mActive && mItem) mItem->Draw();
}

// ---- after drop ----

void OMousePointerDropItemController::Apply() {
  if (WantsPointer())
    ApplyState("stAfterDrop");
  else
    StoreMode(0);
}

void OMousePointerDropItemController::OnTick() {
  if (mMode != 1) return;
  // Another look replaced the animation before it ended (or there is no
  // pointer to play it on, and so no end to wait for).
  if (!mMain || mMain->GetState() != TState::FromCStr("stAfterDrop")) StoreMode(0);
}

void OMousePointerDropItemController::OnPointerStateEnd(TState state) {
  if (mMode != 1 || state != TState::FromCStr("stAfterDrop")) return;
  StoreMode(0);
  changed = true;
}

// ---- idle ----

OMousePointerIdleController::OMousePointerIdleController(GVObject* pointer)
    : IMousePointerController(pointer), mIdleStates{TState::FromCStr("stIdle1")} {}

bool OMousePointerIdleController::IsIdleState(TState state) const {
  for (TState idle : mIdleStates)
    if (idle == state) return true;
  return false;
}

void OMousePointerIdleController::SetActive(bool active) {
  if (active && !mActive) mIdleCount = kIdleTicks;
  IMousePointerController::SetActive(active);
}

void OMousePointerIdleController::Apply() {
  // Straight to the child, so the plain look is set again even when shown;
  // an idle animation that is playing is left to finish.
  if (!mActive || !mMain || IsIdleState(mMain->GetState())) return;
  mMain->SetState(TState::FromCStr("stNormal"), true);
}

void OMousePointerIdleController::OnTick() {
  if (!mActive) return;
  if (--mIdleCount >= 0) return;
  mIdleCount = kIdleTicks;
  if (mMain && !mIdleStates.empty()) mMain->SetState(mIdleStates[std::rand() % mIdleStates.size()], true);
}
