#include "TLuaParticleSystem.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <lua.hpp>

#include "TRenderer.h"
#include "TReport.h"
#include "TScript.h"

namespace {

const char* const kHandleMeta = "tolvane.particle_emitter";
const char* const kActiveName = "gActive";
// Globals a script defines for the game to call; a new script must not
// inherit the previous one's.
const char* const kScriptGlobals[] = {"OnStart", "OnStop", "OnUpdate", "AdditionalVars"};
// Longest step the particles are moved in at once (milliseconds), so that a
// large update keeps curved paths curved.
const uint32_t kMaxStepMs = 33;
const int kDefaultMaxParticles = 5000;
// Most particles a script can ask for at once. Counts come from scripts as
// Lua numbers, which can be far beyond an int, infinite or not numbers at all.
const int kCountLimit = 1 << 24;

int ClampCount(double n) {
  if (!(n > 0)) return 0;  // NaN as well
  return n >= kCountLimit ? kCountLimit : int(n);
}

uint32_t gSeedCounter = 0;

float Lerp(float a, float b, float t) {
  return a + (b - a) * t;
}

}  // namespace

uintptr_t TParticleFunction::ClassId() {
  static const char id = 0;
  return reinterpret_cast<uintptr_t>(&id);
}

struct TLuaParticleSystem::Particle {
  float x, y, vx, vy;
  float age, life;  // seconds
};

struct TLuaParticleSystem::Emitter {
  uint32_t id = 0;
  // What the script set.
  str texturePath;
  int blend = TDrawSpec::kBlendNormal;
  float rate = 0;        // particles per second
  int burst = 0;         // particles at once when emission starts
  float duration = -1;   // seconds of emission; negative: endless
  bool persist = false;  // never counts as finished
  float lifeMin = 1, lifeMax = 1;
  str at;              // data source of the position; empty: dLocus, else dPos
  str offsetSource;    // data source added to the position
  float x = 0, y = 0;  // added to the position
  float spreadX = 0, spreadY = 0;
  float radius = 0;
  float speedMin = 0, speedMax = 0;
  float angleMin = 0, angleMax = 360;  // degrees clockwise from up
  float vx = 0, vy = 0;
  float gx = 0, gy = 0;  // pixels per second squared
  float drag = 0;        // share of the speed lost per second
  float sizeStart = 4, sizeEnd = 4;
  std::vector<TColor> colors{TColor()};
  std::vector<float> alphas{1.f};
  int maxParticles = kDefaultMaxParticles;

  // Running state.
  bool started = false;
  bool spent = false;
  int burstPending = 0;
  float elapsed = 0;
  float carry = 0;  // fraction of a particle owed by the rate
  bool hasLastPos = false;
  TVec2 lastPos;
  TTextureRef texture;
  bool textureTried = false;
  std::vector<Particle> particles;

  bool IsFinite() const { return !persist && (duration >= 0 || rate <= 0); }
  void Arm() {
    started = false;
    spent = false;
    burstPending = 0;
    elapsed = 0;
    carry = 0;
    hasLastPos = false;
  }
};

// The Lua side of the runtime: the functions every particle state gets.
struct TLuaParticleRuntime {
  static TLuaParticleSystem* Self(lua_State* L) {
    return static_cast<TLuaParticleSystem*>(lua_touserdata(L, lua_upvalueindex(1)));
  }

  static TLuaParticleSystem::Emitter* FindEmitter(TLuaParticleSystem* sys, uint32_t id) {
    for (auto& e : sys->mEmitters)
      if (e->id == id) return e.get();
    return nullptr;  // a handle kept from a script that has been replaced
  }

  static TLuaParticleSystem::Emitter* CheckHandle(lua_State* L, TLuaParticleSystem* sys, int index) {
    auto* id = static_cast<uint32_t*>(luaL_checkudata(L, index, kHandleMeta));
    return FindEmitter(sys, *id);
  }

