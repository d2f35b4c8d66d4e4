#pragma once
// Items that show a text laid out by a Lua-built window and turned into a
// texture once: the note, a takeable item the player reads large in front of
// the scene; the ready tablet, a note whose first reading in a game plays an
// opening animation; and the scene text, fixed words drawn on a scene. Each
// builds its text again when the display loses its textures.

#include "items/OSimpleItem.h"
#include "sdk/TSprite.h"
#include "sdk/TTask.h"

class ONoteItem : public OSimpleItem, public TTask {
 public:
  ONoteItem(const str& name, IItemsManager* owner, const Look& look, TXmlNode* node);
  ~ONoteItem() override;

  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "ONoteItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::ONoteItem; }

  // The visual, and the text over it while the note is shown large.
  void Draw() override;
  // On the pointer it opens large; shown large it closes. Always true.
  bool Use(const TPoint& point) override;
  // 1 shows the note large, centred on (400, 240), in front of the scene;
  // 0 gives it back the look of its place.
  virtual void SetLarge(int mode);

  // The texture refresh: the text is rendered again.
  bool DoTask() override;

  int GetLargeMode() const { return mLargeMode; }
  const TSpriteRef& GetTextSprite() const { return mTextSprite; }

 protected:
  // What SetLarge (1) does, with the visual state to show.
  void ShowLarge(const char* state);

  int mLargeMode = 0;
  TSpriteRef mTextSprite;  // null without a text
  TXmlNode* mNode;         // the items_guide entry, kept for the refresh
};

class OReadyTabletItem : public ONoteItem {
 public:
  using ONoteItem::ONoteItem;
  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OReadyTabletItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OReadyTabletItem; }

  // The first tablet read in a game plays "stLargeAnim"; every later one
  // shows "stLarge".
  void SetLarge(int mode) override;
};

class OSceneTextItem : public OItem, public TTask {
 public:
  OSceneTextItem(const str& name, IItemsManager* owner, TXmlNode* node);
  ~OSceneTextItem() override;

  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OSceneTextItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OSceneTextItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  void Draw() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  bool OnMaskClick(IMask* mask) override { return false; }
  bool OwnsMask(IMask* mask) const override { return true; }
  void ReleaseMask() override {}
  void Detach() override {}
  void SaveState() override {}

  bool DoTask() override;

  const TSpriteRef& GetTextSprite() const { return mTextSprite; }

 private:
  TSpriteRef mTextSprite;
  TXmlNode* mNode;
};
