#include "TLuaApi.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <lua.hpp>
#include <string>
#include <vector>

#include "TEvent.h"
#include "TModalWindow.h"
#include "TPlatform.h"
#include "TReport.h"
#include "TScript.h"
#include "TStringTable.h"
#include "TText.h"
#include "TWindowManager.h"

namespace {

// Each global is a body that returns its count of results, or -1 with an
// error message. Lua errors unwind with longjmp, which would skip the
// destructors of C++ locals, so a body never raises one itself: Guard raises
// it after the body's locals are gone.
typedef int (*Body)(lua_State* L, std::string& error);

template <Body body>
int Guard(lua_State* L) {
  int results;
  {
    std::string error;
    try {
      results = body(L, error);
    } catch (const std::exception& e) {
      error = e.what();
      results = -1;
    }
    if (results < 0) {
      luaL_where(L, 1);
      lua_pushstring(L, error.c_str());
      lua_concat(L, 2);
    }
  }
  if (results < 0) return lua_error(L);
  return results;
}

str ArgString(lua_State* L, int index) {
  size_t len = 0;
  const char* s = lua_isstring(L, index) ? lua_tolstring(L, index, &len) : nullptr;
  return s ? str(std::string(s, len)) : str();
}

// Raw, so a metatable on the globals cannot raise an error from a body.
void SetGlobal(lua_State* L, const char* name) {
  lua_pushstring(L, name);
  lua_insert(L, -2);
  lua_rawset(L, LUA_GLOBALSINDEX);
}

void SetGlobalString(lua_State* L, const char* name, const str& value) {
  lua_pushlstring(L, value.data(), value.size());
  SetGlobal(L, name);
}

// DoModal and DisplayDialog run their script with no target: its windows go
// to the top modal, and a modal window it builds is pushed above it.
bool RunModalScript(const str& path) {
  return TWindowManager::GetInstance()->RunScript(nullptr, path);
}

// Window{type=..., name=..., x=, y=, w=, h=, <style keys>, {child}, ...}
int Window(lua_State* L, std::string& error) {
  if (lua_type(L, 1) != LUA_TTABLE) {
    error = "Window expects a table";
    return -1;
  }
  TWindowManager* wm = TWindowManager::GetInstance();
  TLuaTable table(L, 1);
  TWindow* window = wm->CreateWindowFromTable(table, wm->GetScriptTarget());
  if (!window) return 0;
  const std::vector<TModalWindow*>& stack = wm->GetModalStack();
  if (!window->GetParent() && std::find(stack.begin(), stack.end(), window) == stack.end()) {
    // Nothing would ever draw or delete it.
    Report("window \"%s\" has no parent window and is not a modal window; deleted",
           window->GetName().c_str());
    delete window;
    return 0;
  }
  lua_pushlstring(L, window->GetName().data(), window->GetName().size());
  return 1;
}

// DoModal(path): the script runs with no target, so the modal window it
// builds at top level is pushed on the modal stack.
int DoModal(lua_State* L, std::string& error) {
  if (!lua_isstring(L, 1)) {
    error = "DoModal expects a script path";
    return -1;
  }
  lua_pushboolean(L, RunModalScript(ArgString(L, 1)));
  return 1;
}

// PopModal(name) or PopModal(id).
int PopModal(lua_State* L, std::string& error) {
  TWindowManager* wm = TWindowManager::GetInstance();
  if (lua_type(L, 1) == LUA_TNUMBER) {
    // Ids are whole and positive; anything else names no window.
    double id = lua_tonumber(L, 1);
    if (id >= 0 && id <= double(UINT32_MAX)) wm->PopModal(uint32_t(id));
  } else if (lua_type(L, 1) == LUA_TSTRING) {
    wm->PopModal(ArgString(L, 1));
  } else {
    error = "PopModal expects a window name";
    return -1;
  }
  return 0;
}

// CloseWindow(): pops the modal window on top.
int CloseWindow(lua_State* L, std::string& error) {
  TWindowManager* wm = TWindowManager::GetInstance();
  if (TModalWindow* top = wm->GetTopModalWindow()) wm->PopModal(top);
  return 0;
}

// DisplayDialog{path, title=, body=, yes=function}: sets the globals
// dialog_title, dialog_body and dialog_yes, then runs the dialog script as
// DoModal does. The script reads the globals while it builds its window; a
// yes button keeps dialog_yes in a local so a later dialog cannot replace it.
int DisplayDialog(lua_State* L, std::string& error) {
  if (lua_type(L, 1) != LUA_TTABLE) {
    error = "DisplayDialog expects a table";
    return -1;
  }
  str path;
  {
    TLuaTable args(L, 1);
    path = args.GetString(1, args.GetString("path", "scripts/yesno.lua"));
    SetGlobalString(L, "dialog_title", args.GetString("title"));
    SetGlobalString(L, "dialog_body", args.GetString("body"));
    args.PushField("yes");
    if (!lua_isfunction(L, -1)) {
      lua_pop(L, 1);
      lua_pushnil(L);
    }
    SetGlobal(L, "dialog_yes");
  }
  lua_pushboolean(L, RunModalScript(path));
  return 1;
}

// SendGameMessage("quit") queues the quit event.
int SendGameMessage(lua_State* L, std::string& error) {
  str message = ArgString(L, 1);
  if (message == "quit") {
    TEvent event;
    event.type = TEvent::kQuit;
    TPlatform::GetInstance()->QueueEvent(event);
  } else {
    Report("SendGameMessage: unknown message \"%s\"", message.c_str());
  }
  return 0;
}

// GetString(key, ...): the string table's text, with up to five arguments.
int GetString(lua_State* L, std::string& error) {
  if (!lua_isstring(L, 1)) {
    error = "GetString expects a key";
    return -1;
  }
  str args[5];
  for (int i = 0; i < 5; ++i) {
    int index = 2 + i;
    if (lua_type(L, index) == LUA_TBOOLEAN)
      args[i] = lua_toboolean(L, index) ? "true" : "false";
    else
      args[i] = ArgString(L, index);
  }
  str text = TPlatform::GetInstance()->GetStringTable()->GetString(ArgString(L, 1), args[0], args[1], args[2],
                                                                   args[3], args[4]);
  lua_pushlstring(L, text.data(), text.size());
  return 1;
}

TText* FindText(const str& name) {
  TWindow* w = TWindowManager::GetInstance()->FindWindow(name);
  return w && w->IsKindOf(TText::ClassId()) ? static_cast<TText*>(w) : nullptr;
}

// GetText(name): the text of the named text window or edit field, or the
// label of the named button, searched in the modal stack from the top; nil
// when there is none.
int GetText(lua_State* L, std::string& error) {
  const str* text = ShownText(TWindowManager::GetInstance()->FindWindow(ArgString(L, 1)));
  if (!text) return 0;
  lua_pushlstring(L, text->data(), text->size());
  return 1;
}

// SetText(name, text): puts text in the named text window; a name that is
// no text window is reported.
int SetText(lua_State* L, std::string& error) {
  str name = ArgString(L, 1);
  TText* text = FindText(name);
  if (text)
    text->SetText(ArgString(L, 2));
  else
    Report("SetText: no text window \"%s\"", name.c_str());
  return 0;
}

// ShowWindow(name, shown): shows or hides the named window; a name no
// window has is reported.
int ShowWindow(lua_State* L, std::string& error) {
  str name = ArgString(L, 1);
  if (TWindow* window = TWindowManager::GetInstance()->FindWindow(name))
    window->Show(lua_toboolean(L, 2) != 0);
  else
    Report("ShowWindow: no window \"%s\"", name.c_str());
  return 0;
}

}  // namespace

void RegisterLuaApi(TScript& script) {
  static const luaL_Reg functions[] = {
      {"Window", Guard<Window>},
      {"DoModal", Guard<DoModal>},
      {"PopModal", Guard<PopModal>},
      {"CloseWindow", Guard<CloseWindow>},
      {"DisplayDialog", Guard<DisplayDialog>},
      {"SendGameMessage", Guard<SendGameMessage>},
      {"GetString", Guard<GetString>},
      {"GetText", Guard<GetText>},
      {"SetText", Guard<SetText>},
      {"ShowWindow", Guard<ShowWindow>},
  };
  lua_State* L = script.GetState();
  for (const luaL_Reg& f : functions) {
    lua_pushcfunction(L, f.func);
    lua_setfield(L, LUA_GLOBALSINDEX, f.name);
  }
}
