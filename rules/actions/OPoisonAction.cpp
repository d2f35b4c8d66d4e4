#include "OPoisonAction.h"

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/GScene.h"
#include "game/OMousePointerManager.h"
#include "game/OSimpleBackground.h"
#include "rules/timers/OTimersManager.h"

namespace {
OSimpleBackground* Background(GMasksManager* owner) {
  GScene* scene = owner ? owner->GetScene() : nullptr;
  return scene ? scene->GetBackground() : nullptr;
}

void DeleteHeldItem() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (OMousePointerManager* manager = pointer ? pointer->GetManager() : nullptr) manager->DeleteHeldItem();
}
}  // namespace

void OPoisonAction::StartPoisonTimer() {
  if (ITimerController* poison = OTimersManager::GetInstance()->GetController("poison"))
    poison->StartWithTime(mTimeToDie);
}

void OPoisonAction::Execute() {
  StartPoisonTimer();
  if (OSimpleBackground* background = Background(mOwner)) background->StartPoisonEffect();
  if (mDeleteItem) DeleteHeldItem();
}

void OBerryPoisonAction::Execute() {
  StartPoisonTimer();
  if (OSimpleBackground* background = Background(mOwner)) background->StartBerryPoisonEffect();
  DeleteHeldItem();
}
