#pragma once
// The cutting board of the cooking scene. It holds at most three pieces: a
// product laid on it by hand, and the cut and dust pieces a tool makes of
// that product by its products table. The pieces lie in a list of the desk
// (which is the items manager of the pieces it makes), are drawn after it
// and deleted with it; their names and positions are kept in the drop-zone
// registry under the desk's name, so they survive leaving the scene, saving
// and loading. An empty hand takes a piece back.

#include <map>
#include <utility>
#include <vector>

#include "items/IItemsManager.h"
#include "items/OSimpleItem.h"
#include "sdk/TSound.h"

class OCookDeskItem : public OSimpleItem, public IItemsManager {
 public:
  // The drop-zone record's names for empty places.
  static const char* const kNoProduct;
  static const char* const kNoCut;
  static const char* const kNoDust;

  OCookDeskItem(const str& name, IItemsManager* owner, const Look& look);
  // Deletes the pieces still lying on it.
  ~OCookDeskItem() override;

  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OCookDeskItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OCookDeskItem; }

  // The desk's visual, then the pieces saved on it the last time.
  void CreateObject() override;
  // The desk, then its pieces in list order.
  void Draw() override;
  // Lays, cuts or hands back a piece. Always true.
  bool OnMaskClick(IMask* mask) override;
  bool CanBeStored() const override { return false; }
  bool OwnsMask(IMask* mask) const override { return true; }
  // The fade-in of newly laid cut and dust pieces.
  void Update() override;
  // The drop-zone record; the desk keeps nothing in the items registry.
  void SaveState() override;

  // IItemsManager: its own list for adding, drawing, finding and removing;
  // everything else goes to the manager that owns the desk.
  void AddItem(IItem* item) override;
  void DrawItems() override { Draw(); }
  GMasksManager* GetMasksManager() override;
  // Takes the first occurrence out, keeping the order; nothing is deleted.
  void RemoveItem(IItem* item) override;
  GFullScreenGameScene* GetScene() override;
  void ShowFrontItem(IItem* item) override;
  void OnThroughSpaceMagic() override;
  void OnThroughTimeMagic() override;
  void ShowHealthEffect() override;
  void ClearFrontItem() override;
  TSpriteRef AddParticleEffect(TXmlNode* node, float x, float y, bool onTop) override;
  bool IsItemAvailable(const str& name) override;
  void DeactivateParticles() override;
  IItem* FindItem(const str& name) const override;

  bool IsTool(const str& name) const;

  IItem* GetProduct() const { return mProduct; }
  IItem* GetCut() const { return mCut; }
  IItem* GetDust() const { return mDust; }
  const std::vector<IItem*>& GetDeskItems() const { return mDeskItems; }

 private:
  struct Restored {
    str name;
    int32_t x = 0, y = 0;
  };
  typedef std::map<str, std::pair<str, str>> Products;  // id -> (cut, dust)

  void TakePiece();
  void Cut(IItem* tool);
  void Lay(IItem* held);
  // A new piece of that name made on the desk in place 0; null when the
  // factory cannot make it.
  IItem* MakePiece(const str& name);
  // Out of the list, unlinked and deleted; null is ignored.
  void DropPiece(IItem* piece);
  // A piece put down on the desk from the hand.
  void PutFromHand(IItem* piece);
  void Restore(Restored& restored, IItem** slot, bool cutMovesToScene);
  static void StartFade(IItem* piece, GVObject** fade);
  static void StepFade(GVObject** fade, float step);

  Products mProducts;
  std::vector<str> mTools;
  IItem* mProduct = nullptr;  // the three places; not owned
  IItem* mCut = nullptr;
  IItem* mDust = nullptr;
  GVObject* mCutFade = nullptr;  // the pieces' "main" objects while they fade in
  GVObject* mDustFade = nullptr;
  float mFadeStep = 0.1f;  // alpha a tick
  Restored mRestoredProduct, mRestoredDust, mRestoredCut;
  std::vector<IItem*> mDeskItems;
  TSoundRef mToolSound;
};
