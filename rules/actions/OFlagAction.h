#pragma once
// Sets a game variable; the change reaches the rules as a "flag" event.

#include "IAction.h"
#include "sdk/str.h"

class OFlagAction : public IAction {
 public:
  OFlagAction(const str& name, const str& value, GMasksManager* owner = nullptr)
      : IAction(owner), mName(name), mValue(value) {}
  void Execute() override;

  const str& GetName() const { return mName; }
  const str& GetValue() const { return mValue; }

 private:
  str mName;
  str mValue;
};
