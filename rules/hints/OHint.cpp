#include "OHint.h"

#include "OHintsManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TStringTable.h"
#include "sdk/TXmlNode.h"

namespace {
str Attribute(TXmlNode* element, const char* name) {
  return element ? element->GetAttribute(name) : str();
}
}  // namespace

OHint::OHint(TXmlNode* element)
    : OMissionTask(element),
      IHint(Attribute(element, "after_close_action"), false, ParseHintKind(Attribute(element, "hint_type"))) {
}

void OHint::Init() {
  OMissionTask::Init();
  str show = Attribute(mElement, "show");
  mOnce = show.empty() || show == "once";
  mTextKey = Attribute(mElement, "text");
}

bool OHint::OnEvent(TXmlNode* event) {
  bool completed = OMissionTask::OnEvent(event);
  // Open again at once, so that the next fulfilment queues it again.
  if (completed && !mOnce) Reset();
  return completed;
}

void OHint::OnComplete() {
  OMissionTask::OnComplete();
  OHintsManager::GetInstance()->QueueHint(this);
}

str OHint::GetText() const {
  return TPlatform::GetInstance()->GetStringTable()->GetString(mTextKey);
}
