#pragma once
// Window types, the modal stack, scripts and event delivery.

#include <boost/shared_ptr.hpp>
#include <map>
#include <memory>
#include <vector>

#include "TEvent.h"
#include "TWindow.h"
#include "str.h"

class TModalWindow;
class TScript;
class TLuaTable;
typedef boost::shared_ptr<TLuaTable> TLuaTableRef;
class TWindowStyle;

class TWindowManager {
 public:
  static TWindowManager* GetInstance();
  // The instance if one exists; never creates it (for destructors).
  static TWindowManager* Peek();
  static void DestroyInstance();

  void AddWindowType(const str& name, TWindowFactory factory);
  bool HasWindowType(const str& name) const;
  const std::vector<str>& GetWindowTypeNames() const { return mTypeOrder; }
  // Builds a window from a Lua table: factory of `type`, name and rectangle
  // (x, y, w, h), Init, the children (the table's array part), then
  // PostChildrenInit. An unknown type gives null and a message. A modal window
  // made with no parent, or with a modal as parent (a script's target), is
  // pushed on the modal stack instead of adopted.
  TWindow* CreateWindowFromTable(const TLuaTable& table, TWindow* parent);

  // The new modal becomes a child of the previous top modal.
  void PushModal(TModalWindow* modal);
  // Unlinks at once; deletes after the current event or tick has returned. A
  // name not on the stack does nothing.
  void PopModal(const str& name);
  void PopModal(uint32_t id);
  void PopModal(TModalWindow* modal);
  // Deletes a window that has left the tree once the dispatch now running
  // (an event, a tick, a script building windows) has returned; a window
  // may so remove itself while its parent is still being built.
  void DeleteLater(TWindow* w);
  TModalWindow* GetTopModalWindow() const;
  TModalWindow* GetRootModal() const;
  // The window of that name, a modal window or one inside it, searching the
  // modal stack from the top; null when there is none.
  TWindow* FindWindow(const str& name) const;
  const std::vector<TModalWindow*>& GetModalStack() const { return mModals; }

  // Delivers input to the top modal. Mouse events go to the front-most shown
  // window under the point and fall through what does not take them; keys go
  // to the top modal's focus, else its default focus, else the modal.
  void HandleEvent(const TEvent& event);
  // Sends a message from a control up its ancestors, stopping at the modal.
  bool SendMessage(TWindow* from, const TMessage& msg);

  // A listener also gets mouse moves and the mouse-up outside its rectangle
  // (while it is inside the top modal), so a drag or press can end anywhere.
  void AddMouseListener(TWindow* w);
  void RemoveMouseListener(TWindow* w);
  void SetFocus(TWindow* w);
  TWindow* GetFocus() const;
  void InvalidateScreen() { mInvalid = true; }

  TScript* GetScript();
  // What the script creates at top level becomes a child of `window` (null:
  // the top modal). Paths are relative to the content root.
  bool RunScript(TWindow* window, const str& path);
  bool DoLuaString(TWindow* window, const str& code);
  // The window scripts create into: the running script's target, or the top
  // modal when it has none.
  TWindow* GetScriptTarget() const;

  // Internal to the layer.
  // While any dispatch (an event, a tick's tasks, a script) is running, popped
  // modals wait; DeletePending frees them once the outermost one returns.
  void EnterDispatch() { ++mDispatchDepth; }
  void LeaveDispatch() { --mDispatchDepth; }
  bool IsDispatching() const { return mDispatchDepth > 0; }
  void DeletePending();  // after each event and tick
  // Runs `call` once when the current event or tick has returned, after the
  // popped modals are freed: for objects that must outlive the callers
  // still holding them. Added twice before it runs, it runs once.
  void CallWhenIdle(void (*call)());
  void OnWindowDestroyed(TWindow* w);  // clears every pointer to it
  void RunAnimations(uint32_t platformNow);
  void DrawAll();
  TWindow* GetWindowUnder(const TPoint& screen) const;

  TWindowManager();
  ~TWindowManager();

 private:
  std::map<str, TWindowFactory> mTypes;
  std::vector<str> mTypeOrder;
  std::vector<TModalWindow*> mModals;
  std::vector<TModalWindow*> mPendingDelete;
  std::vector<TWindow*> mPendingWindows;
  std::vector<void (*)()> mIdleCalls;
  std::vector<TWindow*> mMouseListeners;
  std::vector<TWindow*> mTargets;  // script target stack
  TWindow* mHover = nullptr;       // window under the mouse last time
  TWindow* mCapture = nullptr;     // window that took the last mouse-down
  TScript* mScript = nullptr;
  bool mInvalid = true;
  int mDispatchDepth = 0;
  // Windows that got the last mouse move; the ones a move no longer reaches
  // get OnMouseLeave.
  std::vector<TWindow*> mHovered;
  // Window lists being walked by a dispatch; a window that dies meanwhile is
  // nulled in them.
  std::vector<std::vector<TWindow*>*> mWalks;

  void DispatchMouse(const TEvent& event);
  void DispatchKey(const TEvent& event);
  void LeaveHovered(const std::vector<TWindow*>& stillHovered);
  void CollectUnder(TWindow* w, const TPoint& p, const TRect& clip, std::vector<TWindow*>& out) const;
  void RemoveFromStack(size_t index);
  // `path` holds the tables of the windows being built above this one, so a
  // table that lists itself (or an ancestor) as a child is caught.
  TWindow* CreateFromRef(TLuaTableRef table, TWindow* parent, std::vector<const void*>& path);
};
