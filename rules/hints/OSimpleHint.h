#pragma once
// A hint whose text is a string-table key.

#include "IHint.h"

class OSimpleHint : public IHint {
 public:
  OSimpleHint(const str& textKey, const str& afterCloseAction, bool deleteAfterShowing, int kind)
      : IHint(afterCloseAction, deleteAfterShowing, kind), mTextKey(textKey) {}
  str GetText() const override;
  const str& GetTextKey() const { return mTextKey; }

 private:
  str mTextKey;
};
