#pragma once
// Particle effects and animated visual objects laid on a scene. Loaded only
// while particles are enabled; otherwise it holds nothing to draw. A kept
// items manager carries particle items over a change of scene state, so the
// effects run on without a restart.

#include <vector>

#include "items/OSceneOnlyItem.h"
#include "sdk/TSprite.h"
#include "visual/TFxSprite.h"

class GBaseInterpolator;
class GZInterpolator;
class TXmlNode;

class OParticleItem : public OSceneOnlyItem {
 public:
  OParticleItem(const str& name, IItemsManager* owner);
  ~OParticleItem() override;

  // The particle sprites of "effects" and the "animation"s of "animations".
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OParticleItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OParticleItem; }

  // The animations, then the sprites' paths.
  void Update() override;
  // The animations' objects, then the particles over them.
  void Draw() override;

  const std::vector<TFxSpriteRef>& GetSprites() const { return mSprites; }
  const std::vector<GZInterpolator*>& GetAnimations() const { return mAnimations; }

 private:
  TSpriteRef mParent;
  std::vector<TFxSpriteRef> mSprites;
  std::vector<GBaseInterpolator*> mSplines;  // owned
  std::vector<GZInterpolator*> mAnimations;  // owned
};
