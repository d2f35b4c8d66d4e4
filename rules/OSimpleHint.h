#pragma once
// A hint with a string-table text, shown in a big (kind 0), self-deleting
// (kind 2) or small (any other kind) window. Stand-in: it only keeps what it
// was made with.

#include "IHint.h"
#include "sdk/str.h"

class OSimpleHint : public IHint {
 public:
  OSimpleHint(const str& textKey, const str& afterClose, bool deleteAfterShow, int kind)
      : mTextKey(textKey), mAfterClose(afterClose), mDeleteAfterShow(deleteAfterShow), mKind(kind) {}
  const str& GetTextKey() const { return mTextKey; }
  const str& GetAfterClose() const { return mAfterClose; }
  bool GetDeleteAfterShow() const { return mDeleteAfterShow; }
  int GetKind() const { return mKind; }

 private:
  str mTextKey;
  str mAfterClose;
  bool mDeleteAfterShow;
  int mKind;
};
