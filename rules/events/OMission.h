#pragma once
// A mission: complete when all its tasks are. It may wait for another mission
// ("predecessor_mission"); while that one is open it ignores every event.
// "shown" records whether the quest book has shown it.

#include "OMissionTask.h"
#include "OMissionUnit.h"

class OMission : public OMissionUnit<OMissionTask> {
 public:
  explicit OMission(TXmlNode* element) : OMissionUnit<OMissionTask>(element) {}

  bool OnEvent(TXmlNode* event) override;
  void Save(TXmlNode* element) const override;
  void Load(TXmlNode* element) override;

  // "" when none.
  str GetPredecessorMission() const;
  bool IsShown() const { return mShown; }
  void SetShown(bool shown) { mShown = shown; }

 private:
  bool mShown = false;
};
