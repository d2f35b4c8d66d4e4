#include "OExitToMainMenuAction.h"

#include "game/GGameWnd.h"

void OExitToMainMenuAction::Execute() {
  if (GGameWnd* game = GGameWnd::GetCurrent()) game->quitGame();
}
