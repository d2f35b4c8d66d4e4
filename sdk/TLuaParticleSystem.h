#pragma once
// Lua-scripted particles. A particle script declares emitters with Emitter{...}
// (docs/particles.md lists the fields); the system simulates them in C++ and
// draws them with the renderer. Each system has its own Lua state, so the
// globals one effect sets (gActive, hooks, bound functions) never leak into
// another. Named numeric inputs, the data sources, are evaluated once per
// update and given to the script as global tables.
//
// A script is content: whatever it does costs at most its own effect. Every
// call into its state is protected and bounded by an instruction budget, the
// runtime's own globals and tables are written raw, and counts and numbers
// are held inside limits (docs/particles.md lists them).

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "TMath.h"
#include "TTexture.h"
#include "str.h"

struct lua_State;
class TLuaRef;
class TRenderer;
class TScript;

// The values of every data source for one update: each source appends one
// entry of its floats.
class TParticleArgs {
 public:
  void Clear() { mValues.clear(); }
  void Append(const float* values, int count) { mValues.insert(mValues.end(), values, values + count); }
  size_t Size() const { return mValues.size(); }
  const float* At(size_t offset) const { return mValues.data() + offset; }

 private:
  std::vector<float> mValues;
};

// A named numeric input of a particle system. The system does not own it:
// whoever registers one keeps it alive as long as the system may update.
class TParticleFunction {
 public:
  virtual ~TParticleFunction() = default;
  static uintptr_t ClassId();
  virtual const char* GetTypeName() const { return "TParticleFunction"; }
  virtual bool IsKindOf(uintptr_t id) const { return id == ClassId(); }
  // Called once per update before any source is evaluated.
  virtual void InitFrame() {}
  // How many floats the value has.
  virtual int GetFloatCount() const = 0;
  // Appends the value as one entry; false when it has none to give.
  virtual bool Evaluate(TParticleArgs& args) = 0;
};

// One particle as it is drawn: where, how large and in what colour.
struct TParticleQuad {
  TTexture* texture;  // null: a solid square
  int blend;
  float x, y, size;
  TColor color;
  float alpha;
};

class TLuaParticleSystem {
 public:
  // Particles alive at once in one system, all its emitters together: the
  // most "max" and "burst" may ask for.
  static const int kMaxParticles = 5000;
  // Emitters one script may declare.
  static const int kMaxEmitters = 64;
  // Lua instructions one call into a script may run (its top when it loads,
  // a hook, a string the game runs in it) before it is stopped.
  static const long kInstructionBudget = 100000;
  // Bytes a script's Lua state may hold: an allocation past it fails the
  // call that asked for it, and the effect stops.
  static const size_t kMemoryLimit = size_t(64) << 20;
  // Largest particle (pixels): two screen widths, enough to cover the screen
  // from anywhere on it.
  static constexpr double kMaxSize = 1600;
  // Area (square pixels) one system may draw in one frame: 16 screens'
  // worth. The particles past it are not drawn in that frame.
  static constexpr double kDrawnAreaBudget = 16.0 * 800 * 600;

  // A null renderer draws with the shared one.
  explicit TLuaParticleSystem(TRenderer* renderer = nullptr);
  virtual ~TLuaParticleSystem();
  TLuaParticleSystem(const TLuaParticleSystem&) = delete;
  TLuaParticleSystem& operator=(const TLuaParticleSystem&) = delete;

  // Drops the emitters and particles of the current script and clears the done
  // flag. The Lua state, its bound functions and the data sources stay.
  virtual void NewScript();
  // Replaces the emitters with those of the script (a content-relative path)
  // run in this system's Lua state. False, with one message, when the file is
  // missing or the script fails.
  virtual bool LoadScript(const str& path);
  // Runs the loaded script's top again on a fresh set of emitters, with
  // gActive unset, as its load did: a system used again plays as it did the
  // first time. Without a script, or after its script was stopped, it only
  // drops the emitters' particles.
  void RestartScript();
  // Calls the script's global function `name`, with one number when
  // `hasArg`, within the budget; a missing hook is not an error. False when
  // the hook failed (reported).
  bool CallHook(const char* name, bool hasArg = false, double arg = 0);
  // Advances by `ms` milliseconds: evaluates the data sources, calls the
  // script's OnUpdate, emits while gActive is true, moves and ages particles.
  virtual void Update(uint32_t ms);
  // Draws the particles displaced by `offset`, in the renderer's current
  // origin; opens a 2D pass only when none is open. A particle wholly
  // outside the clip is not drawn; past the area budget the rest of the
  // frame's particles are skipped (said once per script).
  virtual void Draw(const TVec3& offset);

