#include "TLuaParticleSystem.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <lua.hpp>
#include <type_traits>

#include "TRenderer.h"
#include "TReport.h"
#include "TScript.h"

namespace {

const char* const kHandleMeta = "tolvane.particle_emitter";
const char* const kActiveName = "gActive";
// Globals a script defines for the game to call; a new script must not
// inherit the previous one's.
const char* const kScriptGlobals[] = {"OnStart", "OnStop", "OnUpdate", "AdditionalVars"};
// Functions a particle script has no use for and that would let it escape
// its budget: a hook of its own replaces the budget's, and finalizers run
// whenever the collector likes, outside any protected call.
const char* const kRemovedGlobals[] = {"newproxy"};
const char* const kRemovedDebug[] = {"sethook", "setmetatable"};
// Longest step the particles are moved in at once (milliseconds), so that a
// large update keeps curved paths curved.
const uint32_t kMaxStepMs = 33;
const int kDefaultMaxParticles = TLuaParticleSystem::kMaxParticles;
// Particles further than this from the origin (pixels) are not drawn: no
// screen is that large, and their pixel rectangles would not fit an int.
const float kDrawnWithin = 1e6f;

// The ranges of the numbers a script gives an emitter (docs/particles.md):
// far beyond any real effect, near enough that no sum, product or conversion
// of them overflows.
struct Range {
  const char* key;
  double lo, hi;
};
const double kFar = 1e5;  // pixels
const Range kRanges[] = {
    {"rate", 0, 1e6},  // particles per second
    {"burst", 0, TLuaParticleSystem::kMaxParticles},
    {"max", 0, TLuaParticleSystem::kMaxParticles},
    {"duration", -1e6, 1e6},  // seconds; negative is endless
    {"life", 0, 3600},        // seconds
    {"x", -kFar, kFar},
    {"y", -kFar, kFar},
    {"spread", -kFar, kFar},
    {"radius", 0, kFar},
    {"speed", -1e5, 1e5},     // pixels per second
    {"velocity", -1e5, 1e5},  // pixels per second
    {"angle", -3600, 3600},   // degrees
    {"gravity", -1e6, 1e6},   // pixels per second squared
    {"drag", 0, 1000},        // per second
    // pixels: what a screen can use
    {"size", -TLuaParticleSystem::kMaxSize, TLuaParticleSystem::kMaxSize},
    {"color", 0, 1},
    {"alpha", 0, 1},
};

const Range* RangeOf(const str& key) {
  for (const Range& r : kRanges)
    if (key == r.key) return &r;
  return nullptr;
}

uint32_t gSeedCounter = 0;

float Lerp(float a, float b, float t) {
  return a + (b - a) * t;
}

// gActive as the runtime keeps it: 0 nil, 1 true, 2 false, 3 any other value.
int ActiveValueAt(lua_State* L, int index) {
  const int type = lua_type(L, index);
  if (type == LUA_TNIL) return 0;
  if (type == LUA_TBOOLEAN) return lua_toboolean(L, index) ? 1 : 2;
  return 3;
}

void PushGlobalRaw(lua_State* L, const char* name) {
  lua_pushstring(L, name);
  lua_rawget(L, LUA_GLOBALSINDEX);
}

// Sets the global `name` to the value on the stack top (popped), past any
// metatable: the runtime's own globals are declared, not assigned.
void SetGlobalRaw(lua_State* L, const char* name) {
  lua_pushstring(L, name);
  lua_insert(L, -2);
  lua_rawset(L, LUA_GLOBALSINDEX);
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

  // The number at `index`, held inside the range of the field `key`; false
  // when it is not a number, or not a number at all (NaN).
  static bool Number(lua_State* L, TLuaParticleSystem* sys, const str& key, int index, float& out) {
    if (lua_type(L, index) != LUA_TNUMBER) return false;
    const double v = lua_tonumber(L, index);
    if (std::isnan(v)) return false;
    double held = v;
    if (const Range* r = RangeOf(key)) held = std::max(r->lo, std::min(r->hi, v));
    if (held != v) sys->ReportLimit(key.c_str(), v, held);
    out = float(held);
    return true;
  }

  // Reads a number or a {lo, hi} pair at `index`.
  static bool ReadRange(lua_State* L, TLuaParticleSystem* sys, const str& key, int index, float& lo,
                        float& hi) {
    if (lua_type(L, index) == LUA_TNUMBER) {
      if (!Number(L, sys, key, index, lo)) return false;
      hi = lo;
      return true;
    }
    if (!lua_istable(L, index)) return false;
    lua_rawgeti(L, index, 1);
    lua_rawgeti(L, index, 2);
    float a, b;
    bool ok = Number(L, sys, key, -2, a);
    if (ok) {
      if (lua_isnil(L, -1))
        b = a;
      else
        ok = Number(L, sys, key, -1, b);
    }
    lua_pop(L, 2);
    if (ok) {
      lo = a;
      hi = b;
    }
    return ok;
  }

  static bool ReadColor(lua_State* L, TLuaParticleSystem* sys, int index, TColor& c) {
    if (!lua_istable(L, index)) return false;
    float v[3] = {1, 1, 1};
    for (int i = 0; i < 3; ++i) {
      lua_rawgeti(L, index, i + 1);
      const bool ok = Number(L, sys, "color", -1, v[i]);
      lua_pop(L, 1);
      if (!ok) return false;
    }
    c = TColor(v[0], v[1], v[2], 1);
    return true;
  }

  // One colour {r, g, b} or a list of them spread evenly over the life.
  static bool ReadColors(lua_State* L, TLuaParticleSystem* sys, int index, std::vector<TColor>& out) {
    if (!lua_istable(L, index)) return false;
    lua_rawgeti(L, index, 1);
    bool nested = lua_istable(L, -1);
    lua_pop(L, 1);
    std::vector<TColor> colors;
    if (!nested) {
      TColor c;
      if (!ReadColor(L, sys, index, c)) return false;
      colors.push_back(c);
    } else {
      const size_t n = lua_objlen(L, index);
      for (size_t i = 1; i <= n; ++i) {
        lua_rawgeti(L, index, int(i));
        TColor c;
        bool ok = ReadColor(L, sys, lua_gettop(L), c);
        lua_pop(L, 1);
        if (!ok) return false;
        colors.push_back(c);
      }
    }
    if (colors.empty()) return false;
    out = colors;
    return true;
  }

  static bool ReadNumbers(lua_State* L, TLuaParticleSystem* sys, const str& key, int index,
                          std::vector<float>& out) {
    std::vector<float> values;
    if (lua_type(L, index) == LUA_TNUMBER) {
      float v;
      if (!Number(L, sys, key, index, v)) return false;
      values.push_back(v);
    } else if (lua_istable(L, index)) {
      const size_t n = lua_objlen(L, index);
      for (size_t i = 1; i <= n; ++i) {
        lua_rawgeti(L, index, int(i));
        float v;
        bool ok = Number(L, sys, key, -1, v);
        lua_pop(L, 1);
        if (!ok) return false;
        values.push_back(v);
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
  static bool ApplyField(lua_State* L, TLuaParticleSystem* sys, TLuaParticleSystem::Emitter& e,
                         const str& key, int v) {
    int type = lua_type(L, v);
    auto number = [&](float& out) { return Number(L, sys, key, v, out); };
    auto count = [&](int& out) {
      float n;
      if (!number(n)) return false;
      out = int(n);  // held inside 0 .. kMaxParticles
      return true;
    };
    auto string = [&](str& out) {
      if (type != LUA_TSTRING) return false;
      out = lua_tostring(L, v);
      return true;
    };
    auto range = [&](float& lo, float& hi) { return ReadRange(L, sys, key, v, lo, hi); };
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
    if (key == "burst") return count(e.burst);
    if (key == "duration") return number(e.duration);
    if (key == "persist") {
      e.persist = lua_toboolean(L, v) != 0;
      return true;
    }
    if (key == "life") return range(e.lifeMin, e.lifeMax);
    if (key == "at") return string(e.at);
    if (key == "offset") return string(e.offsetSource);
    if (key == "x") return number(e.x);
    if (key == "y") return number(e.y);
    if (key == "spread") return range(e.spreadX, e.spreadY);
    if (key == "radius") return number(e.radius);
    if (key == "speed") return range(e.speedMin, e.speedMax);
    if (key == "angle") return range(e.angleMin, e.angleMax);
    if (key == "velocity") return type == LUA_TTABLE && range(e.vx, e.vy);
    if (key == "gravity") return type == LUA_TTABLE && range(e.gx, e.gy);
    if (key == "drag") return number(e.drag);
    if (key == "size") return range(e.sizeStart, e.sizeEnd);
    if (key == "color") return ReadColors(L, sys, v, e.colors);
    if (key == "alpha") return ReadNumbers(L, sys, key, v, e.alphas);
    if (key == "max") return count(e.maxParticles);
    return false;
  }

  static void ReportField(TLuaParticleSystem* sys, const str& key) {
    Report("%s: emitter field \"%s\" is unknown or has a bad value; ignored", sys->Where(), key.c_str());
  }

  // Emitter{...}: declares an emitter and returns its handle.
  static int NewEmitter(lua_State* L) {
    TLuaParticleSystem* sys = Self(L);
    luaL_checktype(L, 1, LUA_TTABLE);
    if (sys->mEmitters.size() >= size_t(TLuaParticleSystem::kMaxEmitters))
      return luaL_error(L, "an effect may declare at most %d emitters",
                        int(TLuaParticleSystem::kMaxEmitters));
    static uint32_t nextId = 0;
    std::unique_ptr<TLuaParticleSystem::Emitter> e(new TLuaParticleSystem::Emitter);
    e->id = ++nextId;
    lua_pushnil(L);
    while (lua_next(L, 1) != 0) {
      if (lua_type(L, -2) == LUA_TSTRING) {
        str key = lua_tostring(L, -2);
        if (!ApplyField(L, sys, *e, key, lua_gettop(L))) ReportField(sys, key);
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
    if (e && !ApplyField(L, sys, *e, key, 3)) ReportField(sys, key);
    return 0;
  }

  // handle:Burst(n): n particles at the next update, whatever gActive says.
  static int HandleBurst(lua_State* L) {
    TLuaParticleSystem* sys = Self(L);
    TLuaParticleSystem::Emitter* e = CheckHandle(L, sys, 1);
    const double asked = luaL_optnumber(L, 2, 1);
    const double n =
        std::isnan(asked) ? 0 : std::max(0.0, std::min(asked, double(TLuaParticleSystem::kMaxParticles)));
    if (asked > n) sys->ReportLimit("Burst", asked, n);
    if (e) e->burstPending = std::min(int(TLuaParticleSystem::kMaxParticles), e->burstPending + int(n));
    return 0;
  }

  static int ParticleCount(lua_State* L) {
    lua_pushnumber(L, lua_Number(Self(L)->GetParticleCount()));
    return 1;
  }

  // An integer argument of math.random: Lua truncates it to an int, which
  // it must fit.
  static int IntArg(lua_State* L, int index) {
    const double v = std::trunc(luaL_checknumber(L, index));
    luaL_argcheck(L, v >= double(INT_MIN) && v <= double(INT_MAX), index, "number out of range");
    return int(v);
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
        int hi = IntArg(L, 1);
        luaL_argcheck(L, hi >= 1, 1, "interval is empty");
        lua_pushnumber(L, std::min(double(hi), std::floor(1 + double(r) * hi)));
        return 1;
      }
      default: {
        int lo = IntArg(L, 1), hi = IntArg(L, 2);
        luaL_argcheck(L, lo <= hi, 2, "interval is empty");
        // In doubles: the span of the widest interval does not fit an int.
        const double span = double(hi) - double(lo) + 1;
        lua_pushnumber(L, std::min(double(hi), std::floor(double(lo) + double(r) * span)));
        return 1;
      }
    }
  }

  static bool IsActiveKey(lua_State* L, int index) {
    return lua_type(L, index) == LUA_TSTRING && strcmp(lua_tostring(L, index), kActiveName) == 0;
  }

  // Pushes a field of the metatable the script itself put on the globals (the
  // one getmetatable(_G) gives), or nil.
  static void PushScriptMetaField(lua_State* L, const char* field) {
    if (!lua_getmetatable(L, LUA_GLOBALSINDEX)) {
      lua_pushnil(L);
      return;
    }
    lua_pushliteral(L, "__metatable");
    lua_rawget(L, -2);
    lua_remove(L, -2);
    if (!lua_istable(L, -1)) {
      lua_pop(L, 1);
      lua_pushnil(L);
      return;
    }
    lua_pushstring(L, field);
    lua_rawget(L, -2);
    lua_remove(L, -2);
  }

  // gActive lives outside the globals table so that every assignment, even of
  // the value it already holds, reaches the system: "gActive = true" re-arms
  // emitters that have finished. Other names go on to the script's own
  // metatable on the globals, when it set one.
  static int GlobalsIndex(lua_State* L) {
    TLuaParticleSystem* sys = Self(L);
    if (IsActiveKey(L, 2)) {
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
      return 0;  // declared by the runtime, so nil even under a script's guard
    }
    PushScriptMetaField(L, "__index");
    if (lua_isfunction(L, -1)) {
      lua_pushvalue(L, 1);
      lua_pushvalue(L, 2);
      lua_call(L, 2, 1);
      return 1;
    }
    if (lua_istable(L, -1)) {
      lua_pushvalue(L, 2);
      lua_gettable(L, -2);
      return 1;
    }
    return 0;
  }

  static int GlobalsNewIndex(lua_State* L) {
    TLuaParticleSystem* sys = Self(L);
    if (IsActiveKey(L, 2)) {
      sys->SetActive(ActiveValueAt(L, 3));
      return 0;
    }
    PushScriptMetaField(L, "__newindex");
    if (lua_isfunction(L, -1)) {
      lua_pushvalue(L, 1);
      lua_pushvalue(L, 2);
      lua_pushvalue(L, 3);
      lua_call(L, 3, 0);
      return 0;
    }
    if (lua_istable(L, -1)) {
      lua_pushvalue(L, 2);
      lua_pushvalue(L, 3);
      lua_settable(L, -3);
      return 0;
    }
    lua_settop(L, 3);
    lua_rawset(L, 1);
    return 0;
  }

  // setmetatable, which on the globals sets the script's own metatable behind
  // the runtime's (protected) one instead of replacing it.
  static int SetMetatable(lua_State* L) {
    if (!lua_rawequal(L, 1, LUA_GLOBALSINDEX)) {
      lua_pushvalue(L, lua_upvalueindex(2));
      lua_insert(L, 1);
      lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
      return lua_gettop(L);
    }
    const int type = lua_type(L, 2);
    luaL_argcheck(L, type == LUA_TNIL || type == LUA_TTABLE, 2, "nil or table expected");
    if (lua_getmetatable(L, LUA_GLOBALSINDEX)) {
      lua_pushliteral(L, "__metatable");
      if (type == LUA_TNIL)
        lua_newtable(L);
      else
        lua_pushvalue(L, 2);
      lua_rawset(L, -3);
    }
    lua_settop(L, 1);
    return 1;
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

template <class F>
int TLuaParticleSystem::Call(F&& body) {
  lua_State* L = GetLuaState();
  typedef typename std::remove_reference<F>::type Body;
  struct Thunk {
    static int Run(lua_State* L) {
      Body* b = static_cast<Body*>(lua_touserdata(L, 1));
      lua_settop(L, 0);
      return (*b)(L);
    }
  };
  lua_pushcfunction(L, &Thunk::Run);
  lua_pushlightuserdata(L, &body);
  return TScript::CallWithinBudget(L, 1, 0);
}

template <class F>
bool TLuaParticleSystem::Protected(F&& body) {
  lua_State* L = GetLuaState();
  if (!L) return false;
  const int top = lua_gettop(L);
  const bool ok = Call(body) == 0;
  if (!ok) {
    ReportFailure(nullptr);
    Stop();
  }
  CheckBudget(ok);
  lua_settop(L, top);
  return ok;
}

void TLuaParticleSystem::ReportFailure(const char* note) {
  lua_State* L = GetLuaState();
  str message = lua_type(L, -1) == LUA_TSTRING ? str(lua_tostring(L, -1)) : str(Where()) + ": Lua error";
  lua_pop(L, 1);
  // Lua's own words for a refused allocation say neither where nor why.
  if (message == "not enough memory")
    message = str::format("%s: asked for more than its %d MiB of memory", Where(), int(kMemoryLimit >> 20));
  message.replace_all("\r", " ");
  message.replace_all("\n", " ");
  if (note)
    Report("%s (%s)", message.c_str(), note);
  else
    Report("%s", message.c_str());
}

const char* TLuaParticleSystem::Where() const {
  return mPath.empty() ? "particle script" : mPath.c_str();
}

void TLuaParticleSystem::ReportLimit(const char* field, double asked, double taken) {
  if (mLimitReported) return;
  mLimitReported = true;
  Report("%s: emitter field \"%s\" is %g, out of range; %g taken", Where(), field, asked, taken);
}

void TLuaParticleSystem::NoteMissingSource(const str& name) {
  if (mSources.count(name)) return;
  if (std::find(mMissingReported.begin(), mMissingReported.end(), name) != mMissingReported.end()) return;
  mMissingReported.push_back(name);
  Report("%s: no data source \"%s\"; the emitter reads (0, 0) for it", Where(), name.c_str());
}

TLuaParticleSystem::TLuaParticleSystem(TRenderer* renderer)
    : mRenderer(renderer), mScript(new TScript(kMemoryLimit)), mRand(0x9E3779B9u * ++gSeedCounter | 1u) {
  mScript->SetInstructionBudget(kInstructionBudget);
  InstallRuntime();
}

TLuaParticleSystem::~TLuaParticleSystem() {
  mChunk.reset();
  mScript.reset();  // the state holds pointers to the bound functions
  for (TLuaFunction* fn : mBound) delete fn;
}

void TLuaParticleSystem::InstallRuntime() {
  typedef TLuaParticleRuntime R;
  Protected([this](lua_State* L) {
    luaL_newmetatable(L, kHandleMeta);
    R::PushClosure(L, this, &R::HandleIndex);
    lua_setfield(L, -2, "__index");
    R::PushClosure(L, this, &R::HandleNewIndex);
    lua_setfield(L, -2, "__newindex");
    lua_pop(L, 1);

    R::PushClosure(L, this, &R::NewEmitter);
    SetGlobalRaw(L, "Emitter");
    R::PushClosure(L, this, &R::ParticleCount);
    SetGlobalRaw(L, "ParticleCount");

    PushGlobalRaw(L, "math");
    if (lua_istable(L, -1)) {
      lua_pushliteral(L, "random");
      R::PushClosure(L, this, &R::Random);
      lua_rawset(L, -3);
    }
    lua_pop(L, 1);

    for (const char* name : kRemovedGlobals) {
      lua_pushnil(L);
      SetGlobalRaw(L, name);
    }
    PushGlobalRaw(L, "debug");
    if (lua_istable(L, -1)) {
      for (const char* name : kRemovedDebug) {
        lua_pushstring(L, name);
        lua_pushnil(L);
        lua_rawset(L, -3);
      }
    }
    lua_pop(L, 1);

    lua_pushlightuserdata(L, this);
    PushGlobalRaw(L, "setmetatable");
    lua_pushcclosure(L, &R::SetMetatable, 2);
    SetGlobalRaw(L, "setmetatable");

    // The globals may hold a value for gActive already (a state made with one
    // set); take it over before the table stops seeing the name.
    PushGlobalRaw(L, kActiveName);
    SetActive(ActiveValueAt(L, -1));
    lua_pop(L, 1);
    lua_pushnil(L);
    SetGlobalRaw(L, kActiveName);

    // The runtime's metatable on the globals is protected: getmetatable(_G)
    // gives the table under "__metatable", which stands for the script's own.
    lua_newtable(L);
    R::PushClosure(L, this, &R::GlobalsIndex);
    lua_setfield(L, -2, "__index");
    R::PushClosure(L, this, &R::GlobalsNewIndex);
    lua_setfield(L, -2, "__newindex");
    lua_newtable(L);
    lua_setfield(L, -2, "__metatable");
    lua_setmetatable(L, LUA_GLOBALSINDEX);
    return 0;
  });
}

lua_State* TLuaParticleSystem::GetLuaState() const {
  return mScript ? mScript->GetState() : nullptr;
}

void TLuaParticleSystem::NewScript() {
  mEmitters.clear();
  mDone = false;
  mStopped = false;
  mUpdateFailed = false;
}

void TLuaParticleSystem::ClearScriptGlobals() {
  Protected([](lua_State* L) {
    for (const char* name : kScriptGlobals) {
      lua_pushnil(L);
      SetGlobalRaw(L, name);
    }
    // Nor does a script inherit the guard the previous one put on the globals.
    if (lua_getmetatable(L, LUA_GLOBALSINDEX)) {
      lua_pushliteral(L, "__metatable");
      lua_newtable(L);
      lua_rawset(L, -3);
    }
    return 0;
  });
}

void TLuaParticleSystem::SetActive(int value) {
  const bool was = mActive;
  mActiveValue = value;
  mActive = value == 1 || value == 3;
  if (mActive) {
    for (auto& e : mEmitters)
      if (!was || e->spent) e->Arm();
  }
}

bool TLuaParticleSystem::LoadScript(const str& path) {
  NewScript();
  mChunk.reset();
  lua_State* L = GetLuaState();
  if (!L) return false;
  ClearScriptGlobals();
  mPath = path;
  mLimitReported = false;
  mAreaReported = false;
  mMissingReported.clear();

  // The loading and its one message on failure are the script's own.
  const int top = lua_gettop(L);
  if (!mScript->LoadFile(path)) return false;
  mChunk.reset(new TLuaRef(L, -1));
  lua_settop(L, top);
  if (RunChunk()) return true;
  mChunk.reset();  // what failed once is not run again on a restart
  return false;
}

bool TLuaParticleSystem::RunChunk() {
  lua_State* L = GetLuaState();
  const int top = lua_gettop(L);
  if (!mChunk || !mChunk->Push()) return false;
  const bool ok = TScript::ProtectedCall(L, 0, 0, mPath);
  lua_settop(L, top);
  CheckBudget(ok);
  return ok && !mStopped;
}

void TLuaParticleSystem::RestartScript() {
  if (!mChunk || mStopped) {
    for (auto& e : mEmitters) {
      e->particles.clear();
      e->burstPending = 0;
    }
    return;
  }
  mEmitters.clear();
  mDone = false;
  mUpdateFailed = false;
  ClearScriptGlobals();
  SetActive(0);
  RunChunk();
}

bool TLuaParticleSystem::CheckBudget(bool reportMemory) {
  if (!mScript) return false;
  // Both flags are taken, whichever was raised.
  const bool runaway = mScript->TakeBudgetExceeded();
  const bool tooLarge = mScript->TakeMemoryExceeded();
  if (!runaway && !tooLarge) return false;
  // A refused allocation the script caught itself ended no call: it is told
  // here.
  if (tooLarge && reportMemory)
    Report("%s: asked for more than its %d MiB of memory (the effect is stopped)", Where(),
           int(kMemoryLimit >> 20));
  Stop();
  return true;
}

void TLuaParticleSystem::Stop() {
  mStopped = true;
  for (auto& e : mEmitters) e->particles.clear();
  // What a script that asked for too much left behind goes at once.
  if (lua_State* L = GetLuaState()) lua_gc(L, LUA_GCCOLLECT, 0);
}

bool TLuaParticleSystem::RunHook(const char* name, bool hasArg, double arg, const char* onFailure) {
  lua_State* L = GetLuaState();
  if (!L || mStopped) return true;
  const int top = lua_gettop(L);
  // Looked up raw: a hook is a global the script defines, and a guard the
  // script put on its globals must not turn a hook it left out into an error.
  auto call = [name, hasArg, arg](lua_State* L) {
    PushGlobalRaw(L, name);
    if (!lua_isfunction(L, -1)) return 0;
    if (hasArg) lua_pushnumber(L, arg);
    lua_call(L, hasArg ? 1 : 0, 0);
    return 0;
  };
  const bool ok = Call(call) == 0;
  if (!ok) {
    const bool runaway = CheckBudget(false);
    ReportFailure(runaway ? "the effect is stopped" : onFailure);
  } else {
    CheckBudget(true);
  }
  lua_settop(L, top);
  return ok;
}

bool TLuaParticleSystem::CallHook(const char* name, bool hasArg, double arg) {
  return RunHook(name, hasArg, arg, nullptr);
}

void TLuaParticleSystem::RegisterDataSource(const str& name, TParticleFunction* source) {
  Source& s = mSources[name];
  s.fn = source;
  s.valid = false;
  if (!GetLuaState() || s.tableRef >= 0) return;
  const int n = source ? std::max(0, source->GetFloatCount()) : 0;
  const char* global = name.c_str();
  int ref = -1;
  Protected([n, global, &ref](lua_State* L) {
    lua_newtable(L);
    for (int i = 1; i <= n; ++i) {
      lua_pushnumber(L, 0);
      lua_rawseti(L, -2, i);
    }
    if (n >= 2) {
      lua_pushliteral(L, "x");
      lua_pushnumber(L, 0);
      lua_rawset(L, -3);
      lua_pushliteral(L, "y");
      lua_pushnumber(L, 0);
      lua_rawset(L, -3);
    }
    lua_pushvalue(L, -1);
    SetGlobalRaw(L, global);
    ref = luaL_ref(L, LUA_REGISTRYINDEX);
    return 0;
  });
  s.tableRef = ref;
}

void TLuaParticleSystem::UnregisterDataSource(TParticleFunction* source) {
  for (auto& entry : mSources)
    if (entry.second.fn == source) {
      entry.second.fn = nullptr;
      entry.second.valid = false;
    }
}

bool TLuaParticleSystem::EvaluateSources() {
  mArgs.Clear();
  for (auto& entry : mSources)
    if (entry.second.fn) entry.second.fn->InitFrame();
  bool any = false;
  for (auto& entry : mSources) {
    Source& s = entry.second;
    s.valid = false;
    if (!s.fn) continue;
    s.offset = mArgs.Size();
    bool given = s.fn->Evaluate(mArgs);
    s.count = int(mArgs.Size() - s.offset);
    s.valid = given && s.count > 0;
    any = any || (s.valid && s.tableRef >= 0);
  }
  if (!any || !GetLuaState()) return true;
  // Written raw: the tables are the runtime's, and a metatable a script put
  // on one must neither run nor fail on every update.
  return Protected([this](lua_State* L) {
    for (auto& entry : mSources) {
      const Source& s = entry.second;
      if (!s.valid || s.tableRef < 0) continue;
      lua_rawgeti(L, LUA_REGISTRYINDEX, s.tableRef);
      const float* v = mArgs.At(s.offset);
      for (int i = 0; i < s.count; ++i) {
        lua_pushnumber(L, v[i]);
        lua_rawseti(L, -2, i + 1);
      }
      if (s.count >= 2) {
        lua_pushliteral(L, "x");
        lua_pushnumber(L, v[0]);
        lua_rawset(L, -3);
        lua_pushliteral(L, "y");
        lua_pushnumber(L, v[1]);
        lua_rawset(L, -3);
      }
      lua_pop(L, 1);
    }
    return 0;
  });
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

TVec2 TLuaParticleSystem::EmitterPosition(const Emitter& e) {
  TVec2 pos;
  if (!e.at.empty()) {
    if (!SourceValue(e.at, pos)) NoteMissingSource(e.at);
  } else if (!SourceValue("dLocus", pos)) {
    SourceValue("dPos", pos);
  }
  if (!e.offsetSource.empty()) {
    TVec2 add;
    if (SourceValue(e.offsetSource, add))
      pos = pos + add;
    else
      NoteMissingSource(e.offsetSource);
  }
  return pos + TVec2(e.x, e.y);
}

float TLuaParticleSystem::Random01() {
  mRand ^= mRand << 13;
  mRand ^= mRand >> 17;
  mRand ^= mRand << 5;
  return float(mRand >> 8) * (1.0f / 16777216.0f);
}

void TLuaParticleSystem::Update(uint32_t ms) {
  CheckBudget(true);  // a string the game ran in the state may have run away
  if (mDone || mStopped) return;
  if (!EvaluateSources()) return;
  // Once is enough: the same fault would repeat on every tick.
  if (!mUpdateFailed && !RunHook("OnUpdate", true, ms, "OnUpdate is not called again")) mUpdateFailed = true;
  if (mDone || mStopped) return;  // the hook may have ended the effect

  uint32_t left = ms;
  do {
    uint32_t stepMs = std::min(left, kMaxStepMs);
    left -= stepMs;
    const float dt = stepMs / 1000.f;

    // Move and age what is alive, keeping the drawing order.
    int alive = 0;
    for (auto& ep : mEmitters) {
      Emitter& e = *ep;
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
      alive += int(w);
    }

    // Emission.
    for (auto& ep : mEmitters) {
      Emitter& e = *ep;
      const TVec2 pos = EmitterPosition(e);
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
        // No debt or credit beyond what one update can emit.
        e.carry = std::max(0.f, std::min(e.carry, float(kMaxParticles)));
        // The epsilon keeps float steps that sum to a whole particle from
        // falling just short of it.
        int due = int(e.carry + 1e-3f);
        e.carry -= due;
        count += due;
        e.elapsed += dt;
        if (e.IsFinite() && (e.duration < 0 || e.elapsed >= e.duration)) e.spent = true;
      }
      // A cap lowered by the script may stand below what is alive; and the
      // whole effect holds no more than its limit.
      count = std::min(
          count, std::max(0, std::min(e.maxParticles - int(e.particles.size()), kMaxParticles - alive)));
      alive += count;
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

// Particles without a texture are drawn with this one, tinted: solid squares
// that take their emitter's blend like any other particle. Two pixels wide,
// so that its centre falls between them. Never freed: it may be drawn until
// the process ends.
TTexture* SolidTexture() {
  static const uint32_t kWhite[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
  static const TTextureRef* solid = new TTextureRef(TTexture::FromPixels(2, 2, kWhite));
  return solid->get();
}

}  // namespace

template <class F>
void TLuaParticleSystem::VisitQuads(const TVec3& offset, F&& visit) {
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
    for (const Particle& p : e.particles) {
      const float t = p.age / p.life;
      const float size = Lerp(e.sizeStart, e.sizeEnd, t);
      const float alpha = ValueAt(e.alphas, t);
      if (size <= 0 || alpha <= 0) continue;
      const float x = p.x + offset.x, y = p.y + offset.y;
      if (!(std::fabs(x) < kDrawnWithin && std::fabs(y) < kDrawnWithin)) continue;  // NaN as well
      visit(TParticleQuad{e.texture.get(), e.blend, x, y, size, ColorAt(e.colors, t), alpha});
    }
  }
}

void TLuaParticleSystem::GetQuads(const TVec3& offset, std::vector<TParticleQuad>& out) {
  out.clear();
  if (IsDone()) return;
  VisitQuads(offset, [&out](const TParticleQuad& q) { out.push_back(q); });
}

void TLuaParticleSystem::Draw(const TVec3& offset) {
  if (mDone || mStopped || GetParticleCount() == 0) return;
  TRenderer* renderer = mRenderer ? mRenderer : TRenderer::GetInstance();
  if (!renderer) return;
  T2dScope pass;
  TDrawSpec spec;
  const TRect clip = renderer->GetClip();
  const TPoint origin = renderer->GetOrigin();
  // The renderer's cost follows the quads' whole areas, not what of them
  // shows: the budget counts them whole.
  double area = 0;
  bool overBudget = false;
  VisitQuads(offset, [&](const TParticleQuad& q) {
    if (overBudget) return;
    TTexture* texture = q.texture ? q.texture : SolidTexture();
    const float s = q.size / float(std::max(texture->GetWidth(), texture->GetHeight()));
    const float w = texture->GetWidth() * s, h = texture->GetHeight() * s;
    const float left = origin.x + q.x - w / 2, top = origin.y + q.y - h / 2;
    if (left >= clip.right || left + w <= clip.left || top >= clip.bottom || top + h <= clip.top) return;
    area += double(w) * double(h);
    if (area > kDrawnAreaBudget) {
      overBudget = true;
      return;
    }
    spec.matrix.SetIdentity();
    spec.matrix.m[0][0] = s;
    spec.matrix.m[1][1] = s;
    spec.matrix.Tx() = q.x;
    spec.matrix.Ty() = q.y;
    spec.blend = q.blend;
    spec.color = q.color;
    spec.alpha = q.alpha;
    renderer->DrawTexture(texture, spec);
  });
  if (overBudget && !mAreaReported) {
    mAreaReported = true;
    Report("%s: more than %d screens of particles in one frame; the rest of such frames is not drawn",
           Where(), int(kDrawnAreaBudget / (800 * 600)));
  }
}

bool TLuaParticleSystem::IsDone() const {
  if (mDone || mStopped) return true;
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
  if (!GetLuaState()) return;
  TLuaFunction* held = new TLuaFunction(std::move(fn));
  mBound.push_back(held);
  const char* global = name.c_str();
  Protected([held, global](lua_State* L) {
    lua_pushlightuserdata(L, held);
    lua_pushcclosure(L, &TLuaParticleRuntime::CallBound, 1);
    SetGlobalRaw(L, global);
    return 0;
  });
}

void TLuaParticleSystem::SetGlobalPointer(const str& name, void* pointer) {
  if (!GetLuaState()) return;
  const char* global = name.c_str();
  Protected([pointer, global](lua_State* L) {
    lua_pushlightuserdata(L, pointer);
    SetGlobalRaw(L, global);
    return 0;
  });
}

void* TLuaParticleSystem::GetGlobalPointer(const str& name) {
  if (!GetLuaState()) return nullptr;
  const char* global = name.c_str();
  void* p = nullptr;
  Protected([global, &p](lua_State* L) {
    PushGlobalRaw(L, global);
    if (lua_islightuserdata(L, -1)) p = lua_touserdata(L, -1);
    return 0;
  });
  return p;
}

std::vector<str> TLuaParticleSystem::GetGlobalStrings(const str& name) {
  std::vector<str> strings;
  if (!GetLuaState()) return strings;
  const char* global = name.c_str();
  Protected([global, &strings](lua_State* L) {
    PushGlobalRaw(L, global);
    if (!lua_istable(L, -1)) return 0;
    const size_t n = lua_objlen(L, -1);
    for (size_t i = 1; i <= n; ++i) {
      lua_rawgeti(L, -1, int(i));
      if (lua_type(L, -1) == LUA_TSTRING) strings.push_back(lua_tostring(L, -1));
      lua_pop(L, 1);
    }
    return 0;
  });
  return strings;
}