  // Reads a number or a {lo, hi} pair at `index`.
  static bool ReadRange(lua_State* L, int index, float& lo, float& hi) {
    if (lua_type(L, index) == LUA_TNUMBER) {
      lo = hi = float(lua_tonumber(L, index));
      return true;
    }
    if (!lua_istable(L, index)) return false;
    lua_rawgeti(L, index, 1);
    lua_rawgeti(L, index, 2);
    bool ok = lua_type(L, -2) == LUA_TNUMBER;
    if (ok) {
      lo = float(lua_tonumber(L, -2));
      hi = lua_type(L, -1) == LUA_TNUMBER ? float(lua_tonumber(L, -1)) : lo;
    }
    lua_pop(L, 2);
    return ok;
  }

  static bool ReadColor(lua_State* L, int index, TColor& c) {
    if (!lua_istable(L, index)) return false;
    float v[3] = {1, 1, 1};
    for (int i = 0; i < 3; ++i) {
      lua_rawgeti(L, index, i + 1);
      if (lua_type(L, -1) != LUA_TNUMBER) {
        lua_pop(L, 1);
        return false;
      }
      v[i] = float(lua_tonumber(L, -1));
      lua_pop(L, 1);
    }
    c = TColor(v[0], v[1], v[2], 1);
    return true;
  }

  // One colour {r, g, b} or a list of them spread evenly over the life.
  static bool ReadColors(lua_State* L, int index, std::vector<TColor>& out) {
    if (!lua_istable(L, index)) return false;
    lua_rawgeti(L, index, 1);
    bool nested = lua_istable(L, -1);
    lua_pop(L, 1);
    std::vector<TColor> colors;
    if (!nested) {
      TColor c;
      if (!ReadColor(L, index, c)) return false;
      colors.push_back(c);
    } else {
      int n = int(lua_objlen(L, index));
      for (int i = 1; i <= n; ++i) {
        lua_rawgeti(L, index, i);
        TColor c;
        bool ok = ReadColor(L, lua_gettop(L), c);
        lua_pop(L, 1);
        if (!ok) return false;
        colors.push_back(c);
      }
    }
    if (colors.empty()) return false;
    out = colors;
    return true;
  }

  static bool ReadNumbers(lua_State* L, int index, std::vector<float>& out) {
    std::vector<float> values;
    if (lua_type(L, index) == LUA_TNUMBER) {
      values.push_back(float(lua_tonumber(L, index)));
    } else if (lua_istable(L, index)) {
      int n = int(lua_objlen(L, index));
      for (int i = 1; i <= n; ++i) {
        lua_rawgeti(L, index, i);
        bool ok = lua_type(L, -1) == LUA_TNUMBER;
        if (ok) values.push_back(float(lua_tonumber(L, -1)));
        lua_pop(L, 1);
        if (!ok) return false;
      }
    }
    if (values.empty()) return false;
    out = values;
    return true;
  }

  static int BlendByName(const str& name) {
    if (name == "normal") return TDrawSpec::kBlendNormal;
    if (name == "add") return TDrawSpec::kBlendAdd;
    if (name == "subtract") return TDrawSpec::kBlendSubtract;
    if (name == "multiply") return TDrawSpec::kBlendMultiply;
    return TDrawSpec::kBlendUnset;
  }

