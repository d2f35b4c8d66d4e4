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

#include "items/OItemHolder.h"
#include "items/OSimpleItem.h"
#include "sdk/TSound.h"

class OCookDeskItem : public OSimpleItem, public OItemHolder {
 public:
  // The drop-zone record's names for empty places.
  static const char* const kNoProduct;
  static const char* const kNoCut;
  static const char* const kNoDust;

  OCookDeskItem(const str& name, IItemsManager* owner, const Look& look);

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

  // The pieces lying on it are its own list; they are drawn with it and
  // deleted with it.
  void DrawItems() override { Draw(); }

  bool IsTool(const str& name) const;

  IItem* GetProduct() const { return mProduct; }
  IItem* GetCut() const { return mCut; }
  IItem* GetDust() const { return mDust; }

 protected:
  IItemsManager* GetHolderOwner() const override { return mOwner; }

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
  // Out of the list (which unlinks it) and deleted; null is ignored.
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
  TSoundRef mToolSound;
};
