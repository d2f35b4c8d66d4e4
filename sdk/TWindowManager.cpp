#include "TWindowManager.h"

#include <algorithm>
#include <climits>
#include <lua.hpp>

#include "TButton.h"
#include "TImage.h"
#include "TModalWindow.h"
#include "TPlatform.h"
#include "TReport.h"
#include "TScript.h"
#include "TSlider.h"
#include "TText.h"
#include "TWindowStyle.h"

namespace {

TWindowManager* gInstance = nullptr;

// Counts a dispatch for as long as it runs, so modals popped inside it wait.
class TDispatchScope {
 public:
  explicit TDispatchScope(TWindowManager* wm) : mWm(wm) { wm->EnterDispatch(); }
  ~TDispatchScope() { mWm->LeaveDispatch(); }

 private:
  TWindowManager* mWm;
};

// Registers a list of windows being walked so that windows dying during the
// walk are nulled in it instead of dangling.
class TWalkScope {
 public:
  TWalkScope(std::vector<std::vector<TWindow*>*>& walks, std::vector<TWindow*>* list) : mWalks(walks) {
    mWalks.push_back(list);
  }
  ~TWalkScope() { mWalks.pop_back(); }

 private:
  std::vector<std::vector<TWindow*>*>& mWalks;
};

bool Within(const TWindow* root, const TWindow* w) {
  return w && (w == root || root->IsAncestorOf(w));
}

bool IsMouseEvent(uint32_t type) {
  return type == TEvent::kMouseDown || type == TEvent::kMouseUp || type == TEvent::kMouseMove ||
         type == TEvent::kExtendedMouse;
}

bool Deliver(TWindow* w, const TEvent& event, const TPoint& local) {
  switch (event.type) {
    case TEvent::kMouseDown:
      return w->OnMouseDown(local);
    case TEvent::kMouseUp:
      return w->OnMouseUp(local);
    case TEvent::kMouseMove:
      return w->OnMouseMove(local);
    case TEvent::kExtendedMouse:
      return w->OnExtendedMouseEvent(local, event.code);
  }
  return false;
}

}  // namespace

TWindowManager* TWindowManager::GetInstance() {
  if (!gInstance) gInstance = new TWindowManager();
  return gInstance;
}

TWindowManager* TWindowManager::Peek() {
  return gInstance;
}

void TWindowManager::DestroyInstance() {
  delete gInstance;
  gInstance = nullptr;
}

TWindowManager::TWindowManager() {
  AddWindowType("TWindow", &TWindow::Create);
  AddWindowType("TModalWindow", &TModalWindow::Create);
  AddWindowType("TButton", &TButton::Create);
  AddWindowType("TSlider", &TSlider::Create);
  AddWindowType("TText", &TText::Create);
  AddWindowType("TEditText", &TEditText::Create);
  AddWindowType("TImage", &TImage::Create);
}

TWindowManager::~TWindowManager() {
  mDispatchDepth = 0;
  DeletePending();
  // The root modal holds every modal above it; each removes itself from the
  // stack as it dies.
  while (!mModals.empty()) {
    TModalWindow* root = mModals.front();
    delete root;
    if (!mModals.empty() && mModals.front() == root) mModals.erase(mModals.begin());
  }
  DeletePending();
  // Last: window destructors may still unbind their Lua names.
  delete mScript;
  mScript = nullptr;
}

void TWindowManager::AddWindowType(const str& name, TWindowFactory factory) {
  if (!factory) return;
  if (!mTypes.count(name)) mTypeOrder.push_back(name);
  mTypes[name] = factory;
}

bool TWindowManager::HasWindowType(const str& name) const {
  return mTypes.count(name) != 0;
}

TWindow* TWindowManager::CreateWindowFromTable(const TLuaTable& table, TWindow* parent) {
  // The style may outlive this call (windows keep sub-tables), so it gets its
  // own reference to the table.
  lua_State* L = table.GetState();
  table.Push();
  TLuaTableRef ref(new TLuaTable(L, -1));
  lua_pop(L, 1);
  std::vector<const void*> path;
  return CreateFromRef(ref, parent, path);
}

