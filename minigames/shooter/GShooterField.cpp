#include "GShooterField.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "minigames/shooter/GShooterScene.h"
#include "sdk/TRandom.h"
#include "sdk/TReport.h"
#include "sdk/TTexture.h"
#include "sdk/TXmlNode.h"
#include "visual/GVFactory.h"
#include "visual/GVObject.h"

namespace {

const char* const kMain = "main";
const char* const kSoundFolder = "audio/sfx/minigames/shooter/";

// Toward zero, and within int whatever the content made of a position.
int ShooterTrunc(float v) {
  if (std::isnan(v)) return 0;
  if (v >= float(INT_MAX)) return INT_MAX;
  if (v <= float(INT_MIN)) return INT_MIN;
  return int(v);
}

// The part of an object that is hit and whose state is saved: its child
// "main", or the object itself when it has none.
GVObject* MainOf(GVObject* object) {
  GVObject* main = object->GetChild(kMain);
  return main ? main : object;
}

str StateOf(GVObject* object) {
  return MainOf(object)->GetState().ToStr();
}

void SetStateNow(GVObject* object, const str& state) {
  object->SetState(TState::FromStr(state), true);
}

void MoveTo(GVObject* object, float x, float y) {
  object->deltaX = x;
  object->deltaY = y;
  object->changed = 1;
}

GVRectF MainRect(GVObject* object) {
  GVObject* main = MainOf(object);
  main->UpdateData();
  return main->GetFrameRect();
}

bool Inside(const GVRectF& r, int x, int y) {
  return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

// A saved count: none below 0.
int Count(TXmlNode* node, const char* name) {
  return node ? std::max(0, node->GetAttribute(name).to_int()) : 0;
}

void SaveStates(TXmlNode* node, const char* listName, const char* itemName,
                const std::vector<GVObject*>& list) {
  TXmlNode* section = node->CreateChild(listName);
  for (GVObject* object : list) section->CreateChild(itemName)->SetAttribute("s", StateOf(object));
}

// The i-th saved entry of that name on the i-th live object; entries past
// the list are ignored.
template <class Apply>
void RestoreEach(TXmlNode* node, const char* listName, const char* itemName,
                 const std::vector<GVObject*>& list, Apply apply) {
  TXmlNode* section = node->GetChild(listName);
  size_t index = 0;
  for (size_t i = 0; section && i < section->GetChildCount() && index < list.size(); ++i) {
    TXmlNode* entry = section->GetChildAt(i);
    if (entry->GetName() == itemName) apply(list[index++], entry);
  }
}

}  // namespace

// ---- gun ----

GShooterGun::~GShooterGun() {
  delete mSight;
  delete mGun;
}

int GShooterGun::DrawDistance() {
  return mRandom->RandRange(ShooterTrunc(mMinTargetDelta), ShooterTrunc(mMaxTargetDelta));
}

void GShooterGun::Load(TXmlNode* gun, TRandom* random, GVDrawList* list, const str& imageFolder) {
  mRandom = random;
  if (gun) {
    mShootState = gun->GetAttribute("shoot_state");
    mRecoil = gun->GetAttribute("recoil").to_int();
    mMaxTargetDelta = gun->GetAttribute("max_target_delta").to_float();
    mMinTargetDelta = gun->GetAttribute("min_target_delta").to_float();
    mStep = gun->GetAttribute("min_target_delta_step").to_float();
    mBullets = gun->GetAttribute("bullets").to_int();
  }
  mBulletsLeft = std::max(0, mBullets);
  // Only a shot ends the game, so a gun without bullets never lets it end.
  if (mBullets < 1)
    Report("shooter: the gun has %d bullets; the range can only be left through the menu", mBullets);
  int coin = mRandom->RandRange(0, 1);
  int distance = DrawDistance();
  mTargetX = coin ? float(distance) : -float(distance);
  coin = mRandom->RandRange(0, 1);
  distance = DrawDistance();
  mTargetY = coin ? float(distance) : -float(distance);

  GVFactory* factory = GVFactory::GetInstance();
  mSight = gun ? factory->CreateInList(list, imageFolder, gun->GetAttribute("target")) : nullptr;
  mGun = gun ? factory->CreateInList(list, imageFolder, gun->GetAttribute("gun")) : nullptr;
  for (GVObject* object : {mSight, mGun}) {
    if (!object) continue;
    object->visible = 1;
    object->deltaZ = 3;
    object->changed = 1;
  }
  if (mGun) {
    GVRectF r = MainRect(mGun);
    mGunWidth = r.right - r.left;
    mGunHeight = r.bottom - r.top;
    MoveTo(mGun, mBaseX - mGunWidth / 2, mBaseY);
  }
  if (mSight) {
    GVRectF r = MainRect(mSight);
    mSightWidth = r.right - r.left;
    mSightHeight = r.bottom - r.top;
    MoveTo(mSight, mBaseX - mSightWidth / 2, mBaseY - mSightHeight / 2);
  }
}

void GShooterGun::Wobble(float& offset, float& target) {
  if (target < 0) {
    float candidate = offset - mStep;
    if (candidate > target) {
      offset = candidate;
    } else {
      offset = target;
      target = float(DrawDistance());
    }
  } else {
    float candidate = offset + mStep;
    if (candidate < target) {
      offset = candidate;
    } else {
      offset = target;
      target = -float(DrawDistance());
    }
  }
}

void GShooterGun::Update() {
  // It may end one tick below 0, which already lets the next shot go.
  if (mCurrentRecoil > 0)
    mCurrentRecoil -= 2;
  else
    mCurrentRecoil = 0;
  Wobble(mOffsetX, mTargetX);
  Wobble(mOffsetY, mTargetY);
  if (mSight) MoveTo(mSight, mBaseX - mSightWidth / 2 + mOffsetX, mBaseY - mSightHeight / 2 + mOffsetY);
  // The gun follows the mouse but never rises above where its bottom edge
  // lies `recoil` pixels below the screen; each shot kicks it up from there.
  if (mGun)
    MoveTo(mGun, mBaseX - mGunWidth / 2, std::max(mBaseY, 600.0f + mRecoil - mGunHeight) - mCurrentRecoil);
}

bool GShooterGun::Fire() {
  if (mCurrentRecoil > 0) return false;
  --mBulletsLeft;
  mCurrentRecoil = float(mRecoil);
  if (mGun) SetStateNow(mGun, mShootState);
  return true;
}

void GShooterGun::SetBase(float x, float y) {
  mBaseX = x;
  mBaseY = y;
}

int GShooterGun::GetShotX() const {
  return ShooterTrunc(mBaseX + mOffsetX);
}

int GShooterGun::GetShotY() const {
  return ShooterTrunc(mBaseY + mOffsetY);
}

// ---- field ----

GShooterField::~GShooterField() {
  for (auto* list : {&mEnvironments, &mGoals, &mBullets, &mIcons, &mHoles, &mMasks})
    for (GVObject* object : *list) delete object;
}

void GShooterField::LoadList(TXmlNode* field, const char* name, std::vector<GVObject*>& list, float depth,
                             std::vector<str>* names, const char* attribute) {
  TXmlNode* section = field ? field->GetChild(name) : nullptr;
  for (size_t i = 0; section && i < section->GetChildCount(); ++i) {
    TXmlNode* e = section->GetChildAt(i);
    GVObject* object = GVFactory::GetInstance()->CreateInList(mList, mImageFolder, e->GetAttribute("visual"));
    if (!object) break;
    object->deltaZ = depth;
    str state = e->GetAttribute("state");
    SetStateNow(object, state.empty() ? str("normal") : state);
    object->visible = 1;
    MoveTo(object, e->GetAttribute("x").to_float(), e->GetAttribute("y").to_float());
    list.push_back(object);
    if (names && attribute) names->push_back(e->GetAttribute(attribute));
  }
}

void GShooterField::Load(TXmlNode* field, GShooterScene* scene, TRandom* random, GVDrawList* list,
                         const str& imageFolder) {
  mScene = scene;
  mList = list;
  mImageFolder = imageFolder;
  const str folder = kSoundFolder;
  mShotSound = TSound::Get(folder + "shot.ogg", false, 1000);
  mReloadSound = TSound::Get(folder + "reload.ogg", false, 1000);
  mRicochetSound = TSound::Get(folder + "ricoshet.ogg", false, 1000);
  mGoalSound = TSound::Get(folder + "ricoshet_con.ogg", false, 1000);
  mGoalsNeeded = field ? field->GetAttribute("goals").to_int() : 0;
  LoadList(field, "masks", mMasks, 0, &mHoleStates, "hole");
  LoadList(field, "holes", mHoles, 1);
  LoadList(field, "environments", mEnvironments, 2);
  LoadList(field, "goals", mGoals, 3);
  // The masks only take holes; they are not meant to be seen.
  for (GVObject* mask : mMasks) {
    mask->alpha = 0.01f;
    mask->changed = 1;
  }
  mGun.Load(field ? field->GetChild("gun") : nullptr, random, list, imageFolder);
  LoadList(field, "bullets", mBullets, 4);
  LoadList(field, "icons", mIcons, 4);
  if (TXmlNode* alcohol = field ? field->GetChild("alcohol") : nullptr) {
    mOverlay = TSprite::Create(0, TTexture::Get(alcohol->GetAttribute("background"), 0));
    mMaxScale = alcohol->GetAttribute("max_scale").to_float();
    mScaleStep = alcohol->GetAttribute("step").to_float();
    mOverlayAlpha = alcohol->GetAttribute("alpha").to_float();
  }
}

void GShooterField::Update() {
  mGun.Update();
  if (mRising) {
    float candidate = mScale + mScaleStep;
    if (candidate < mMaxScale) {
      mScale = candidate;
    } else {
      mScale = mMaxScale;
      mRising = false;
    }
  } else {
    float candidate = mScale - mScaleStep;
    if (candidate > 1) {
      mScale = candidate;
    } else {
      mScale = 1;
      mRising = true;
    }
  }
}

void GShooterField::PlaySound(const TSoundRef& sound) const {
  if (sound) sound->Play();
}

void GShooterField::Shoot() {
  if (mGun.GetBulletsLeft() <= 0 || !mGun.Fire()) return;
  // With fewer icons than bullets (a content error) the index may lie past
  // the list: no icon is marked then.
  size_t left = size_t(mGun.GetBulletsLeft());
  if (left < mBullets.size()) SetStateNow(mBullets[left], "used");
  PlaySound(mShotSound);
  const int x = mGun.GetShotX(), y = mGun.GetShotY();

  bool hit = false;
  for (GVObject* goal : mGoals) {
    if (!Inside(MainRect(goal), x, y)) continue;
    // A broken goal takes the shot no more; it goes on to the scenery.
    if (StateOf(goal) != "normal") break;
    SetStateNow(goal, "break");
    PlaySound(mGoalSound);
    if (mGoalsHit < INT_MAX) ++mGoalsHit;
    hit = true;
    break;
  }
  if (!hit) {
    for (GVObject* environment : mEnvironments) {
      if (!Inside(MainRect(environment), x, y)) continue;
      str state = StateOf(environment);
      if (state != "break" && state != "invisible") SetStateNow(environment, "break");
      break;
    }
    const TPoint point{float(x), float(y)};
    for (size_t i = 0; i < mMasks.size(); ++i) {
      if (mHolesUsed >= int(mHoles.size())) break;
      mMasks[i]->UpdateData();
      if (!mMasks[i]->FindObjectAt(-1, point)) continue;
      GVObject* hole = mHoles[mHolesUsed++];
      hole->deltaZ = 0;
      MoveTo(hole, float(x), float(y));
      hole->SetState(TState::FromStr(mHoleStates[i]), true);
      PlaySound(mRicochetSound);
    }
  }
  if (mShots < int(mIcons.size())) SetStateNow(mIcons[mShots], hit ? "good" : "bad");
  // A damaged save may start the counts anywhere; they stop at the top.
  if (mShots < INT_MAX) ++mShots;
  if (mGun.GetBulletsLeft() == 0 || mGoalsHit >= mGoalsNeeded) {
    if (mScene) mScene->Finish(mGoalsHit >= mGoalsNeeded);
  }
}

void GShooterField::Save(TXmlNode* node) const {
  node->CreateChild("gun")->SetAttribute("b", str::format("%d", mGun.GetBulletsLeft()));
  node->SetAttribute("fs", str::format("%f", mScale));
  node->SetAttribute("gm", str::format("%d", mGoalsHit));
  node->SetAttribute("s", str::format("%d", mShots));
  node->SetAttribute("hc", str::format("%d", mHolesUsed));
  SaveStates(node, "goals", "goal", mGoals);
  SaveStates(node, "envs", "env", mEnvironments);
  TXmlNode* holes = node->CreateChild("holes");
  for (GVObject* object : mHoles) {
    TXmlNode* hole = holes->CreateChild("hole");
    hole->SetAttribute("z", str::format("%f", object->deltaZ));
    hole->SetAttribute("x", str::format("%f", object->deltaX));
    hole->SetAttribute("y", str::format("%f", object->deltaY));
    hole->SetAttribute("s", StateOf(object));
  }
  SaveStates(node, "icons", "icon", mIcons);
}

void GShooterField::Restore(TXmlNode* node) {
  // Counts from a save are never below 0, so none of them indexes before a list.
  int left = Count(node->GetChild("gun"), "b");
  // A game goes on only with a bullet left (the shot that fires the last one
  // ends it), and never has more than the gun was given.
  const int bullets = mGun.GetBullets();
  if (bullets >= 1 && (left < 1 || left > bullets)) {
    const int held = std::min(std::max(left, 1), bullets);
    Report("minigame_registry: the range's %d bullets left are outside 1..%d; %d are taken", left, bullets,
           held);
    left = held;
  }
  mGun.SetBulletsLeft(left);
  mScale = node->GetAttribute("fs").to_float();
  mGoalsHit = Count(node, "gm");
  mShots = Count(node, "s");
  mHolesUsed = Count(node, "hc");
  // One bullet icon used per shot, from the end of the list; shots past its
  // start mark nothing.
  for (int i = 0; i < mShots && i < int(mBullets.size()); ++i)
    SetStateNow(mBullets[mBullets.size() - 1 - size_t(i)], "used");
  auto applyState = [](GVObject* object, TXmlNode* entry) { SetStateNow(object, entry->GetAttribute("s")); };
  RestoreEach(node, "goals", "goal", mGoals, applyState);
  RestoreEach(node, "envs", "env", mEnvironments, applyState);
  RestoreEach(node, "holes", "hole", mHoles, [](GVObject* object, TXmlNode* entry) {
    SetStateNow(object, entry->GetAttribute("s"));
    object->deltaZ = entry->GetAttribute("z").to_float();
    MoveTo(object, entry->GetAttribute("x").to_float(), entry->GetAttribute("y").to_float());
  });
  RestoreEach(node, "icons", "icon", mIcons, applyState);
}
