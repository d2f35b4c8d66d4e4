#include "GCookScene.h"

#include "game/GMousePointer.h"
#include "game/OMinigameRegistry.h"
#include "items/OCookDishItem.h"
#include "items/OItemsManager.h"
#include "sdk/TXmlNode.h"

const char* const GCookScene::kMixingPlate = "king_cook_plate_mixer";

namespace {
void SaveDish(TXmlNode* plates, IItem* item) {
  OCookDishItem* dish = dynamic_cast<OCookDishItem*>(item);
  if (!dish) return;
  if (TXmlNode* node = plates->CreateChild(dish->GetName())) dish->SaveState(node);
}
}  // namespace

void GCookScene::Init(TWindowStyle& style) {
  GFullScreenGameScene::Init(style);
  IItem* plate = mItemsManager ? mItemsManager->FindItem(kMixingPlate) : nullptr;
  mMixingPlate = dynamic_cast<OCookDishItem*>(plate);
}

void GCookScene::SaveState() {
  GFullScreenGameScene::SaveState();
  TXmlNode* cook = OMinigameRegistry::GetInstance()->CreateNode("cook");
  if (!cook) return;
  TXmlNode* plates = cook->CreateChild("plates");
  GMousePointer* pointer = GMousePointer::PeekInstance();
  SaveDish(plates, pointer ? pointer->GetHeldItem() : nullptr);
  if (mItemsManager)
    for (IItem* item : mItemsManager->GetItems()) SaveDish(plates, item);
}

void GCookScene::UpdateProgressBar(OCookDishItem* dish, int amount) {
  mLastRatedDish = dish;
  mAsked.push_back(str::format("progress %d", amount));
}

void GCookScene::PlayDishResult(int result) {
  mAsked.push_back(str::format("result %d", result));
}
