#include "OHintAction.h"

#include "OHintsManager.h"
#include "OSimpleHint.h"

void OHintAction::Execute() {
  OHintsManager::GetInstance()->QueueHint(new OSimpleHint(mTextKey, mAfterCloseAction, true, mKind));
}
