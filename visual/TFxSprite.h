#pragma once
// A particle script placed in the sprite tree: the sprite feeds the script its
// screen position ("dLocus") and up direction ("dUp"), draws the particles
// between its own picture and its children, and leaves its parent once the
// script is done. One shared task advances every sprite effect.

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <memory>
#include <vector>

#include "TEmitterLocus.h"
#include "sdk/TLuaParticleSystem.h"
#include "sdk/TSprite.h"
#include "sdk/TTask.h"

class TFxSprite;
class TScript;
typedef boost::shared_ptr<TFxSprite> TFxSpriteRef;

// Advances the sprite effects it holds in 12 ms steps, at most four a call;
// it holds them weakly, so it never keeps one alive.
class TFxSpriteAnimTask : public TAnimTask {
 public:
  enum { kStepMs = 12, kMaxSteps = 4, kPeriodMs = 15 };
  TFxSpriteAnimTask();
  // The one task of the process, adopted by the platform on first use.
  static TFxSpriteAnimTask* GetShared();

  bool DoTask() override;
  // The step at time `now` (milliseconds of the task's clock).
  void Step(uint32_t now);
  void Add(const TFxSpriteRef& sprite);
  size_t GetSize() const { return mSprites.size(); }

 private:
  std::vector<boost::weak_ptr<TFxSprite>> mSprites;
  uint32_t mLastTime;
};

class TFxSprite : public TSprite {
 public:
  // A script's "CreateFx" makes effects under its own; the effects made so,
  // under one effect the game made, are its tree. Bounds a real effect never
  // reaches, so that a script that makes itself again ends:
  enum {
    kMaxNesting = 8,      // effects made under one another, below the game's
    kMaxTreeEffects = 32  // live effects in one tree, the game's included
  };

  // An empty script leaves the sprite without one; a null task is the shared.
  static TFxSpriteRef Create(int layer, const str& script, TFxSpriteAnimTask* task = nullptr);
  ~TFxSprite() override;
  static uintptr_t ClassId();
  const char* GetTypeName() const override { return "TFxSprite"; }
  bool IsKindOf(uintptr_t id) const override { return id == ClassId() || TSprite::IsKindOf(id); }

  // False when the particle system refuses the script.
  bool Load(TFxSpriteAnimTask* task, const str& script, bool fresh);
  void Draw(const TDrawSpec& parent, int depth = -1) override;

  TLuaParticleSystem* GetParticleSystem() { return &mSystem; }
  TScript* GetScript() const { return mSystem.GetScript(); }
  const str& GetScriptPath() const { return mScript; }
  const TEmitterLocus& GetLocus() const { return mLocus; }
  // An effect learns where it stands at its first draw; until then it is not
  // stepped, so nothing is emitted at a place it never stood.
  bool IsPlaced() const { return mPlaced; }
  const TEmitterUp& GetUp() const { return mUp; }
  // Live effects in this one's tree.
  int GetTreeSize() const { return mTree->live; }

 protected:
  explicit TFxSprite(int layer);

 private:
  struct Tree {
    int live = 0;
    bool reported = false;  // one message for every bound the tree hits
  };
  static TFxSpriteRef Make(int layer, const std::shared_ptr<Tree>& tree, int nesting);
  // "CreateFx{x=, y=, layer=, spec=}" of this effect's script.
  int CreateFx(lua_State* L);
  void ReportOnce(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

  std::shared_ptr<Tree> mTree;
  int mNesting = 0;
  TVec3 mDrawOffset;
  bool mPlaced = false;
  TEmitterLocus mLocus;
  TEmitterUp mUp;
  TLuaParticleSystem mSystem;
  str mScript;
};
