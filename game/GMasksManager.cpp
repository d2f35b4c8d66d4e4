#include "GMasksManager.h"

#include "GMousePointer.h"
#include "GScene.h"
#include "IMask.h"

GMasksManager::GMasksManager(GScene* scene) : mScene(scene) {
  SetWindowSize(800, 600);
}

GMasksManager::~GMasksManager() {
  mActiveMask = nullptr;
  for (IMask* mask : mMasks) delete mask;
  mMasks.clear();
}

void GMasksManager::AddMask(IMask* mask) {
  if (mask) mMasks.push_back(mask);
}

void GMasksManager::AddMaskFirst(IMask* mask) {
  if (mask) mMasks.insert(mMasks.begin(), mask);
}

IMask* GMasksManager::FindMask(const str& name) const {
  for (IMask* mask : mMasks)
    if (mask->GetName() == name) return mask;
  return nullptr;
}

void GMasksManager::UpdateHover(const TPoint& point) {
  IMask* hit = nullptr;
  for (IMask* mask : mMasks) {
    if (mask->HitTest(point)) {
      hit = mask;
      break;
    }
  }
  if (hit == mActiveMask) return;
  // The active mask is forgotten before it hears of leaving, so a leave
  // handler that refreshes the manager cannot be told twice.
  IMask* old = mActiveMask;
  mActiveMask = nullptr;
  if (old) old->OnLeave();
  if (hit) {
    mActiveMask = hit;
    hit->OnEnter(point);
  }
}

bool GMasksManager::OnPointerMove(const TPoint& point) {
  mLastPosition = point;
  if (mBlocked) return false;
  UpdateHover(point);
  if (mActiveMask) mActiveMask->OnMove(point);
  return false;
}

bool GMasksManager::OnClick(const TPoint& point) {
  mLastPosition = point;
  if (mBlocked) return false;
  UpdateHover(point);
  if (mActiveMask && mActiveMask->OnClick()) return true;
  if (mScene) mScene->UseHeldItem(point);
  return true;
}

void GMasksManager::Block() {
  IMask* old = mActiveMask;
  mActiveMask = nullptr;
  if (old) old->OnLeave();
  mBlocked = true;
}

void GMasksManager::Unblock() {
  mBlocked = false;
  UpdateHover(mLastPosition);
}

void GMasksManager::Refresh() {
  mActiveMask = nullptr;
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(0);
  UpdateHover(mLastPosition);
}

void GMasksManager::SetCaptionKey(const str& key) {
  if (mScene) mScene->SetCaptionKey(key);
}

void GMasksManager::SetCaptionText(const str& text) {
  if (mScene) mScene->SetCaptionText(text);
}

void GMasksManager::GoToScene(const str& sceneName) {
  if (mScene) mScene->GoToScene(sceneName);
}
