#include "OMission.h"

#include "OMissionsManager.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kPredecessorMission = "predecessor_mission";
const char* const kShown = "shown";
}  // namespace

str OMission::GetPredecessorMission() const {
  return mElement ? mElement->GetAttribute(kPredecessorMission) : str();
}

bool OMission::OnEvent(TXmlNode* event) {
  // Read on every event, as the element may name a mission that is not
  // there: such a name is no predecessor (reported once at load).
  str predecessor = GetPredecessorMission();
  if (!predecessor.empty()) {
    OMission* before = OMissionsManager::GetInstance()->FindMission(predecessor);
    if (before && !before->IsCompleted()) return false;
  }
  return OMissionUnit<OMissionTask>::OnEvent(event);
}

void OMission::Save(TXmlNode* element) const {
  if (!element) return;
  OMissionUnit<OMissionTask>::Save(element);
  element->SetAttribute(kShown, mShown ? "true" : "false");
}

void OMission::Load(TXmlNode* element) {
  if (!element) return;
  OMissionUnit<OMissionTask>::Load(element);
  mShown = element->GetAttribute(kShown) == "true";
}