  // Sets one field of an emitter from the value at `v`; false when the key is
  // unknown or the value cannot be read.
  static bool ApplyField(lua_State* L, TLuaParticleSystem::Emitter& e, const str& key, int v) {
    int type = lua_type(L, v);
    auto number = [&](float& out) {
      if (type != LUA_TNUMBER) return false;
      out = float(lua_tonumber(L, v));
      return true;
    };
    auto string = [&](str& out) {
      if (type != LUA_TSTRING) return false;
      out = lua_tostring(L, v);
      return true;
    };
    if (key == "texture") {
      e.textureTried = false;
      e.texture.reset();
      return string(e.texturePath);
    }
    if (key == "blend") {
      str name;
      if (!string(name)) return false;
      int blend = BlendByName(name);
      if (blend == TDrawSpec::kBlendUnset) return false;
      e.blend = blend;
      return true;
    }
    if (key == "rate") return number(e.rate);
    if (key == "burst") {
      float n;
      if (!number(n)) return false;
      e.burst = ClampCount(n);
      return true;
    }
    if (key == "duration") return number(e.duration);
    if (key == "persist") {
      e.persist = lua_toboolean(L, v) != 0;
      return true;
    }
    if (key == "life") return ReadRange(L, v, e.lifeMin, e.lifeMax);
    if (key == "at") return string(e.at);
    if (key == "offset") return string(e.offsetSource);
    if (key == "x") return number(e.x);
    if (key == "y") return number(e.y);
    if (key == "spread") return ReadRange(L, v, e.spreadX, e.spreadY);
    if (key == "radius") return number(e.radius);
    if (key == "speed") return ReadRange(L, v, e.speedMin, e.speedMax);
    if (key == "angle") return ReadRange(L, v, e.angleMin, e.angleMax);
    if (key == "velocity") return ReadRange(L, v, e.vx, e.vy) && type == LUA_TTABLE;
    if (key == "gravity") return ReadRange(L, v, e.gx, e.gy) && type == LUA_TTABLE;
    if (key == "drag") return number(e.drag);
    if (key == "size") return ReadRange(L, v, e.sizeStart, e.sizeEnd);
    if (key == "color") return ReadColors(L, v, e.colors);
    if (key == "alpha") return ReadNumbers(L, v, e.alphas);
    if (key == "max") {
      float n;
      if (!number(n)) return false;
      e.maxParticles = ClampCount(n);
      return true;
    }
    return false;
  }

  static void ReportField(TLuaParticleSystem* sys, const str& key) {
    Report("%s: emitter field \"%s\" is unknown or has a bad value; ignored",
           sys->mPath.empty() ? "particle script" : sys->mPath.c_str(), key.c_str());
  }

  // Emitter{...}: declares an emitter and returns its handle.
  static int NewEmitter(lua_State* L) {
    TLuaParticleSystem* sys = Self(L);
    luaL_checktype(L, 1, LUA_TTABLE);
    static uint32_t nextId = 0;
    std::unique_ptr<TLuaParticleSystem::Emitter> e(new TLuaParticleSystem::Emitter);
    e->id = ++nextId;
    lua_pushnil(L);
    while (lua_next(L, 1) != 0) {
      if (lua_type(L, -2) == LUA_TSTRING) {
        str key = lua_tostring(L, -2);
        if (!ApplyField(L, *e, key, lua_gettop(L))) ReportField(sys, key);
      }
      lua_pop(L, 1);
    }
    auto* id = static_cast<uint32_t*>(lua_newuserdata(L, sizeof(uint32_t)));
    *id = e->id;
    luaL_getmetatable(L, kHandleMeta);
    lua_setmetatable(L, -2);
    sys->mEmitters.push_back(std::move(e));
    return 1;
  }

  static int HandleIndex(lua_State* L) {
    TLuaParticleSystem* sys = Self(L);
    TLuaParticleSystem::Emitter* e = CheckHandle(L, sys, 1);
    str key = luaL_checkstring(L, 2);
    if (key == "Burst") {
      lua_pushvalue(L, lua_upvalueindex(1));
      lua_pushcclosure(L, &HandleBurst, 1);
      return 1;
    }
    if (!e) return 0;
    if (key == "count") {
      lua_pushnumber(L, lua_Number(e->particles.size()));
      return 1;
    }
    if (key == "spent") {
      lua_pushboolean(L, e->spent);
      return 1;
    }
    if (key == "rate") {
      lua_pushnumber(L, e->rate);
      return 1;
    }
    return 0;
  }

