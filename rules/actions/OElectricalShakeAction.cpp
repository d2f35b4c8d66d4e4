#include "OElectricalShakeAction.h"

#include "game/GMousePointer.h"
#include "game/OMousePointerManager.h"

void OElectricalShakeAction::Execute() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (OMousePointerManager* manager = pointer ? pointer->GetManager() : nullptr) manager->Shake();
}
