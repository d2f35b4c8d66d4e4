#pragma once
// The quest book: an item lying in its own scene that shows the open spread
// of its page sheets. The first time the book is seen it plays its cover
// animation; then it turns by itself towards a spread that missions have
// unlocked, reveals an unread spread once it stands open there, and turns a
// sheet when the player clicks the left or right page mask, by rules that
// keep locked spreads closed and never turn while something moves. The open
// position is the item's one number in the items registry; the spreads'
// states are the missions manager's.

#include <vector>

#include "items/OItem.h"
#include "rules/questbook/IPagesContainer.h"
#include "sdk/TTexture.h"
#include "visual/GVDrawList.h"

class IMask;
class OItemMask;
class OQuestBookPage;
class TXmlNode;

class OQuestBookItem : public OItem, public IPagesContainer {
 public:
  // What a click on a page mask would do now: kRefused, or the turn it
  // starts with the sound it plays.
  enum Turn { kRefused = -1, kSilentTurn, kTurnSound, kDiscoverSound, kBackwardsSound };

  // The factory's creator for the items_guide type "basement_quest_book".
  static IItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);
  ~OQuestBookItem() override;

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OQuestBookItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OQuestBookItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  // The cover animation's steps.
  void OnStateEnd(GVObject* object, TState state) override;
  void CreateObject() override;
  // The book's visual, the sheets, then the cover over everything.
  void Draw() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  void OnMaskEnter(IMask* mask) override;
  void OnMaskLeave(IMask* mask) override;
  // Always taken, even when the rules refuse the turn.
  bool OnMaskClick(IMask* mask) override;
  bool OwnsMask(IMask* mask) const override { return true; }
  // The masks go with the scene: forgotten, not touched.
  void ReleaseMask() override;
  void Detach() override;
  void Update() override;
  void SaveState() override;

  std::vector<TFxSpriteRef> CreateContentAppearEffects(int x, int y) override;
  // Looks again at the page mask under the pointer, if any.
  void OnPageTurned() override;
  TFxSpriteRef CreateTurningParticle(int x, int y) override;
  int GetContentAppearTicks() override { return mAppearTicks; }

  Turn ForwardTurn() const;
  Turn BackwardTurn() const;

  int GetCur() const { return mCur; }
  int GetSheetCount() const { return int(mPages.size()); }
  bool IsBusy() const { return mBusy; }
  int GetAutoTurn() const { return mAutoTurn; }
  bool IsCoverCompleted() const;
  GVObject* GetCover() const { return mCover; }
  // One entry per page description; null for a sheet not made yet.
  const std::vector<OQuestBookPage*>& GetSheets() const { return mSheets; }

  static const char* const kCoverFlag;
  static const char* const kOpenedFlag;

 private:
  OQuestBookItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath);

  // The page sheet of that index, made now if it was not: its first state
  // and which faces show their contents follow cur and the spread states.
  OQuestBookPage* MakeSheet(int index);
  OQuestBookPage* GetSheet(int index) const;
  int GetSpreadState(int spread) const;
  bool IsScenePaused() const;
  void CreateCover();
  // Each turns a sheet only when the turning rules allow it.
  void TurnForward();
  void TurnBack();
  void SetPointerMode(int mode);
  void UnlinkMasks();
  bool IsTurning() const;

  std::vector<TXmlNode*> mPages;
  std::vector<OQuestBookPage*> mSheets;  // owned
  int mCur = 0;
  str mLeftMaskName, mRightMaskName;
  OItemMask* mLeftMask = nullptr;
  OItemMask* mRightMask = nullptr;
  TTextureRef mFrontTexture, mBackTexture;
  int mFrontX = 0, mFrontY = 0, mBackX = 0, mBackY = 0;
  int mTurnTicks = 0;
  double mMaxSkew = 0;
  TXmlNode* mTurningParticle = nullptr;
  TXmlNode* mAppearEffects = nullptr;
  int mAppearTicks = 0;
  int mX = 0, mY = 0;
  str mCoverPath;
  int mCoverX = 0, mCoverY = 0;
  TXmlNode* mCoverParticles = nullptr;
  GVDrawList mCoverList;
  GVObject* mCover = nullptr;  // owned; kept in its last state once completed
  bool mBusy = false;
  int mAutoTurn = 0;
  bool mAutoTurnIssued = false;
};
