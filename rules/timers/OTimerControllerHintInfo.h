#pragma once
// A timer controller's timed hint: its text translated once when the guide
// was read, shown when the controller's time comes down to its time. Its
// controller owns it and may queue it again; the queue never deletes it.

#include <cstdint>

#include "rules/hints/IHint.h"

class OTimerControllerHintInfo : public IHint {
 public:
  OTimerControllerHintInfo(const str& text, const str& afterCloseAction, int32_t timeMs)
      : IHint(afterCloseAction, false, kSmallHint), mText(text), mTime(timeMs) {}
  str GetText() const override { return mText; }
  // Milliseconds left on the controller when the hint is due.
  int32_t GetTime() const { return mTime; }

 private:
  str mText;
  int32_t mTime;
};