  static int HandleNewIndex(lua_State* L) {
    TLuaParticleSystem* sys = Self(L);
    TLuaParticleSystem::Emitter* e = CheckHandle(L, sys, 1);
    str key = luaL_checkstring(L, 2);
    if (e && !ApplyField(L, *e, key, 3)) ReportField(sys, key);
    return 0;
  }

  // handle:Burst(n): n particles at the next update, whatever gActive says.
  static int HandleBurst(lua_State* L) {
    TLuaParticleSystem* sys = Self(L);
    TLuaParticleSystem::Emitter* e = CheckHandle(L, sys, 1);
    int n = ClampCount(luaL_optnumber(L, 2, 1));
    if (e) e->burstPending = std::min(kCountLimit, e->burstPending + n);
    return 0;
  }

  static int ParticleCount(lua_State* L) {
    lua_pushnumber(L, lua_Number(Self(L)->GetParticleCount()));
    return 1;
  }

  // math.random on the system's own generator, so that headless runs repeat.
  static int Random(lua_State* L) {
    TLuaParticleSystem* sys = Self(L);
    float r = sys->Random01();
    switch (lua_gettop(L)) {
      case 0:
        lua_pushnumber(L, r);
        return 1;
      case 1: {
        int hi = luaL_checkint(L, 1);
        luaL_argcheck(L, hi >= 1, 1, "interval is empty");
        lua_pushnumber(L, std::min(hi, 1 + int(r * hi)));
        return 1;
      }
      default: {
        int lo = luaL_checkint(L, 1), hi = luaL_checkint(L, 2);
        luaL_argcheck(L, lo <= hi, 2, "interval is empty");
        // In doubles: the span of the widest interval does not fit an int.
        const double span = double(hi) - double(lo) + 1;
        lua_pushnumber(L, std::min(double(hi), std::floor(double(lo) + double(r) * span)));
        return 1;
      }
    }
  }

  // gActive lives outside the globals table so that every assignment, even of
  // the value it already holds, reaches the system: "gActive = true" re-arms
  // emitters that have finished.
  static int GlobalsIndex(lua_State* L) {
    TLuaParticleSystem* sys = Self(L);
    if (lua_type(L, 2) == LUA_TSTRING && strcmp(lua_tostring(L, 2), kActiveName) == 0) {
      switch (sys->mActiveValue) {
        case 1:
          lua_pushboolean(L, 1);
          return 1;
        case 2:
          lua_pushboolean(L, 0);
          return 1;
        case 3:
          lua_pushnumber(L, 1);
          return 1;
      }
    }
    return 0;
  }

  static int GlobalsNewIndex(lua_State* L) {
    TLuaParticleSystem* sys = Self(L);
    if (lua_type(L, 2) == LUA_TSTRING && strcmp(lua_tostring(L, 2), kActiveName) == 0) {
      bool was = sys->mActive;
      int type = lua_type(L, 3);
      sys->mActiveValue = type == LUA_TNIL ? 0 : type == LUA_TBOOLEAN ? (lua_toboolean(L, 3) ? 1 : 2) : 3;
      sys->mActive = lua_toboolean(L, 3) != 0;
      if (sys->mActive) {
        for (auto& e : sys->mEmitters)
          if (!was || e->spent) e->Arm();
      }
      return 0;
    }
    lua_rawset(L, 1);
    return 0;
  }

  static int CallBound(lua_State* L) {
    auto* fn = static_cast<TLuaParticleSystem::TLuaFunction*>(lua_touserdata(L, lua_upvalueindex(1)));
    try {
      return (*fn)(L);
    } catch (const std::exception& ex) {
      Report("particle script: bound function failed: %s", ex.what());
    }
    return 0;
  }

