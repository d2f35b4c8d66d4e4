#pragma once
// The items of one scene: an ordered list that owns its items and is both
// the drawing order and the order of every broadcast. It finds items by
// name, inserts returning items at the place the scene's item order gives
// them, and decides whether a released item goes back to a producer or a
// container.

#include <vector>

#include "items/IItemsManager.h"

class OItemsManager : public IItemsManager {
 public:
  // `scene` may be null (a manager outside any scene: every scene service
  // then does nothing).
  explicit OItemsManager(GFullScreenGameScene* scene);
  // Detaches and deletes every item in list order.
  ~OItemsManager() override;
  OItemsManager(const OItemsManager&) = delete;
  OItemsManager& operator=(const OItemsManager&) = delete;

  void AddItem(IItem* item) override;
  // Only the items that lie in the scene (places 0 and 4).
  void DrawItems() override;
  GMasksManager* GetMasksManager() override;
  void RemoveItem(IItem* item) override;
  GFullScreenGameScene* GetScene() override { return mScene; }
  void ShowFrontItem(IItem* item) override;
  void OnThroughSpaceMagic() override;
  void OnThroughTimeMagic() override;
  void ShowHealthEffect() override;
  void ClearFrontItem() override;
  TSpriteRef AddParticleEffect(TXmlNode* node, float x, float y, bool onTop) override;
  bool IsItemAvailable(const str& name) override;
  void DeactivateParticles() override;

  // Broadcasts, each to every item in list order.
  void CreateObjects();
  void Update();
  void SaveItems();
  void OnSceneStart();
  void ReleaseMasks();
  void ReleaseSceneLinks();

  IItem* FindItem(const str& name) const override;
  // Before the first item whose rank in the scene's item order is greater
  // than the new item's; a name the order does not list has rank 0 and
  // listed items of equal rank stay in front of the new one.
  void InsertInSceneOrder(IItem* item);
  // Detaches every item and deletes all but the exact particle items, which
  // stay in the list: the only items a kept manager carries over.
  void Clear();
  bool HasProducerFor(IItem* held) const;
  bool HasContainerFor(IItem* held) const;
  void ReturnToContainer(IItem* held);

  const std::vector<IItem*>& GetItems() const { return mItems; }

  // The list of the scene that `manager` belongs to: for a holder item (a
  // container, a desk) its scene's list, which the holder is not. A manager
  // outside any scene answers itself when it is a list; else null.
  static OItemsManager* SceneListOf(IItemsManager* manager);

 protected:
  // The scene's item order: the names its "items" element lists, in order.
  virtual const std::vector<str>* GetItemOrder() const;

 private:
  int RankOf(const std::vector<str>* order, const str& name, bool* listed) const;

  GFullScreenGameScene* mScene;
  std::vector<IItem*> mItems;
};
