#pragma once
// One pattern over game events inside a task: fulfilled for good by the first
// event whose every attribute it carries with an equal value or "*". A
// condition may wait for a task ("predecessor_task") and may be a "group" of
// alternatives.

#include "sdk/str.h"

class TXmlNode;

class OGameCondition {
 public:
  // The element stays owned by the configuration document.
  explicit OGameCondition(TXmlNode* element);

  // True when this call fulfilled the condition.
  bool Match(TXmlNode* event);
  // Whether `pattern`'s attributes accept `event` (the element's name is not
  // looked at).
  static bool MatchesElement(TXmlNode* pattern, TXmlNode* event);

  void SaveState(TXmlNode* element) const;
  void LoadState(TXmlNode* element);
  void Reset() { mCompleted = false; }

  bool IsCompleted() const { return mCompleted; }
  void SetCompleted(bool completed) { mCompleted = completed; }
  const str& GetPredecessorTask() const { return mPredecessorTask; }
  TXmlNode* GetElement() const { return mElement; }

 private:
  TXmlNode* mElement;
  bool mCompleted = false;
  str mPredecessorTask;
};
