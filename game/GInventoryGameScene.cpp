#include "GInventoryGameScene.h"

#include "game/GMousePointer.h"
#include "game/ODropZoneSet.h"
#include "items/IItem.h"
#include "items/OItemsManager.h"
#include "rules/actions/IAction.h"
#include "tools/panel/GGamePanel.h"

GInventoryGameScene::~GInventoryGameScene() {
  DetachPanel();
}

bool GInventoryGameScene::OnMouseDown(const TPoint& point) {
  if (mInteractionMode == kNote) return GFullScreenGameScene::OnMouseDown(point);
  // A dialog in front still lets clicks reach the scene here.
  if (!mPanel || !mPanel->HitTest(point)) OnSceneClick(point);
  return false;
}

bool GInventoryGameScene::OnExtendedMouseEvent(const TPoint& point, int event) {
  if (mPanel && CanScrollInventory()) {
    if (event == 4 || event == 6) mPanel->onInventoryPrev();
    if (event == 5 || event == 7) mPanel->onInventoryNext();
  }
  bool overCell = mPanel && mPanel->IsOverInventoryCell(point);
  if (!overCell && !mFullScreen) GFullScreenGameScene::OnExtendedMouseEvent(point, event);
  return false;
}

void GInventoryGameScene::Update() {
  GFullScreenGameScene::Update();
  // The heartbeat runs the panel too, so it steps twice a tick here.
  if (mPanel) mPanel->Update();
}

void GInventoryGameScene::AttachPanel(GGamePanel* panel) {
  mPanel = panel;
  if (!mPanel) return;
  mPanel->SetKind(mFullScreen ? 3 : 0);
  mPanelLayer->AdoptChild(mPanel);
}

void GInventoryGameScene::DetachPanel() {
  if (!mPanel) return;
  mPanel->Release(this, mPanelLayer);
  mPanel = nullptr;
}

void GInventoryGameScene::SetBorders(std::vector<IAction*>* borders) {
  GFullScreenGameScene::SetBorders(borders);
  std::vector<bool> passages(kBorderCount, false);
  for (int i = 0; borders && i < kBorderCount && i < int(borders->size()); ++i)
    passages[i] = (*borders)[i] != nullptr;
  if (mPanel) mPanel->SetPassages(passages);
}

void GInventoryGameScene::Pause() {
  GFullScreenGameScene::Pause();
  if (mPanel) mPanel->Lock();
}

void GInventoryGameScene::Resume() {
  GFullScreenGameScene::Resume();
  if (mPanel) mPanel->Unlock();
  GMousePointer::GetInstance()->SetInGameMode(!mFullScreen && !mStandardPointer);
}

void GInventoryGameScene::OnStart() {
  GFullScreenGameScene::OnStart();
  if (mFullScreen || mStandardPointer) GMousePointer::GetInstance()->SetInGameMode(false);
}

void GInventoryGameScene::SetInteractionMode(int mode) {
  GFullScreenGameScene::SetInteractionMode(mode);
  if (!mPanel) return;
  if (mode == kPlay) mPanel->Unlock();
  if (mode == kNote) mPanel->Lock();
}

bool GInventoryGameScene::IsItemAvailable(const str& name) {
  return GFullScreenGameScene::IsItemAvailable(name) || (mPanel && mPanel->HasItem(name));
}

void GInventoryGameScene::OnPassageButtonClick(int direction) {
  const std::vector<IAction*>* borders = GetBorders();
  if (!borders || direction < 0 || direction >= int(borders->size())) return;
  if (IAction* action = (*borders)[direction]) action->Execute();
}
