#pragma once
// A guide hint of the hints document: a task over game events that queues
// itself when its conditions are all fulfilled, once per game ("show" empty
// or "once") or every time they are fulfilled again.

#include "IHint.h"
#include "rules/events/OMissionTask.h"

class OHint : public OMissionTask, public IHint {
 public:
  // The element stays owned by the hints document.
  explicit OHint(TXmlNode* element);

  void Init() override;
  bool OnEvent(TXmlNode* event) override;
  // Runs its results, then queues itself.
  void OnComplete() override;

  str GetText() const override;
  bool IsOnce() const { return mOnce; }
  const str& GetTextKey() const { return mTextKey; }

 private:
  bool mOnce = true;
  str mTextKey;
};
