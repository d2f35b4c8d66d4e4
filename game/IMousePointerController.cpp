#include "IMousePointerController.h"

#include "visual/GVObject.h"

IMousePointerController::IMousePointerController(GVObject* pointer)
    : mPointer(pointer), mMain(pointer ? pointer->GetChild("main") : nullptr) {}

void IMousePointerController::ApplyState(const char* name) {
  if (!mActive || !mMain || !WantsPointer()) return;
  TState state = TState::FromCStr(name);
  if (mMain->GetState() != state) mMain->SetState(state, true);
}
