#pragma once
// A task: complete when all its conditions are fulfilled.

#include "OGameCondition.h"
#include "OMissionUnit.h"

class OMissionTask : public OMissionUnit<OGameCondition> {
 public:
  explicit OMissionTask(TXmlNode* element) : OMissionUnit<OGameCondition>(element) {}
};
