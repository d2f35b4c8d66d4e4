#include "OPassageAction.h"

#include "game/GMasksManager.h"

void OPassageAction::Execute() {
  if (mOwner) mOwner->GoToScene(mLink);
}
