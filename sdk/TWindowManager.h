#pragma once
// Window types, the modal stack, scripts and event delivery.

#include <map>
#include <memory>
#include <vector>

#include "TEvent.h"
#include "TWindow.h"
#include "str.h"

class TModalWindow;
class TScript;
class TLuaTable;
class TWindowStyle;

class TWindowManager {
public:
  static TWindowManager* GetInstance();
  static void DestroyInstance();

  void AddWindowType(const str& name, TWindowFactory factory);
  bool HasWindowType(const str& name) const;
  const std::vector<str>& GetWindowTypeNames() const { return mTypeOrder; }
  // Builds a window from a Lua table: factory of `type`, name and rectangle
  // (x, y, w, h), Init, the children (the table's array part), then
  // PostChildrenInit. An unknown type gives null and a message.
  TWindow* CreateWindowFromTable(const TLuaTable& table, TWindow* parent);

  // The new modal becomes a child of the previous top modal.
  void PushModal(TModalWindow* modal);
  // Unlinks at once; deletes after the current event or tick has returned. A
  // name not on the stack does nothing.
  void PopModal(const str& name);
  void PopModal(uint32_t id);
  void PopModal(TModalWindow* modal);
  TModalWindow* GetTopModalWindow() const;
  TModalWindow* GetRootModal() const;
  const std::vector<TModalWindow*>& GetModalStack() const { return mModals; }

  // Delivers input to the top modal.
  void HandleEvent(const TEvent& event);
  // Sends a message from a control up its ancestors, stopping at the modal.
  bool SendMessage(TWindow* from, const TMessage& msg);

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
  TWindow* GetScriptTarget() const;

  // Internal to the layer.
  void DeletePending();                 // after each event and tick
  void OnWindowDestroyed(TWindow* w);   // clears every pointer to it
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
  std::vector<TWindow*> mMouseListeners;
  std::vector<TWindow*> mTargets;  // script target stack
  TWindow* mHover = nullptr;       // window under the mouse last time
  TWindow* mCapture = nullptr;     // window that took the last mouse-down
  TScript* mScript = nullptr;
  bool mInvalid = true;
  int mDispatchDepth = 0;
};
