#pragma once
// The mouse trap: once the trap is set, a mouse is caught after the catch
// time, which the trap learns through its catch variable.

#include "ITimerController.h"

class OMouseTrapTimerController : public ITimerController {
 public:
  void Init() override;
  // Starts the catch time from now: the restart alone starts it.
  void Restart() override;
  void OnTimeOut() override;
  TXmlNode* GetGuideNode() const override;

 private:
  int32_t mCatchTime = 0;  // milliseconds
  str mCatchFlagName;
  str mCatchFlagValue;
};
