#pragma once
// A hint waiting for its window: the text it shows, the composite action run
// when its window closes, and the window's kind. The queue of the hints
// manager owns a hint only while its delete-after-showing flag is set; other
// hints (guide hints, timer hints) belong to whoever made them.

#include "sdk/str.h"

// "big" gives kBigHint, "autodelete" kAutoDeleteHint, anything else (the
// empty text included) kSmallHint.
int ParseHintKind(const str& text);

class IHint {
 public:
  enum { kBigHint = 0, kSmallHint = 1, kAutoDeleteHint = 2 };

  IHint(const str& afterCloseAction, bool deleteAfterShowing, int kind)
      : mAfterCloseAction(afterCloseAction), mDeleteAfterShowing(deleteAfterShowing), mKind(kind) {}
  virtual ~IHint() = default;
  // Looked up when the window opens, so a string table changed in between
  // is honoured.
  virtual str GetText() const = 0;

  str GetAfterCloseAction() const { return mAfterCloseAction; }
  bool IsDeleteAfterShowing() const { return mDeleteAfterShowing; }
  int GetKind() const { return mKind; }

 private:
  str mAfterCloseAction;
  bool mDeleteAfterShowing;
  int mKind;
};
