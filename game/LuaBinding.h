#pragma once
// Global Lua names bound to one member function of one living object. The
// global holds a native closure whose single upvalue is a record {object,
// member}; one closure function serves every binding of the same signature.
// Lua owns the record, never the object: an owner unbinds its names in its
// destructor (LuaNameSet does it for you).
//
// Arguments are read by the member's parameter types: int truncates the Lua
// number toward zero (missing: 0), float/double take it as is, bool is Lua's
// truth, str takes the string (missing or not a string: ""). Results of type
// int, float, double, bool and str are returned to Lua; void returns nothing.
// Extra Lua arguments are ignored.

#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

#include "sdk/str.h"

struct lua_State;

namespace LuaBinding {
typedef int (*Closure)(lua_State*);

// The Lua state of the window manager's global script.
lua_State* GetState();

// Sets the global `name` to `closure` over a copy of `record` (`size` bytes,
// the object pointer first).
void Bind(const str& name, Closure closure, const void* record, size_t size);
// Sets the global `name` to nil.
void Unbind(const str& name);
// The object pointer of the record behind the global `name`, or null when the
// global is not a binding made here.
const void* BoundObject(const str& name);

// Used by the closures.
const void* Upvalue(lua_State* L);
int ToInt(lua_State* L, int index);
double ToNumber(lua_State* L, int index);
bool ToBool(lua_State* L, int index);
str ToStr(lua_State* L, int index);
void PushNumber(lua_State* L, double v);
void PushBool(lua_State* L, bool v);
void PushStr(lua_State* L, const str& v);
int GetTop(lua_State* L);
void SetTop(lua_State* L, int top);

template <class A>
struct Arg;
template <>
struct Arg<int> {
  static int Get(lua_State* L, int i) { return ToInt(L, i); }
};
template <>
struct Arg<unsigned> {
  static unsigned Get(lua_State* L, int i) { return unsigned(ToInt(L, i)); }
};
template <>
struct Arg<float> {
  static float Get(lua_State* L, int i) { return float(ToNumber(L, i)); }
};
template <>
struct Arg<double> {
  static double Get(lua_State* L, int i) { return ToNumber(L, i); }
};
template <>
struct Arg<bool> {
  static bool Get(lua_State* L, int i) { return ToBool(L, i); }
};
template <>
struct Arg<str> {
  static str Get(lua_State* L, int i) { return ToStr(L, i); }
};

inline int Push(lua_State* L, int v) {
  PushNumber(L, v);
  return 1;
}
inline int Push(lua_State* L, unsigned v) {
  PushNumber(L, v);
  return 1;
}
inline int Push(lua_State* L, float v) {
  PushNumber(L, v);
  return 1;
}
inline int Push(lua_State* L, double v) {
  PushNumber(L, v);
  return 1;
}
inline int Push(lua_State* L, bool v) {
  PushBool(L, v);
  return 1;
}
inline int Push(lua_State* L, const str& v) {
  PushStr(L, v);
  return 1;
}

template <class T, class M>
struct Record {
  T* object;
  M member;
};

template <class T, class M, class R, class... A, size_t... I>
int Invoke(lua_State* L, std::index_sequence<I...>) {
  const Record<T, M>* rec = static_cast<const Record<T, M>*>(Upvalue(L));
  if (!rec) return 0;
  if constexpr (std::is_void<R>::value) {
    (rec->object->*(rec->member))(Arg<std::decay_t<A>>::Get(L, int(I) + 1)...);
    return 0;
  } else {
    return Push(L, (rec->object->*(rec->member))(Arg<std::decay_t<A>>::Get(L, int(I) + 1)...));
  }
}

template <class T, class M, class R, class... A>
int Thunk(lua_State* L) {
  return Invoke<T, M, R, A...>(L, std::index_sequence_for<A...>{});
}
}  // namespace LuaBinding

// Binds the global `name` to `member` of `object`, replacing whatever the
// global held: the last object to bind a name receives its calls.
template <class T, class R, class... A>
void BindLuaMember(const str& name, T* object, R (T::*member)(A...)) {
  typedef R (T::*M)(A...);
  LuaBinding::Record<T, M> rec{object, member};
  LuaBinding::Bind(name, &LuaBinding::Thunk<T, M, R, A...>, &rec, sizeof rec);
}
template <class T, class R, class... A>
void BindLuaMember(const str& name, T* object, R (T::*member)(A...) const) {
  typedef R (T::*M)(A...) const;
  LuaBinding::Record<T, M> rec{object, member};
  LuaBinding::Bind(name, &LuaBinding::Thunk<T, M, R, A...>, &rec, sizeof rec);
}

// Sets the global `name` to nil.
void UnbindLuaMember(const str& name);
// Sets it to nil only while it is still bound to `object`, so an owner that
// dies after another object took the name over leaves the newer binding alone.
void UnbindLuaMember(const str& name, const void* object);

// The names one owner has bound; its destructor clears those still bound to
// the owner. Hold one as a member and bind through it.
class LuaNameSet {
 public:
  explicit LuaNameSet(const void* owner) : mOwner(owner) {}
  ~LuaNameSet() { UnbindAll(); }
  LuaNameSet(const LuaNameSet&) = delete;
  LuaNameSet& operator=(const LuaNameSet&) = delete;

  template <class T, class Member>
  void Bind(const str& name, T* object, Member member) {
    BindLuaMember(name, object, member);
    mNames.push_back(name);
  }
  void UnbindAll();
  const std::vector<str>& GetNames() const { return mNames; }

 private:
  const void* mOwner;
  std::vector<str> mNames;
};
