#include "ORemoveTutorialBackgroundAction.h"

#include "game/OTutorialBackground.h"

void ORemoveTutorialBackgroundAction::Execute() {
  OTutorialBackground::ReleaseSharedTexture();
}
