#include "GCatapultPanel.h"

#include <cmath>

#include "sdk/TRenderer.h"
#include "sdk/TTexture.h"
#include "visual/GVDrawList.h"

namespace {
const char* const kFolder = "windows/gamescreen/panel/catapult_image/";

// A sprite of the picture placed at (x, y), turning about `origin`.
TSpriteRef MakeSprite(const char* name, float x, float y, const TVec2& origin) {
  TTextureRef texture = TTexture::Get(str(kFolder) + name);
  TSpriteRef sprite = TSprite::Create(0, texture);
  sprite->SetPosition(TVec3(x, y, 0));
  sprite->SetDrawFlags(TDrawSpec::kOriginPoint);
  sprite->SetOrigin(origin);
  return sprite;
}

TVec2 SizeOf(const char* name) {
  TTextureRef texture = TTexture::Get(str(kFolder) + name);
  return texture ? TVec2(float(texture->GetWidth()), float(texture->GetHeight())) : TVec2(0, 0);
}
}  // namespace

void SetSpriteRotation(float angle, const TSpriteRef& sprite) {
  if (!sprite) return;
  TMat3 m = sprite->GetMatrix();
  float c = std::cos(angle), s = std::sin(angle);
  m.m[0][0] = c;
  m.m[0][1] = s;
  m.m[1][0] = -s;
  m.m[1][1] = c;
  sprite->SetMatrix(m);
}

GCatapultPanel::~GCatapultPanel() {
  if (mRoot) mRoot->RemoveChildren();
}

void GCatapultPanel::Init(TWindowStyle& style) {
  TWindow::Init(style);
  mRoot = TSprite::Create(0);
  TVec2 shadow = SizeOf("l_catapult_shadow.png");
  mShadow = MakeSprite("l_catapult_shadow.png", shadow.x / 2 + 45, shadow.y / 2 + 497,
                       TVec2(shadow.x / 2, shadow.y / 2));
  TVec2 catapult = SizeOf("l_catapult.png");
  mCatapult = MakeSprite("l_catapult.png", catapult.x / 2 + 49, catapult.y / 2 + 495,
                         TVec2(catapult.x / 2, catapult.y / 2));
  TVec2 bucket = SizeOf("r_bucket.png");
  mBucket = MakeSprite("r_bucket.png", bucket.x / 2 + 745, bucket.y + 494, TVec2(3, 52));
  // The bucket is drawn last, over the catapult.
  mRoot->AddChild(mShadow);
  mRoot->AddChild(mCatapult);
  mRoot->AddChild(mBucket);
  mLuaNames.Bind("onCatapultMenuClick", this, &GCatapultPanel::OnMenuClick);
}

void GCatapultPanel::Draw() {
  if (!mRoot) return;
  T2dScope pass;
  mRoot->Draw(MakeDrawSpec(TVec2(0, 0), 1, 1), -1);
}

void GCatapultPanel::SetCatapultAngle(float angle) {
  SetSpriteRotation(angle, mCatapult);
  SetSpriteRotation(angle, mShadow);
}

void GCatapultPanel::SetBucketAngle(float angle) {
  SetSpriteRotation(angle, mBucket);
}