  static void PushClosure(lua_State* L, TLuaParticleSystem* sys, lua_CFunction f) {
    lua_pushlightuserdata(L, sys);
    lua_pushcclosure(L, f, 1);
  }
};

TLuaParticleSystem::TLuaParticleSystem(TRenderer* renderer)
    : mRenderer(renderer), mScript(new TScript()), mRand(0x9E3779B9u * ++gSeedCounter | 1u) {
  InstallRuntime();
}

TLuaParticleSystem::~TLuaParticleSystem() {
  mScript.reset();  // the state holds pointers to the bound functions
  for (TLuaFunction* fn : mBound) delete fn;
}

void TLuaParticleSystem::InstallRuntime() {
  lua_State* L = GetLuaState();
  if (!L) return;
  int top = lua_gettop(L);
  typedef TLuaParticleRuntime R;

  luaL_newmetatable(L, kHandleMeta);
  R::PushClosure(L, this, &R::HandleIndex);
  lua_setfield(L, -2, "__index");
  R::PushClosure(L, this, &R::HandleNewIndex);
  lua_setfield(L, -2, "__newindex");
  lua_pop(L, 1);

  R::PushClosure(L, this, &R::NewEmitter);
  lua_setglobal(L, "Emitter");
  R::PushClosure(L, this, &R::ParticleCount);
  lua_setglobal(L, "ParticleCount");

  lua_getglobal(L, "math");
  if (lua_istable(L, -1)) {
    R::PushClosure(L, this, &R::Random);
    lua_setfield(L, -2, "random");
  }
  lua_pop(L, 1);

  // The globals may hold a value for gActive already (a state made with one
  // set); take it over before the table stops seeing the name.
  lua_getglobal(L, kActiveName);
  mActive = lua_toboolean(L, -1) != 0;
  mActiveValue = lua_isnil(L, -1) ? 0 : lua_isboolean(L, -1) ? (mActive ? 1 : 2) : 3;
  lua_pop(L, 1);
  lua_pushnil(L);
  lua_setglobal(L, kActiveName);

  lua_newtable(L);
  R::PushClosure(L, this, &R::GlobalsIndex);
  lua_setfield(L, -2, "__index");
  R::PushClosure(L, this, &R::GlobalsNewIndex);
  lua_setfield(L, -2, "__newindex");
  lua_setmetatable(L, LUA_GLOBALSINDEX);
  lua_settop(L, top);
}

lua_State* TLuaParticleSystem::GetLuaState() const {
  return mScript ? mScript->GetState() : nullptr;
}

void TLuaParticleSystem::NewScript() {
  mEmitters.clear();
  mDone = false;
  mUpdateFailed = false;
}

void TLuaParticleSystem::ClearScriptGlobals() {
  lua_State* L = GetLuaState();
  for (const char* name : kScriptGlobals) {
    lua_pushnil(L);
    lua_setglobal(L, name);
  }
}

bool TLuaParticleSystem::LoadScript(const str& path) {
  NewScript();
  lua_State* L = GetLuaState();
  if (!L) return false;
  ClearScriptGlobals();
  mPath = path;

  // The loading and its one message on failure are the script's own.
  int top = lua_gettop(L);
  const bool ok = mScript->RunScript(path);
  lua_settop(L, top);
  return ok;
}

void TLuaParticleSystem::RegisterDataSource(const str& name, TParticleFunction* source) {
  Source& s = mSources[name];
  s.fn = source;
  s.valid = false;
  lua_State* L = GetLuaState();
  if (!L || s.tableRef >= 0) return;
  lua_newtable(L);
  int n = source ? std::max(0, source->GetFloatCount()) : 0;
  for (int i = 1; i <= n; ++i) {
    lua_pushnumber(L, 0);
    lua_rawseti(L, -2, i);
  }
  if (n >= 2) {
    lua_pushnumber(L, 0);
    lua_setfield(L, -2, "x");
    lua_pushnumber(L, 0);
    lua_setfield(L, -2, "y");
  }
  lua_pushvalue(L, -1);
  lua_setglobal(L, name.c_str());
  s.tableRef = luaL_ref(L, LUA_REGISTRYINDEX);
}

