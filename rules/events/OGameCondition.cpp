#include "OGameCondition.h"

#include "OMissionTask.h"
#include "OMissionsManager.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kGroup = "group";
const char* const kPredecessorTask = "predecessor_task";
const char* const kCompleted = "completed";
}  // namespace

OGameCondition::OGameCondition(TXmlNode* element) : mElement(element) {
  if (mElement) mPredecessorTask = mElement->GetAttribute(kPredecessorTask);
}

bool OGameCondition::MatchesElement(TXmlNode* pattern, TXmlNode* event) {
  if (!pattern || !event) return false;
  str name, value;
  event->ResetAttributes();
  while (event->GetNextAttribute(&name, &value)) {
    // Every attribute of the pattern under this name must agree, and there
    // must be at least one.
    bool seen = false;
    str patternName, patternValue;
    pattern->ResetAttributes();
    while (pattern->GetNextAttribute(&patternName, &patternValue)) {
      if (patternName != name) continue;
      if (patternValue != value && patternValue != "*") return false;
      seen = true;
    }
    if (!seen) return false;
  }
  return true;
}

bool OGameCondition::Match(TXmlNode* event) {
  if (mCompleted || !mElement) return false;
  if (!mPredecessorTask.empty()) {
    // A name no task carries is no predecessor at all; the missions manager
    // reports such names once, when it reads the missions.
    OMissionTask* task = OMissionsManager::GetInstance()->FindTask(mPredecessorTask);
    if (task && !task->IsCompleted()) return false;
  }
  bool matched = false;
  if (mElement->GetName() == kGroup) {
    for (size_t i = 0; i < mElement->GetChildCount() && !matched; ++i)
      matched = MatchesElement(mElement->GetChildAt(i), event);
  } else {
    matched = MatchesElement(mElement, event);
  }
  if (matched) mCompleted = true;
  return matched;
}

void OGameCondition::SaveState(TXmlNode* element) const {
  if (element) element->SetAttribute(kCompleted, mCompleted ? "true" : "false");
}

void OGameCondition::LoadState(TXmlNode* element) {
  if (element) mCompleted = element->GetAttribute(kCompleted) == "true";
}
