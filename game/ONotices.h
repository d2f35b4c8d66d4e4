#pragma once
// Notices the player must read that come up where no window can show them:
// preferences found damaged at start-up, a player's saved games that no
// longer read. They wait here until a screen's tick shows them, one at a
// time, in the dialog that "scripts/notice.lua" builds (named "notice").

#include <cstddef>

#include "sdk/str.h"

class ONotices {
 public:
  // `key` names the text in the string table, `fallback` serves a content
  // tree without it; each %s takes the next argument.
  static void Push(const str& key, const str& fallback, const str& a1 = str(), const str& a2 = str(),
                   const str& a3 = str());
  // Shows the oldest waiting notice, unless one is open already. Every
  // screen that can show a dialog calls it on its tick.
  static void ShowPending();
  // The text the next notice will show; "" when none waits.
  static str PeekText();
  static size_t GetPendingCount();
  static void Clear();

  static const char* const kScript;
  static const char* const kWindowName;
};
