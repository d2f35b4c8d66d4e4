#include "OParticleItem.h"

#include "game/OGameConfig.h"
#include "sdk/TRenderer.h"
#include "sdk/TXmlNode.h"
#include "visual/GBaseInterpolator.h"
#include "visual/GVXmlLoaders.h"
#include "visual/GZInterpolator.h"

OParticleItem::OParticleItem(const str& name, IItemsManager* owner)
    : OSceneOnlyItem(name, owner, "", ""), mParent(TSprite::Create(0)) {}

OParticleItem::~OParticleItem() {
  for (GBaseInterpolator* spline : mSplines) delete spline;
  for (GZInterpolator* animation : mAnimations) delete animation;
  mParent->RemoveChildren();
}

IItem* OParticleItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  OParticleItem* item = new OParticleItem(name, owner);
  if (!OGameConfig::GetInstance()->AreParticlesEnabled()) return item;
  LoadParticlesFromXml(node->GetChild("effects"), item->mSprites, item->mSplines, item->mParent);
  item->mAnimations = LoadAnimationsFromXml(node->GetChild("animations"), &item->mDrawList);
  return item;
}

bool OParticleItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OParticleItem || OItem::IsKindOf(typeId);
}

void OParticleItem::Update() {
  for (GZInterpolator* animation : mAnimations) animation->Update();
  for (GBaseInterpolator* spline : mSplines) spline->Update();
}

void OParticleItem::Draw() {
  mDrawList.Draw();
  T2dScope pass;
  mParent->Draw(TDrawSpec());
}