void TLuaParticleSystem::UnregisterDataSource(TParticleFunction* source) {
  for (auto& entry : mSources)
    if (entry.second.fn == source) {
      entry.second.fn = nullptr;
      entry.second.valid = false;
    }
}

void TLuaParticleSystem::EvaluateSources() {
  mArgs.Clear();
  for (auto& entry : mSources)
    if (entry.second.fn) entry.second.fn->InitFrame();
  lua_State* L = GetLuaState();
  for (auto& entry : mSources) {
    Source& s = entry.second;
    s.valid = false;
    if (!s.fn) continue;
    s.offset = mArgs.Size();
    bool given = s.fn->Evaluate(mArgs);
    s.count = int(mArgs.Size() - s.offset);
    s.valid = given && s.count > 0;
    if (!s.valid || !L || s.tableRef < 0) continue;
    lua_rawgeti(L, LUA_REGISTRYINDEX, s.tableRef);
    const float* v = mArgs.At(s.offset);
    for (int i = 0; i < s.count; ++i) {
      lua_pushnumber(L, v[i]);
      lua_rawseti(L, -2, i + 1);
    }
    if (s.count >= 2) {
      lua_pushnumber(L, v[0]);
      lua_setfield(L, -2, "x");
      lua_pushnumber(L, v[1]);
      lua_setfield(L, -2, "y");
    }
    lua_pop(L, 1);
  }
}

bool TLuaParticleSystem::SourceValue(const str& name, TVec2& out) const {
  auto it = mSources.find(name);
  if (it == mSources.end() || !it->second.valid) return false;
  const float* v = mArgs.At(it->second.offset);
  out = TVec2(v[0], it->second.count > 1 ? v[1] : 0.f);
  return true;
}

bool TLuaParticleSystem::GetDataValue(const str& name, TVec2& value) const {
  return SourceValue(name, value);
}

void TLuaParticleSystem::RunUpdateHook(uint32_t ms) {
  lua_State* L = GetLuaState();
  if (mUpdateFailed || !L) return;
  int top = lua_gettop(L);
  lua_getglobal(L, "OnUpdate");
  if (lua_isfunction(L, -1)) {
    lua_pushnumber(L, ms);
    if (lua_pcall(L, 1, 0, 0) != 0) {
      // Once is enough: the same fault would repeat on every tick.
      const char* message = lua_tostring(L, -1);
      Report("%s (OnUpdate is not called again)", message ? message : "OnUpdate failed");
      mUpdateFailed = true;
    }
  }
  lua_settop(L, top);
}

float TLuaParticleSystem::Random01() {
  mRand ^= mRand << 13;
  mRand ^= mRand >> 17;
  mRand ^= mRand << 5;
  return float(mRand >> 8) * (1.0f / 16777216.0f);
}

