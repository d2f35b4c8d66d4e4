#pragma once
// What an item reaches of its scene through its owner: the list it belongs
// to, the scene's masks manager, front-item holder, particle effects and
// magic effects. A scene's OItemsManager implements it, and so do the item
// kinds that hold items of their own (containers, passages, the cook desk):
// they keep their own list and pass every other call to their own owner.

#include "sdk/TSprite.h"
#include "sdk/str.h"

class GFullScreenGameScene;
class GMasksManager;
class IItem;
class TXmlNode;

class IItemsManager {
 public:
  virtual void AddItem(IItem* item) = 0;
  virtual void DrawItems() = 0;
  virtual GMasksManager* GetMasksManager() = 0;
  // Takes the item out of the list (after IItem::Detach) without deleting
  // it; its owner field is left alone. An item not in the list is ignored.
  virtual void RemoveItem(IItem* item) = 0;
  virtual GFullScreenGameScene* GetScene() = 0;
  virtual void ShowFrontItem(IItem* item) = 0;
  virtual void OnThroughSpaceMagic() = 0;
  virtual void OnThroughTimeMagic() = 0;
  virtual void ShowHealthEffect() = 0;
  virtual void ClearFrontItem() = 0;
  // A particle effect of the scene started from `node` at (x, y), above the
  // scene's child windows when `onTop`. A null node starts nothing and gives
  // an empty handle; callers that only start an effect drop the handle.
  virtual TSpriteRef AddParticleEffect(TXmlNode* node, float x, float y, bool onTop) = 0;
  // Whether the pointer holds an item of that name.
  virtual bool IsItemAvailable(const str& name) = 0;
  virtual void DeactivateParticles() = 0;
  // The first item of that name in this list, or null; items held inside
  // its items are not searched.
  virtual IItem* FindItem(const str& name) const = 0;
  virtual ~IItemsManager() = default;
};