TWindow* TWindowManager::CreateFromRef(TLuaTableRef table, TWindow* parent, std::vector<const void*>& path) {
  // Windows nest a handful of levels; far deeper is a mistake, and building
  // it would only exhaust the stack.
  const size_t kMaxNesting = 64;
  str type = table->GetString("type");
  str name = table->GetString("name");
  lua_State* L = table->GetState();
  table->Push();
  const void* self = lua_topointer(L, -1);
  lua_pop(L, 1);
  if (std::find(path.begin(), path.end(), self) != path.end()) {
    Report("window \"%s\": its table lists itself among its children; window not created", name.c_str());
    return nullptr;
  }
  if (path.size() >= kMaxNesting) {
    Report("window \"%s\": nested more than %d levels deep; window not created", name.c_str(),
           int(kMaxNesting));
    return nullptr;
  }
  auto it = mTypes.find(type);
  if (it == mTypes.end()) {
    Report("window \"%s\": unknown window type \"%s\"; window not created", name.c_str(), type.c_str());
    return nullptr;
  }
  TWindow* w = it->second();
  if (!w) {
    Report("window \"%s\": cannot create a window of type \"%s\"", name.c_str(), type.c_str());
    return nullptr;
  }
  w->SetName(name);
  w->SetWindowPos(table->GetInt("x"), table->GetInt("y"));
  w->SetWindowSize(table->GetInt("w"), table->GetInt("h"));
  TWindowStyle style(table);
  w->Init(style);
  // A modal window opens a layer of its own: made at top level or inside a
  // modal (a script's target is the top modal), it goes on the stack.
  if (w->IsKindOf(TModalWindow::ClassId()) && (!parent || parent->IsModal()))
    PushModal(static_cast<TModalWindow*>(w));
  else if (parent)
    parent->AdoptChild(w, true);
  int n = table->GetSize();
  path.push_back(self);
  for (int i = 1; i <= n; ++i) {
    TLuaTableRef child = table->GetTable(i);
    if (child)
      CreateFromRef(child, w, path);
    else
      Report("window \"%s\": child %d is not a table; skipped", name.c_str(), i);
  }
  path.pop_back();
  w->PostChildrenInit(style);
  return w;
}

void TWindowManager::PushModal(TModalWindow* modal) {
  if (!modal || std::find(mModals.begin(), mModals.end(), modal) != mModals.end()) return;
  auto pending = std::find(mPendingDelete.begin(), mPendingDelete.end(), modal);
  if (pending != mPendingDelete.end()) mPendingDelete.erase(pending);
  TModalWindow* below = GetTopModalWindow();
  if (below && modal->IsAncestorOf(below)) {
    Report("modal \"%s\" holds the top modal; not pushed", modal->GetName().c_str());
    return;
  }
  if (below)
    below->AdoptChild(modal, true);
  else if (modal->GetParent())
    modal->GetParent()->OrphanChild(modal);
  mModals.push_back(modal);
  modal->ResumeAt(TPlatform::GetInstance()->Timer());
  mInvalid = true;
}

void TWindowManager::PopModal(const str& name) {
  for (size_t i = mModals.size(); i-- > 0;)
    if (mModals[i]->GetName() == name) return RemoveFromStack(i);
}

void TWindowManager::PopModal(uint32_t id) {
  for (size_t i = mModals.size(); i-- > 0;)
    if (mModals[i]->GetID() == id) return RemoveFromStack(i);
}

void TWindowManager::PopModal(TModalWindow* modal) {
  for (size_t i = mModals.size(); i-- > 0;)
    if (mModals[i] == modal) return RemoveFromStack(i);
}

void TWindowManager::RemoveFromStack(size_t index) {
  // The modals above are its descendants and go with it.
  TModalWindow* modal = mModals[index];
  mModals.resize(index);
  if (modal->GetParent()) modal->GetParent()->OrphanChild(modal);
  mPendingDelete.push_back(modal);
  if (TModalWindow* top = GetTopModalWindow()) top->ResumeAt(TPlatform::GetInstance()->Timer());
  mInvalid = true;
}

TModalWindow* TWindowManager::GetTopModalWindow() const {
  return mModals.empty() ? nullptr : mModals.back();
}

TModalWindow* TWindowManager::GetRootModal() const {
  return mModals.empty() ? nullptr : mModals.front();
}

TWindow* TWindowManager::FindWindow(const str& name) const {
  for (auto it = mModals.rbegin(); it != mModals.rend(); ++it) {
    if ((*it)->GetName() == name) return *it;
    if (TWindow* w = (*it)->GetChildWindow(name, -1)) return w;
  }
  return nullptr;
}

void TWindowManager::HandleEvent(const TEvent& event) {
  {
    TDispatchScope busy(this);
    if (IsMouseEvent(event.type)) {
      DispatchMouse(event);
    } else if (event.type == TEvent::kMouseLeave) {
      LeaveHovered({});
    } else if (event.type == TEvent::kKeyDown || event.type == TEvent::kKeyUp ||
               event.type == TEvent::kChar) {
      DispatchKey(event);
    }
  }
  DeletePending();
}

void TWindowManager::CollectUnder(TWindow* w, const TPoint& p, const TRect& clip,
                                  std::vector<TWindow*>& out) const {
  if (!w->IsShown()) return;
  TRect rect = w->GetWindowRect();
  TRect inner = w->ClipsChildren() ? clip.Intersect(rect) : clip;
  if (inner.Contains(p)) {
    const std::vector<TWindow*>& children = w->GetChildren();
    for (size_t i = children.size(); i-- > 0;) CollectUnder(children[i], p, inner, out);
  }
  if (clip.Contains(p) && rect.Contains(p) && w->HitTest(w->ScreenToLocal(p))) out.push_back(w);
}