void TLuaParticleSystem::Update(uint32_t ms) {
  if (mDone) return;
  EvaluateSources();
  RunUpdateHook(ms);
  if (mDone) return;  // the hook may have ended the effect

  uint32_t left = ms;
  do {
    uint32_t stepMs = std::min(left, kMaxStepMs);
    left -= stepMs;
    const float dt = stepMs / 1000.f;

    for (auto& ep : mEmitters) {
      Emitter& e = *ep;
      // Move and age what is alive, keeping the drawing order.
      const float keep = e.drag > 0 ? std::max(0.f, 1.f - e.drag * dt) : 1.f;
      size_t w = 0;
      for (size_t i = 0; i < e.particles.size(); ++i) {
        Particle p = e.particles[i];
        p.age += dt;
        if (p.age >= p.life) continue;
        p.vx = (p.vx + e.gx * dt) * keep;
        p.vy = (p.vy + e.gy * dt) * keep;
        p.x += p.vx * dt;
        p.y += p.vy * dt;
        e.particles[w++] = p;
      }
      e.particles.resize(w);

      // Emission.
      TVec2 pos;
      if (!e.at.empty()) {
        SourceValue(e.at, pos);
      } else if (!SourceValue("dLocus", pos)) {
        SourceValue("dPos", pos);
      }
      TVec2 add;
      if (!e.offsetSource.empty() && SourceValue(e.offsetSource, add)) pos = pos + add;
      pos = pos + TVec2(e.x, e.y);
      if (!e.hasLastPos) e.lastPos = pos;

      int count = e.burstPending;
      e.burstPending = 0;
      if (mActive && !e.spent) {
        if (!e.started) {
          e.started = true;
          count += e.burst;
        }
        float emitting = dt;
        if (e.duration >= 0) emitting = std::max(0.f, std::min(dt, e.duration - e.elapsed));
        e.carry += e.rate * emitting;
        // A rate that is not a number, or one no cap could hold, must not
        // leave a debt or a credit that outlives it.
        if (!(e.carry >= 0)) e.carry = 0;
        e.carry = std::min(e.carry, float(kCountLimit));
        // The epsilon keeps float steps that sum to a whole particle from
        // falling just short of it.
        int due = int(e.carry + 1e-3f);
        e.carry -= due;
        count += due;
        e.elapsed += dt;
        if (e.IsFinite() && (e.duration < 0 || e.elapsed >= e.duration)) e.spent = true;
      }
      // A cap lowered by the script may stand below what is alive.
      count = std::min(count, std::max(0, e.maxParticles - int(e.particles.size())));
      for (int i = 0; i < count; ++i) {
        // Spread the new particles along the way the emitter moved this step,
        // so a fast emitter leaves a line rather than dots.
        float t = float(i + 1) / float(count);
        Particle p;
        p.x = Lerp(e.lastPos.x, pos.x, t);
        p.y = Lerp(e.lastPos.y, pos.y, t);
        if (e.radius > 0) {
          float a = RandomRange(0, 6.2831853f), r = e.radius * std::sqrt(Random01());
          p.x += r * std::cos(a);
          p.y += r * std::sin(a);
        }
        p.x += RandomRange(-e.spreadX, e.spreadX);
        p.y += RandomRange(-e.spreadY, e.spreadY);
        float speed = RandomRange(e.speedMin, e.speedMax);
        float angle = RandomRange(e.angleMin, e.angleMax) * 0.017453293f;
        p.vx = e.vx + speed * std::sin(angle);
        p.vy = e.vy - speed * std::cos(angle);
        p.age = 0;
        p.life = std::max(0.001f, RandomRange(e.lifeMin, e.lifeMax));
        e.particles.push_back(p);
      }
      e.lastPos = pos;
      e.hasLastPos = true;
    }
  } while (left > 0);
}

namespace {

TColor ColorAt(const std::vector<TColor>& keys, float t) {
  if (keys.size() == 1) return keys[0];
  float f = t * float(keys.size() - 1);
  size_t k = std::min(size_t(f), keys.size() - 2);
  float u = f - float(k);
  const TColor &a = keys[k], &b = keys[k + 1];
  return TColor(Lerp(a.r, b.r, u), Lerp(a.g, b.g, u), Lerp(a.b, b.b, u), 1);
}

float ValueAt(const std::vector<float>& keys, float t) {
  if (keys.size() == 1) return keys[0];
  float f = t * float(keys.size() - 1);
  size_t k = std::min(size_t(f), keys.size() - 2);
  return Lerp(keys[k], keys[k + 1], f - float(k));
}

uint8_t ToByte(float v) {
  return uint8_t(std::max(0.f, std::min(1.f, v)) * 255.f + 0.5f);
}

}  // namespace

