#include "ODeleteItemAction.h"

#include "game/GMousePointer.h"
#include "game/OMousePointerManager.h"

void ODeleteItemAction::Execute() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (OMousePointerManager* manager = pointer ? pointer->GetManager() : nullptr) manager->DeleteHeldItem();
}
