#include "OSoundAction.h"

#include "game/OSoundManager.h"

void OSoundAction::Execute() {
  OSoundManager::GetInstance()->PlayFile(mFile);
}
