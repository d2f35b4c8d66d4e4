#include "LuaUtils.h"

#include "game/LuaBinding.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPlatform.h"
#include "sdk/TRandom.h"
#include "sdk/TRenderer.h"
#include "sdk/TWindowManager.h"

namespace {
TRandom* gSharedRandom = nullptr;
const char* const kTempModalName = "temp_modal";
}  // namespace

TWindow* LoadWindowFromScript(const char* script, const char* child, uintptr_t classId) {
  TWindowManager* wm = TWindowManager::GetInstance();
  TModalWindow* modal = new TModalWindow();
  modal->SetName(kTempModalName);
  wm->PushModal(modal);
  wm->RunScript(modal, script ? script : "");

  TWindow* found = modal->GetChildWindow(child ? child : "", -1);
  if (found && !found->IsKindOf(classId)) found = nullptr;
  if (found && found->GetParent()) found->GetParent()->OrphanChild(found);

  // Pop our own modal window, not whatever is on top: a script that left a
  // modal of its own open would otherwise lose it and leave "temp_modal"
  // behind on the stack.
  wm->PopModal(modal);
  return found;
}

TWindow* FindAncestor(const TWindow* window, const str& name) {
  for (TWindow* w = window ? window->GetParent() : nullptr; w; w = w->GetParent())
    if (w->GetName() == name) return w;
  return nullptr;
}

bool FocusFieldAt(const TWindow* owner, const TPoint& local, TWindow* field) {
  if (!owner || !field) return false;
  TRect own = owner->GetWindowRect();
  if (!field->GetWindowRect().Contains(TPoint(local.x + own.left, local.y + own.top))) return false;
  TWindowManager::GetInstance()->SetFocus(field);
  return true;
}

TTextureRef RenderWindowToTexture(TWindow* window) {
  return TRenderer::GetInstance()->RenderWindowToTexture(window);
}

TRandom* GetSharedRandom() {
  if (!gSharedRandom) gSharedRandom = new TRandom(TPlatform::GetInstance()->Timer());
  return gSharedRandom;
}

void DeleteSharedRandom() {
  delete gSharedRandom;
  gSharedRandom = nullptr;
}

str LuaArgToStr(lua_State* L) {
  return LuaBinding::ToStr(L, 1);
}

str LuaQuoted(const str& text) {
  str out = "\"";
  for (unsigned char c : text) {
    // Decimal escapes of three digits, so a digit after one is not taken in.
    if (c == '"' || c == '\\' || c < 0x20 || c == 0x7f)
      out += str::format("\\%03d", int(c));
    else
      out += char(c);
  }
  return out + "\"";
}

LuaStackGuard::LuaStackGuard(lua_State* L) : mState(L), mTop(L ? LuaBinding::GetTop(L) : 0) {}

LuaStackGuard::~LuaStackGuard() {
  if (mState) LuaBinding::SetTop(mState, mTop);
}