void TWindowManager::DispatchMouse(const TEvent& event) {
  TModalWindow* top = GetTopModalWindow();
  if (!top) return;
  const TPoint& p = event.point;
  // Front to back: deepest first, later siblings before earlier ones, each
  // window after its children; a window that does not take the event passes
  // it to the next.
  std::vector<TWindow*> under;
  CollectUnder(top, p, TRect(INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2), under);
  std::vector<TWindow*> tried;
  {
    TWalkScope walkUnder(mWalks, &under);
    if (event.type == TEvent::kMouseMove) {
      // The windows the mouse has left hear of it before the ones it is now
      // over hear of the move: what a window undoes on leaving (the
      // pointer's look) must not undo what the next one has just set.
      std::vector<TWindow*> stillUnder;
      for (TWindow* w : mHovered)
        if (std::find(under.begin(), under.end(), w) != under.end()) stillUnder.push_back(w);
      LeaveHovered(stillUnder);
    }
    TWalkScope walkTried(mWalks, &tried);
    for (size_t i = 0; i < under.size(); ++i) {
      TWindow* w = under[i];
      if (!w) continue;
      // A handler that pushed a modal has moved input above this one.
      if (GetTopModalWindow() != top) break;
      tried.push_back(w);
      if (Deliver(w, event, w->ScreenToLocal(p))) break;
    }
  }
  tried.erase(std::remove(tried.begin(), tried.end(), nullptr), tried.end());
  if (event.type == TEvent::kMouseMove) {
    mHover = tried.empty() ? nullptr : tried.back();
    LeaveHovered(tried);
  }
  // Listeners follow moves (and the release that ends a drag) wherever the
  // mouse is, within the top modal only.
  if (event.type != TEvent::kMouseMove && event.type != TEvent::kMouseUp) return;
  std::vector<TWindow*> listeners = mMouseListeners;
  TWalkScope walkListeners(mWalks, &listeners);
  for (size_t i = 0; i < listeners.size(); ++i) {
    TWindow* w = listeners[i];
    if (!w || std::find(tried.begin(), tried.end(), w) != tried.end()) continue;
    top = GetTopModalWindow();
    if (!top || !Within(top, w) || !w->IsVisibleOnScreen()) continue;
    Deliver(w, event, w->ScreenToLocal(p));
  }
}

void TWindowManager::LeaveHovered(const std::vector<TWindow*>& stillHovered) {
  std::vector<TWindow*> left;
  for (TWindow* w : mHovered)
    if (std::find(stillHovered.begin(), stillHovered.end(), w) == stillHovered.end()) left.push_back(w);
  mHovered = stillHovered;
  if (stillHovered.empty()) mHover = nullptr;
  TWalkScope walk(mWalks, &left);
  for (size_t i = 0; i < left.size(); ++i)
    if (left[i]) left[i]->OnMouseLeave();
}

void TWindowManager::DispatchKey(const TEvent& event) {
  TModalWindow* top = GetTopModalWindow();
  if (!top) return;
  // A focus window that has left the modal's tree no longer counts.
  TWindow* target = top->GetFocus();
  if (!Within(top, target)) target = top->GetDefaultFocus();
  if (!Within(top, target)) target = top;
  switch (event.type) {
    case TEvent::kKeyDown:
      target->OnKeyDown(event.key, event.flags);
      break;
    case TEvent::kKeyUp:
      target->OnKeyUp(event.key, event.flags);
      break;
    case TEvent::kChar:
      target->OnChar(event.key);
      break;
  }
}

bool TWindowManager::SendMessage(TWindow* from, const TMessage& msg) {
  if (!from) return false;
  TMessage m = msg;
  if (!m.sender) m.sender = from;
  if (m.senderName.empty()) m.senderName = from->GetName();
  TDispatchScope busy(this);
  // Up to the sender's own modal, never into the modals below it. The chain
  // is taken first: a handler that does not take the message may still
  // delete windows on it.
  std::vector<TWindow*> chain;
  for (TWindow* w = from->GetParent(); w; w = w->GetParent()) {
    chain.push_back(w);
    if (w->IsModal()) break;
  }
  TWalkScope walk(mWalks, &chain);
  for (size_t i = 0; i < chain.size(); ++i)
    if (chain[i] && chain[i]->OnMessage(m)) return true;
  return false;
}

void TWindowManager::AddMouseListener(TWindow* w) {
  if (w && std::find(mMouseListeners.begin(), mMouseListeners.end(), w) == mMouseListeners.end())
    mMouseListeners.push_back(w);
}

