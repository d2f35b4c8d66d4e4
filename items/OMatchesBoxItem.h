#pragma once
// A box of matches, carried like a simple item. Used in the hand it lights a
// match: the item then stands for the burning match ("match" for the
// combination rules), plays "stMatchAnimation" with a flame at the pointer,
// and can be neither dropped, stored nor returned. The match goes out when
// it is used on something, used again, or has burned its life; each lit
// match counts down, and once the last one is out the box refills and goes
// back to its scene. A game variable is set when a match is lit and another
// when it goes out.

#include "items/OSimpleItem.h"
#include "visual/TFxSprite.h"

class OMatchesBoxItem : public OSimpleItem {
 public:
  enum { kBox = 0, kBurning = 1 };

  OMatchesBoxItem(const str& name, IItemsManager* owner, const Look& look);
  ~OMatchesBoxItem() override;

  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OMatchesBoxItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OMatchesBoxItem; }

  void CreateObject() override;
  // The box; while burning also the flame at the pointer.
  void Draw() override;
  // Lights a match, or puts the burning one out. Always true.
  bool Use(const TPoint& point) override;
  bool CanBeDropped() const override { return mMode != kBurning; }
  bool CanBeStored() const override { return mMode != kBurning; }
  bool CanBeReturned() const override { return mMode != kBurning; }
  // Counts the burning match's life.
  void Update() override;
  str GetCurrentName() const override;
  // {place, mode, matches}, and the burn ticks while burning.
  void SaveState() override;
  // The caption text with "num_matches" replaced by the count.
  void ShowCaption() override;
  // Ignored while burning: a burning match stays in the hand.
  void SetPlace(int32_t place) override;

  // 1 lights a match, 0 puts it out. Putting out the last match empties the
  // box: it refills and goes back to its scene, or, when its scene is not
  // the current one, is sent there through the items registry and deleted
  // once the current event or tick is over.
  void SetMatchMode(int32_t mode);

  int32_t GetMatchMode() const { return mMode; }
  int32_t GetMatches() const { return mMatches; }
  int32_t GetBurnTicks() const { return mBurnTicks; }
  int32_t GetMatchLife() const { return mMatchLife; }
  // Null when the entry gives no "fx".
  const TFxSpriteRef& GetFlame() const { return mFlame; }

 private:
  // The box is spent: refilled, out of the hand, back in its scene. False
  // when it was sent to its scene through the registry and deleted.
  // `putOut` puts the match out right after the refill.
  bool BurnOut(bool putOut);
  void RunInFlame(const char* code);
  void SetFlag(const str& name, const str& value);
  int32_t InitialMatches() const;

  int32_t mMode = kBox;
  str mMatchFlagName, mMatchFlagValue;
  str mBoxFlagName, mBoxFlagValue;
  int32_t mBurnTicks = 0;
  int32_t mMatchLife = -1;
  int32_t mMatches = 0;
  TFxSpriteRef mFlame;
  TSpriteRef mFlameHolder;
};