  // Done: by SetDone, when its script was stopped for running too long, or
  // when every emitter was finite and is spent and the last particle has
  // died. A done system neither updates nor draws.
  bool IsDone() const;
  // Ends the effect at once: its particles vanish.
  void SetDone();
  // Clears SetDone and re-arms the emitters, as if the script had just loaded.
  // A script stopped for running too long stays stopped until a new one loads.
  void ResetDone();

  // Registers (or replaces) a data source under a name. Its value appears in
  // Lua as the global table `name` = {x, y} ({[1], [2], ...} for other sizes)
  // and emitters may name it as their position ("at") or offset ("offset").
  void RegisterDataSource(const str& name, TParticleFunction* source);
  void UnregisterDataSource(TParticleFunction* source);
  // The value last read from a source this update; false when it has none.
  bool GetDataValue(const str& name, TVec2& value) const;

  TScript* GetScript() const { return mScript.get(); }
  lua_State* GetLuaState() const;
  // Binds a global function in this system's own state. The function lives
  // as long as the state.
  typedef std::function<int(lua_State*)> TLuaFunction;
  void BindFunction(const str& name, TLuaFunction fn);
  void SetGlobalPointer(const str& name, void* pointer);
  void* GetGlobalPointer(const str& name);
  // The strings of the global table `name` ({"a", "b"}), in order; read raw,
  // so that a script's guard on its globals does not turn a missing table
  // into an error.
  std::vector<str> GetGlobalStrings(const str& name);

  // The particles as Draw would draw them now, in drawing order, before the
  // screen and the area budget are looked at.
  void GetQuads(const TVec3& offset, std::vector<TParticleQuad>& out);

  const str& GetScriptPath() const { return mPath; }
  bool IsActive() const { return mActive; }
  // The script ran past its instruction budget or its memory limit: the
  // effect is stopped.
  bool IsStopped() const { return mStopped; }
  size_t GetParticleCount() const;
  size_t GetEmitterCount() const { return mEmitters.size(); }

  struct Emitter;
  struct Particle;

 private:
  TRenderer* mRenderer;
  std::unique_ptr<TScript> mScript;
  str mPath;
  std::vector<std::unique_ptr<Emitter>> mEmitters;
  struct Source {
    TParticleFunction* fn = nullptr;
    size_t offset = 0;
    int count = 0;
    bool valid = false;
    int tableRef = -1;  // registry reference of its Lua table
  };
  std::map<str, Source> mSources;
  TParticleArgs mArgs;
  bool mDone = false;
  bool mStopped = false;  // ran past its budget: nothing more is asked of the script
  bool mActive = false;   // gActive as a truth value
  int mActiveValue = 0;   // gActive as Lua holds it: 0 nil, 1 true, 2 false, 3 other truthy
  bool mUpdateFailed = false;
  bool mLimitReported = false;        // one message per script for every limit
  bool mAreaReported = false;         // one message per script for the area budget
  std::vector<str> mMissingReported;  // data sources named but never registered
  std::unique_ptr<TLuaRef> mChunk;    // the loaded script, for RestartScript
  uint32_t mRand;
  std::vector<TLuaFunction*> mBound;

  void InstallRuntime();
  void ClearScriptGlobals();
  bool RunChunk();
  bool EvaluateSources();
  void Rearm();
  void SetActive(int value);
  // Runs `body` (a function of the state, returning 0) in a protected call
  // within the budget; the status, with the error left on the stack.
  template <class F>
  int Call(F&& body);
  // The same for the runtime's own accesses: a failure is reported and the
  // effect stops.
  template <class F>
  bool Protected(F&& body);
  bool RunHook(const char* name, bool hasArg, double arg, const char* onFailure);
  void ReportFailure(const char* note);
  // After any call into the script: a call the budget or the memory limit
  // stopped stops the effect; whether one did. A refused allocation is
  // reported here when the call did not fail of it (the script caught it).
  bool CheckBudget(bool reportMemory);
  void Stop();
  const char* Where() const;
  void ReportLimit(const char* field, double asked, double taken);
  void NoteMissingSource(const str& name);
  template <class F>
  void VisitQuads(const TVec3& offset, F&& visit);
  float Random01();
  float RandomRange(float lo, float hi) { return lo + (hi - lo) * Random01(); }
  bool SourceValue(const str& name, TVec2& out) const;
  // The position an emitter emits at this step.
  TVec2 EmitterPosition(const Emitter& e);

  friend struct TLuaParticleRuntime;
};
