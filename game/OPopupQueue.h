#pragma once
// Short messages to the player, shown one at a time in the one popup window,
// in the layer the current scene provides. Senders push texts already taken
// from the string table.

#include <deque>

#include "sdk/str.h"

class GPopup;
class TWindow;

class OPopupQueue {
 public:
  static OPopupQueue* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  void Push(const str& text);
  // The string table's text for `key`, or `fallback` for a content tree
  // that lacks it: the player is told either way.
  void PushString(const char* key, const char* fallback);
  // One tick: takes the next text when the popup is free, counts the shown
  // one and hides it when its ticks are over.
  void Update();
  // The scenes give their popup layer when made and null when destroyed; a
  // popup on show moves to the new layer without restarting its count, also
  // when the old scene went before the new one came.
  void SetParentLayer(TWindow* layer);
  TWindow* GetParentLayer() const { return mLayer; }

  // Builds the popup from "scripts/popup.lua" in a temporary modal window;
  // null when the script gives no "popup" of this kind.
  static GPopup* CreatePopupWindow();

  GPopup* GetPopup() const { return mPopup; }
  const std::deque<str>& GetPending() const { return mPending; }

 private:
  OPopupQueue();
  ~OPopupQueue();
  OPopupQueue(const OPopupQueue&) = delete;
  OPopupQueue& operator=(const OPopupQueue&) = delete;

  GPopup* mPopup = nullptr;   // owned
  TWindow* mLayer = nullptr;  // not owned
  std::deque<str> mPending;
  static OPopupQueue* sInstance;
};
