#pragma once
// Small helpers shared by windows that scripts build: the window down-cast
// that tests class identity, the loader that builds a window from a Lua
// script inside a throw-away modal window and the renderer that turns such a
// window into a texture, the process-wide random generator, and three Lua
// conveniences.

#include <cstdint>

#include "sdk/TTexture.h"
#include "sdk/TWindow.h"
#include "sdk/str.h"

struct lua_State;
class TRandom;

// The window as class T when its IsKindOf accepts T's class id, else null.
template <class T>
T* WindowCast(TWindow* window) {
  return window && window->IsKindOf(T::ClassId()) ? static_cast<T*>(window) : nullptr;
}
template <class T>
const T* WindowCast(const TWindow* window) {
  return window && window->IsKindOf(T::ClassId()) ? static_cast<const T*>(window) : nullptr;
}

// The nearest ancestor of `window` named `name` (its parent first), or null.
TWindow* FindAncestor(const TWindow* window, const str& name);

// A press at `local` (a point of `owner`) inside `field`'s rectangle gives
// `field` the input focus: how the menus with a text field let the player
// type into it. Returns whether it did.
bool FocusFieldAt(const TWindow* owner, const TPoint& local, TWindow* field);

// Runs `script` inside a new modal window named "temp_modal" and takes out its
// descendant `child`, which must be of kind `classId`. The caller owns the
// result (normally adopting it at once); null when the child is missing, of
// another class, or the script failed. The modal window and whatever else the
// script built in it are handed back to the window manager.
TWindow* LoadWindowFromScript(const char* script, const char* child, uintptr_t classId);
inline TWindow* LoadWindowFromScript(const char* script, const char* child) {
  return LoadWindowFromScript(script, child, TWindow::ClassId());
}
template <class T>
T* LoadWindowFromScript(const char* script, const char* child) {
  return static_cast<T*>(LoadWindowFromScript(script, child, T::ClassId()));
}

// The window and its children drawn into a new texture of the window's size,
// its top-left on the texture's (0, 0), over transparent black: how texts
// laid out by a script become pictures. The caller keeps the window.
TTextureRef RenderWindowToTexture(TWindow* window);

// The one shared generator, made and seeded with TPlatform::Timer() on the
// first request after start or after DeleteSharedRandom.
TRandom* GetSharedRandom();
// Destroying a state animation drops the shared generator; the next request
// makes a fresh one.
void DeleteSharedRandom();

// Argument 1 of a Lua call as text; "" when it is missing or not a string.
str LuaArgToStr(lua_State* L);
// `text` as a Lua string literal that reads back byte for byte, for code
// built in C++ that carries a text from outside (a path, a player's name).
str LuaQuoted(const str& text);

// Restores the Lua stack top it found when its scope ends, however it ends.
class LuaStackGuard {
 public:
  explicit LuaStackGuard(lua_State* L);
  ~LuaStackGuard();
  LuaStackGuard(const LuaStackGuard&) = delete;
  LuaStackGuard& operator=(const LuaStackGuard&) = delete;

 private:
  lua_State* mState;
  int mTop;
};
