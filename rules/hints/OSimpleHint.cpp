#include "OSimpleHint.h"

#include "sdk/TPlatform.h"
#include "sdk/TStringTable.h"

int ParseHintKind(const str& text) {
  if (text == "big") return IHint::kBigHint;
  if (text == "autodelete") return IHint::kAutoDeleteHint;
  return IHint::kSmallHint;
}

str OSimpleHint::GetText() const {
  return TPlatform::GetInstance()->GetStringTable()->GetString(mTextKey);
}
