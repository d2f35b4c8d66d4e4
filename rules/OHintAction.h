#pragma once
// Queues a new hint of its kind with its text key each time it runs.

#include "IAction.h"
#include "sdk/str.h"

class OHintAction : public IAction {
 public:
  OHintAction(const str& textKey, const str& afterClose, int kind, GMasksManager* owner)
      : mTextKey(textKey), mAfterClose(afterClose), mKind(kind), mOwner(owner) {}
  void Execute() override;
  void SetOwner(GMasksManager* owner) override { mOwner = owner; }

 private:
  str mTextKey;
  str mAfterClose;
  int mKind;
  GMasksManager* mOwner;
};