void TLuaParticleSystem::Draw(const TVec3& offset) {
  if (mDone || GetParticleCount() == 0) return;
  TRenderer* renderer = mRenderer ? mRenderer : TRenderer::GetInstance();
  if (!renderer) return;
  T2dScope pass;
  for (auto& ep : mEmitters) {
    Emitter& e = *ep;
    if (e.particles.empty()) continue;
    if (!e.texturePath.empty() && !e.textureTried) {
      e.textureTried = true;
      e.texture = TTexture::Get(e.texturePath);
    }
    // A texture that failed to load has been reported; its particles are not
    // drawn as squares, which would look like content.
    if (!e.texturePath.empty() && (!e.texture || e.texture->IsEmpty())) continue;
    TDrawSpec spec;
    spec.blend = e.blend;
    float extent = e.texture ? float(std::max(e.texture->GetWidth(), e.texture->GetHeight())) : 1.f;
    for (const Particle& p : e.particles) {
      float t = p.age / p.life;
      float size = Lerp(e.sizeStart, e.sizeEnd, t);
      float alpha = ValueAt(e.alphas, t);
      if (size <= 0 || alpha <= 0) continue;
      TColor c = ColorAt(e.colors, t);
      float x = p.x + offset.x, y = p.y + offset.y;
      if (e.texture) {
        float s = size / extent;
        spec.matrix.SetIdentity();
        spec.matrix.m[0][0] = s;
        spec.matrix.m[1][1] = s;
        spec.matrix.Tx() = x;
        spec.matrix.Ty() = y;
        spec.color = c;
        spec.alpha = alpha;
        renderer->DrawTexture(e.texture.get(), spec);
      } else {
        int half = std::max(1, int(size / 2 + 0.5f));
        int ix = int(std::floor(x)), iy = int(std::floor(y));
        renderer->FillRect(TRect(ix - half, iy - half, ix + half, iy + half),
                           TColor32(ToByte(c.r), ToByte(c.g), ToByte(c.b), ToByte(alpha)));
      }
    }
  }
}

bool TLuaParticleSystem::IsDone() const {
  if (mDone) return true;
  if (mEmitters.empty()) return false;  // a script that emits nothing lasts
  for (auto& e : mEmitters)
    if (!e->IsFinite() || !e->spent || !e->particles.empty() || e->burstPending > 0) return false;
  return true;
}

void TLuaParticleSystem::SetDone() {
  mDone = true;
  for (auto& e : mEmitters) e->particles.clear();
}

void TLuaParticleSystem::ResetDone() {
  mDone = false;
  Rearm();
}

void TLuaParticleSystem::Rearm() {
  for (auto& e : mEmitters) e->Arm();
}

size_t TLuaParticleSystem::GetParticleCount() const {
  size_t n = 0;
  for (auto& e : mEmitters) n += e->particles.size();
  return n;
}

void TLuaParticleSystem::BindFunction(const str& name, TLuaFunction fn) {
  lua_State* L = GetLuaState();
  if (!L) return;
  TLuaFunction* held = new TLuaFunction(std::move(fn));
  mBound.push_back(held);
  lua_pushlightuserdata(L, held);
  lua_pushcclosure(L, &TLuaParticleRuntime::CallBound, 1);
  lua_setglobal(L, name.c_str());
}

void TLuaParticleSystem::SetGlobalPointer(const str& name, void* pointer) {
  lua_State* L = GetLuaState();
  if (!L) return;
  lua_pushlightuserdata(L, pointer);
  lua_setglobal(L, name.c_str());
}

void* TLuaParticleSystem::GetGlobalPointer(const str& name) const {
  lua_State* L = GetLuaState();
  if (!L) return nullptr;
  lua_getglobal(L, name.c_str());
  void* p = lua_islightuserdata(L, -1) ? lua_touserdata(L, -1) : nullptr;
  lua_pop(L, 1);
  return p;
}
