#include "OFlagAction.h"

#include "game/OFlagsRegistry.h"

void OFlagAction::Execute() {
  OFlagsRegistry::GetInstance()->SetValue(mName, mValue);
}
