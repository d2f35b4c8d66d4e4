#pragma once
// The flask that holds one potion at a time. The combination rules fill it
// or turn its content into a potion, and the player drinks it: a finished
// potion counts toward its magic, the others run their drink action. Its
// look, caption, particle and drink action come from the items guide's
// "basement_flask_common", one child per potion. The potion is saved with
// the flask's place.

#include "items/OSimpleItem.h"
#include "sdk/TSprite.h"
#include "visual/TFxSprite.h"

class OBasementFlaskItem : public OSimpleItem {
 public:
  enum { kEmpty = 0, kPotionCount = 16, kFadeTicks = 50 };

  using OSimpleItem::OSimpleItem;
  ~OBasementFlaskItem() override;

  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  // The potion of that name ("water", "health_complete" ...), rebuilt at
  // once; unless silent, "potion_create" with the flask's current name, also
  // for a name no potion has (which changes nothing).
  static void SetPotion(OBasementFlaskItem* flask, const str& name, bool silent);
  // Sets the potion and rebuilds the visual and the particle. A finished
  // potion's previous visual fades out unless `noFade`; it lives on only in
  // an inventory.
  static void UpdateObject(int32_t potion, OBasementFlaskItem* flask, bool noFade);
  // The potion's number for a name, -1 for none.
  static int32_t FindPotion(const str& name);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OBasementFlaskItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OBasementFlaskItem; }

  void CreateObject() override;
  // The visual, then the potion's particle.
  void Draw() override;
  // Drinks; always taken.
  bool Use(const TPoint& point) override;
  bool CanBeReturned() const override { return mPotion == kEmpty; }
  // The fade of the previous visual.
  void Update() override;
  // "flask_" and the potion; the item's own name for a potion it cannot have.
  str GetCurrentName() const override;
  // {place, potion}.
  void SaveState() override;
  void PlayPutSound() override;
  void RestartEffects() override;
  // The potion's caption; the item's own when it is empty.
  void ShowCaption() override;
  void SetPlace(int32_t place) override;
  void PlayDropZonePutSound() override;

  int32_t GetPotion() const { return mPotion; }
  GVObject* GetFadingObject() const { return mFading; }
  const TFxSpriteRef& GetParticle() const { return mParticle; }
  // The potion's child of the common node, or null.
  TXmlNode* GetPotionNode() const;

 private:
  void Drink();

  TXmlNode* mCommon = nullptr;
  int32_t mPotion = kEmpty;
  GVObject* mFading = nullptr;  // owned
  int32_t mFadeCount = 0;
  TFxSpriteRef mParticle;
  TSpriteRef mHolder;
};
