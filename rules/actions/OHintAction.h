#pragma once
// Queues a new hint each time it runs; the queue owns and deletes it.

#include "IAction.h"
#include "sdk/str.h"

class OHintAction : public IAction {
 public:
  OHintAction(const str& textKey, const str& afterCloseAction, int kind, GMasksManager* owner)
      : IAction(owner), mTextKey(textKey), mAfterCloseAction(afterCloseAction), mKind(kind) {}
  void Execute() override;

  const str& GetTextKey() const { return mTextKey; }
  const str& GetAfterCloseAction() const { return mAfterCloseAction; }
  int GetKind() const { return mKind; }

 private:
  str mTextKey;
  str mAfterCloseAction;
  int mKind;
};
