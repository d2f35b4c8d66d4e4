#include "GAutoDeleteHint.h"

#include <cstdlib>

#include "game/OGameConfig.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/LuaUtils.h"

GAutoDeleteHint::GAutoDeleteHint() {
  TXmlNode* hint = OGameConfig::GetInstance()->GetGameScreenChild("hint");
  if (hint)
    mAutoDeleteTicks = int(std::strtol(hint->GetChildContent("autodelete_ticks").c_str(), nullptr, 10));
}

void GAutoDeleteHint::Tick() {
  ++mTickCount;
  if (mTickCount > mAutoDeleteTicks) Close();
}

GAutoDeleteHint* CreateAutoDeleteHintWindow() {
  return LoadWindowFromScript<GAutoDeleteHint>("scripts/hint_autodelete.lua", "hint");
}
