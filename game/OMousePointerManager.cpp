#include "OMousePointerManager.h"

#include "GSceneCaption.h"
#include "IMousePointerController.h"
#include "OPointerControllers.h"
#include "items/IItem.h"
#include "visual/GVObject.h"

OMousePointerManager::OMousePointerManager(GVObject* pointer) : mPointer(pointer) {
  AddMousePointerControllers(this);
  PickController();
}

OMousePointerManager::~OMousePointerManager() {
  DeleteHeldItem();
  for (IMousePointerController* c : mControllers) delete c;
  mControllers.clear();
}

void OMousePointerManager::AddController(IMousePointerController* controller) {
  if (controller) mControllers.push_back(controller);
}

void OMousePointerManager::SetSceneMode(int mode) {
  for (IMousePointerController* c : mControllers) c->SetSceneMode(mode);
  PickController();
}

void OMousePointerManager::SetMode(int mode) {
  for (IMousePointerController* c : mControllers) c->SetMode(mode);
  PickController();
}

void OMousePointerManager::SetInGameMode(bool inGame) {
  for (IMousePointerController* c : mControllers) c->SetInGameMode(inGame);
  PickController();
}

void OMousePointerManager::OnItemDropped() {
  for (IMousePointerController* c : mControllers) c->OnItemDropped();
  PickController();
}

void OMousePointerManager::HoldItem(IItem* item) {
  mHeldItem = item;
  PlaceHeldItem();
  // Without controllers nothing else shows the item in the hand.
  if (mControllers.empty() && item && item->GetObject()) {
    item->GetObject()->visible = 1;
    item->GetObject()->changed = 1;
  }
  for (IMousePointerController* c : mControllers) c->HoldItem(item);
  PickController();
}

void OMousePointerManager::ReleaseItem() {
  for (IMousePointerController* c : mControllers) c->ReleaseItem();
  mHeldItem = nullptr;
}

void OMousePointerManager::SetVisible(bool visible) {
  mVisible = visible;
  for (IMousePointerController* c : mControllers) c->SetVisible(visible);
  PickController();
}

void OMousePointerManager::SetMapMode(bool map) {
  for (IMousePointerController* c : mControllers) c->SetMapMode(map);
  PickController();
}

void OMousePointerManager::SetHintMode(bool hint) {
  for (IMousePointerController* c : mControllers) c->SetHintMode(hint);
  PickController();
}

void OMousePointerManager::DeleteHeldItem() {
  if (!mHeldItem) return;
  for (IMousePointerController* c : mControllers) c->ReleaseItem();
  IItem* item = mHeldItem;
  // Forgotten first: the item's destructor may still ask the pointer.
  mHeldItem = nullptr;
  delete item;
}

void OMousePointerManager::ConsumeHeldItem() {
  if (!mHeldItem) return;
  mHeldItem->MoveToDropped();
  DeleteHeldItem();
}

void OMousePointerManager::Shake() {
  for (IMousePointerController* c : mControllers) c->Shake(true);
  PickController();
}

void OMousePointerManager::PickController() {
  if (mControllers.empty()) {
    // Until the controllers exist the pointer keeps its plain look; the held
    // item is drawn by the draw pass.
    GVObject* main = mPointer ? mPointer->GetChild("main") : nullptr;
    TState normal = TState::FromCStr("stNormal");
    if (main && main->GetState() != normal) main->SetState(normal, true);
    return;
  }
  bool found = false;
  for (IMousePointerController* c : mControllers) {
    if (found) {
      c->SetActive(false);
    } else if (c->WantsPointer()) {
      c->SetActive(true);
      found = true;
    }
  }
  for (IMousePointerController* c : mControllers) c->Apply();
}

void OMousePointerManager::PlaceHeldItem() {
  GVObject* object = mHeldItem ? mHeldItem->GetObject() : nullptr;
  if (!object) return;
  object->deltaX = float(int(mPosition.first - mHeldItem->GetObjectWidth() * 0.5f));
  object->deltaY = float(int(mPosition.second - mHeldItem->GetObjectHeight() * 0.5f));
  object->changed = 1;
}

void OMousePointerManager::MoveTo(int x, int y) {
  if (x == mPosition.first && y == mPosition.second) return;
  if (mCaption && mRestCounter > kRestTicks - 1 && mCaption->shown) {
    mCaption->shown = false;
    mCaption->Refresh();
  }
  mRestCounter = 0;
  mPosition = std::make_pair(x, y);
  PlaceHeldItem();
  if (mPointer) {
    mPointer->deltaX = float(x);
    mPointer->deltaY = float(y);
    mPointer->changed = 1;
  }
  for (IMousePointerController* c : mControllers) c->OnPointerMove(x, y);
}

void OMousePointerManager::Tick() {
  if (mRestCounter < kRestTicks) {
    ++mRestCounter;
    if (mRestCounter == kRestTicks && mCaption) {
      mCaption->anchorX = mPosition.first;
      mCaption->anchorY = mPosition.second;
      if (!mCaption->shown) {
        mCaption->shown = true;
        mCaption->Refresh();
      }
    }
  }
  bool anyChanged = false;
  for (IMousePointerController* c : mControllers) {
    c->OnTick();
    if (c->changed) {
      c->changed = false;
      anyChanged = true;
    }
  }
  if (anyChanged) PickController();
  if (mHeldItem) mHeldItem->Update();
}

void OMousePointerManager::DrawPass() {
  if (mControllers.empty()) {
    if (mHeldItem) mHeldItem->Draw();
    return;
  }
  for (IMousePointerController* c : mControllers) c->OnDraw();
}

void OMousePointerManager::OnPointerStateEnd(TState state) {
  for (IMousePointerController* c : mControllers) c->OnPointerStateEnd(state);
}
