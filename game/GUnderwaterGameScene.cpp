#include "GUnderwaterGameScene.h"

#include "tools/panel/GGamePanel.h"

void GUnderwaterGameScene::AttachPanel(GGamePanel* panel) {
  GInventoryGameScene::AttachPanel(panel);
  // Set after the base so the under-water kind wins over kind 0.
  if (mPanel) mPanel->SetKind(kPanelKind);
}
