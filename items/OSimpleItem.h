#pragma once
// The ordinary takeable item and the base of every kind that moves between
// places: it lies in the scene at a fixed position behind an item mask, is
// taken onto the pointer by a click, and from there is stored, dropped,
// returned or used. Every change of place switches its visual to the state
// named after the place, is written to the items registry at once, and may
// keep a game variable telling whether it is on the pointer.

#include <vector>

#include "items/OItem.h"

class IAction;
class OItemMask;
class TXmlNode;

class OSimpleItem : public OItem {
 public:
  // Particle effects started at the item's centre.
  enum { kScenePut = 0, kSceneGet = 1, kDropZonePut = 2, kDropZoneGet = 3, kParticleCount = 4 };

  OSimpleItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath,
              int32_t x, int32_t y);
  ~OSimpleItem() override;

  // A takeable kind's loader: it reads the items_guide entry and sets
  // neither the place nor the visual; null when the entry cannot make one.
  typedef OSimpleItem* (*Loader)(const str& name, TXmlNode* node, IItemsManager* owner);

  // What every takeable kind is constructed with: its visual and its place
  // in the scene.
  struct Look {
    str folder, path;
    int32_t x = 0, y = 0;
  };
  // False, reported, when the entry has no visual: every place change works
  // on it, and an item without one could only be lost on the pointer.
  static bool ReadLook(const str& name, TXmlNode* node, Look* look);

  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);
  // Null when the items registry says the item has left the scene.
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);
  static IItem* CreateForPointer(const str& name, TXmlNode* node, IItemsManager* owner);
  static IItem* CreateForInventory(const str& name, TXmlNode* node, IItemsManager* owner);
  static IItem* CreateDropped(const str& name, TXmlNode* node, IItemsManager* owner);

  // The creators of every takeable kind: the kind's loader, then the place.
  // For the scene nothing is made once the registry holds another place.
  template <Loader Load, int32_t Place>
  static IItem* CreateIn(const str& name, TXmlNode* node, IItemsManager* owner) {
    return CreateInPlace(Load, name, node, owner, Place);
  }
  static IItem* CreateInPlace(Loader load, const str& name, TXmlNode* node, IItemsManager* owner,
                              int32_t place);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OSimpleItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OSimpleItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  void CreateObject() override;
  bool IsInScene() const override;
  bool IsInInventory() const override { return mPlace == ItemPlace::stInventory; }
  bool IsOnPointer() const override { return mPlace == ItemPlace::stPointer; }
  void MoveToScene() override { SetPlace(ItemPlace::stScene); }
  void MoveToPointer() override { SetPlace(ItemPlace::stPointer); }
  void MoveToInventory() override { SetPlace(ItemPlace::stInventory); }
  void MoveToAlchemicalInventory() override { SetPlace(ItemPlace::stAlchemicalInventory); }
  void MoveToDropped() override { SetPlace(ItemPlace::stDropped); }
  void OnMaskEnter(IMask* mask) override;
  void OnMaskLeave(IMask* mask) override;
  // Takes the item from the scene onto an empty hand.
  bool OnMaskClick(IMask* mask) override;
  bool Use(const TPoint& point) override;
  bool OwnsMask(IMask* mask) const override;
  void ReleaseMask() override { mOwnMask = nullptr; }
  void Detach() override;
  void SaveState() override;
  void PlayTakeSound() override;
  void PlayPutSound() override;

  void SetItemsManager(IItemsManager* owner) override;
  void ReturnToScene(bool silent) override;

  virtual void SetPlace(int32_t place);
  virtual void PlayDropZonePutSound();

  // Taken out of a drop zone: the take sound, then "drop_zone_get".
  void PlayTakeEffect();
  // Put into a drop zone: the put sound, then "drop_zone_put".
  void PlayDropZonePutEffect();

  int32_t GetPlace() const { return mPlace; }
  const str& GetSceneMaskName() const { return mSceneMaskName; }
  OItemMask* GetOwnMask() const { return mOwnMask; }
  int32_t GetSceneX() const { return mSceneX; }
  int32_t GetSceneY() const { return mSceneY; }
  TXmlNode* GetParticleNode(int index) const;
  const str& GetOnPointerFlag() const { return mOnPointerFlag; }
  IAction* GetAction() const { return mAction; }
  IAction* GetGetFromSceneAction() const { return mGetFromSceneAction; }
  IAction* GetReturnToSceneAction() const { return mReturnToSceneAction; }

 protected:
  // The parts of the entry that kinds may leave unread.
  enum { kReadUseAction = 1, kReadOnPointerFlag = 2 };
  // The rest of a takeable entry: mask, particles, caption, the take and
  // return actions, and the parts `optional` names.
  void ReadEntry(TXmlNode* node, IItemsManager* owner, int optional);

  // Starts the particle effect of that index at the item's centre, under the
  // scene's child windows; the handle is dropped.
  void StartParticle(int index);
  void UnlinkMask();

  str mSceneMaskName;
  int32_t mPlace = ItemPlace::stScene;
  int32_t mSceneX = 0, mSceneY = 0;
  OItemMask* mOwnMask = nullptr;
  std::vector<TXmlNode*> mParticleNodes;  // the configuration's nodes; may be null
  IAction* mAction = nullptr;
  IAction* mGetFromSceneAction = nullptr;
  IAction* mReturnToSceneAction = nullptr;
  str mOnPointerFlag;
};
