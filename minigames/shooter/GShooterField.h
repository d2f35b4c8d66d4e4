#pragma once
// The shooting range's rules: a gun whose sight follows the mouse and
// sways, bullets limited in number and by the gun's kick, targets that
// break, scenery that breaks, holes left where a shot meets the wall, and
// icons that count the bullets and mark each shot a hit or a miss.

#include <vector>

#include "sdk/TSound.h"
#include "sdk/TSprite.h"
#include "sdk/str.h"

class GShooterScene;
class GVDrawList;
class GVObject;
class TRandom;
class TXmlNode;

class GShooterGun {
 public:
  GShooterGun() = default;
  ~GShooterGun();
  GShooterGun(const GShooterGun&) = delete;
  GShooterGun& operator=(const GShooterGun&) = delete;

  // Reads the "gun" element; its sight and gun objects are made in `list`.
  void Load(TXmlNode* gun, TRandom* random, GVDrawList* list, const str& imageFolder);
  // One tick: the kick settles, the sight sways and both follow the mouse.
  void Update();
  // False while the gun still kicks; otherwise one bullet is used.
  bool Fire();
  void SetBase(float x, float y);

  // The centre of the sight, where a shot goes.
  int GetShotX() const;
  int GetShotY() const;
  float GetOffsetX() const { return mOffsetX; }
  float GetOffsetY() const { return mOffsetY; }
  float GetCurrentRecoil() const { return mCurrentRecoil; }
  int GetBulletsLeft() const { return mBulletsLeft; }
  void SetBulletsLeft(int left) { mBulletsLeft = left; }
  // The bullets the gun was given.
  int GetBullets() const { return mBullets; }
  GVObject* GetSight() const { return mSight; }
  GVObject* GetGunObject() const { return mGun; }

 private:
  int DrawDistance();
  void Wobble(float& offset, float& target);

  GVObject* mSight = nullptr;  // owned
  GVObject* mGun = nullptr;    // owned
  float mBaseX = 400, mBaseY = 300;
  float mOffsetX = 0, mOffsetY = 0;
  float mTargetX = 0, mTargetY = 0;
  float mMaxTargetDelta = 15;
  float mMinTargetDelta = 0;
  float mStep = 0.5f;  // pixels per tick
  float mCurrentRecoil = 0;
  float mGunWidth = 0, mGunHeight = 0;
  float mSightWidth = 0, mSightHeight = 0;
  TRandom* mRandom = nullptr;
  int mBulletsLeft = 0;
  int mBullets = 0;
  int mRecoil = 0;  // pixels
  str mShootState;
};

class GShooterField {
 public:
  GShooterField() = default;
  ~GShooterField();
  GShooterField(const GShooterField&) = delete;
  GShooterField& operator=(const GShooterField&) = delete;

  // Reads the "field" element; the scene may be null (the field then ends
  // without telling anyone).
  void Load(TXmlNode* field, GShooterScene* scene, TRandom* random, GVDrawList* list, const str& imageFolder);
  void Update();
  // A mouse-button press: one shot at the centre of the sight, when the gun
  // has a bullet and has settled.
  void Shoot();
  void Save(TXmlNode* node) const;
  void Restore(TXmlNode* node);

  GShooterGun& GetGun() { return mGun; }
  const std::vector<GVObject*>& GetGoals() const { return mGoals; }
  const std::vector<GVObject*>& GetEnvironments() const { return mEnvironments; }
  const std::vector<GVObject*>& GetBullets() const { return mBullets; }
  const std::vector<GVObject*>& GetIcons() const { return mIcons; }
  const std::vector<GVObject*>& GetHoles() const { return mHoles; }
  const std::vector<GVObject*>& GetMasks() const { return mMasks; }
  int GetGoalsHit() const { return mGoalsHit; }
  int GetShots() const { return mShots; }
  int GetHolesUsed() const { return mHolesUsed; }
  float GetScale() const { return mScale; }
  float GetOverlayAlpha() const { return mOverlayAlpha; }
  const TSpriteRef& GetOverlay() const { return mOverlay; }

 private:
  void LoadList(TXmlNode* field, const char* name, std::vector<GVObject*>& list, float depth,
                std::vector<str>* names = nullptr, const char* attribute = nullptr);
  void PlaySound(const TSoundRef& sound) const;

  GShooterGun mGun;
  GVDrawList* mList = nullptr;
  str mImageFolder;
  std::vector<GVObject*> mEnvironments, mGoals, mBullets, mIcons, mHoles, mMasks;  // owned
  std::vector<str> mHoleStates;                                                    // one per mask
  TSoundRef mShotSound, mReloadSound, mRicochetSound, mGoalSound;
  TSpriteRef mOverlay;
  float mScale = 1;
  float mMaxScale = 1.4f;
  float mScaleStep = 0.01f;  // per tick
  float mOverlayAlpha = 0.2f;
  bool mRising = false;
  int mGoalsHit = 0;
  int mShots = 0;
  int mGoalsNeeded = 3;
  int mHolesUsed = 0;
  GShooterScene* mScene = nullptr;
};