void TWindowManager::RemoveMouseListener(TWindow* w) {
  mMouseListeners.erase(std::remove(mMouseListeners.begin(), mMouseListeners.end(), w),
                        mMouseListeners.end());
}

void TWindowManager::SetFocus(TWindow* w) {
  TModalWindow* modal = w ? w->FindParentModal() : GetTopModalWindow();
  if (modal) modal->SetFocus(w);
}

TWindow* TWindowManager::GetFocus() const {
  TModalWindow* top = GetTopModalWindow();
  return top ? top->GetFocus() : nullptr;
}

TScript* TWindowManager::GetScript() {
  if (!mScript) mScript = new TScript();
  return mScript;
}

bool TWindowManager::RunScript(TWindow* window, const str& path) {
  TScript* script = GetScript();
  TDispatchScope busy(this);
  mTargets.push_back(window);
  bool ok = script->RunScript(path);
  mTargets.pop_back();
  return ok;
}

bool TWindowManager::DoLuaString(TWindow* window, const str& code) {
  TScript* script = GetScript();
  TDispatchScope busy(this);
  mTargets.push_back(window);
  bool ok = script->DoLuaString(code, 0, 0);
  mTargets.pop_back();
  return ok;
}

TWindow* TWindowManager::GetScriptTarget() const {
  // A null target (none given, or it died during the script) means whatever
  // modal is on top now: a script may push the modal it then fills.
  if (!mTargets.empty() && mTargets.back()) return mTargets.back();
  return GetTopModalWindow();
}

void TWindowManager::DeleteLater(TWindow* w) {
  if (w && std::find(mPendingWindows.begin(), mPendingWindows.end(), w) == mPendingWindows.end())
    mPendingWindows.push_back(w);
}

void TWindowManager::DeletePending() {
  if (mDispatchDepth > 0) return;
  while (!mPendingWindows.empty()) {
    TWindow* w = mPendingWindows.back();
    mPendingWindows.pop_back();
    // Adopted again meanwhile: its new parent owns it now.
    if (!w->GetParent()) delete w;
  }
  while (!mPendingDelete.empty()) {
    TModalWindow* modal = mPendingDelete.back();
    mPendingDelete.pop_back();
    delete modal;
  }
  // A call may ask for another; that one waits for the next idle moment.
  std::vector<void (*)()> calls;
  calls.swap(mIdleCalls);
  for (void (*call)() : calls) call();
}

void TWindowManager::CallWhenIdle(void (*call)()) {
  if (call && std::find(mIdleCalls.begin(), mIdleCalls.end(), call) == mIdleCalls.end())
    mIdleCalls.push_back(call);
}

void TWindowManager::OnWindowDestroyed(TWindow* w) {
  TModalWindow* top = GetTopModalWindow();
  mModals.erase(std::remove(mModals.begin(), mModals.end(), w), mModals.end());
  mPendingDelete.erase(std::remove(mPendingDelete.begin(), mPendingDelete.end(), w), mPendingDelete.end());
  mPendingWindows.erase(std::remove(mPendingWindows.begin(), mPendingWindows.end(), w),
                        mPendingWindows.end());
  RemoveMouseListener(w);
  mHovered.erase(std::remove(mHovered.begin(), mHovered.end(), w), mHovered.end());
  for (TWindow*& t : mTargets)
    if (t == w) t = nullptr;
  for (std::vector<TWindow*>* walk : mWalks)
    for (TWindow*& t : *walk)
      if (t == w) t = nullptr;
  if (mHover == w) mHover = nullptr;
  if (mCapture == w) mCapture = nullptr;
  for (TModalWindow* m : mModals) m->ForgetWindow(w);
  for (TModalWindow* m : mPendingDelete) m->ForgetWindow(w);
  if (TModalWindow* own = w->FindParentModal())
    if (own != w) own->ForgetWindow(w);
  TModalWindow* newTop = GetTopModalWindow();
  if (newTop && newTop != top) newTop->ResumeAt(TPlatform::GetInstance()->Timer());
}

void TWindowManager::RunAnimations(uint32_t platformNow) {
  TModalWindow* top = GetTopModalWindow();
  if (!top) return;
  TDispatchScope busy(this);
  top->AdvanceTo(platformNow);
}

void TWindowManager::DrawAll() {
  if (TModalWindow* root = GetRootModal()) root->DoDraw();
  mInvalid = false;
}

TWindow* TWindowManager::GetWindowUnder(const TPoint& screen) const {
  TModalWindow* top = GetTopModalWindow();
  if (!top) return nullptr;
  std::vector<TWindow*> under;
  CollectUnder(top, screen, TRect(INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2), under);
  return under.empty() ? nullptr : under.front();
}
