#include "OHintAction.h"

#include "rules/hints/OHintsManager.h"
#include "rules/hints/OSimpleHint.h"

void OHintAction::Execute() {
  OHintsManager::GetInstance()->QueueHint(new OSimpleHint(mTextKey, mAfterCloseAction, true, mKind));
}
