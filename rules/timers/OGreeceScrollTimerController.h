#pragma once
// The scroll quest's clock: started and completed by mission results; once
// its time is up it runs its completed action on every update that counts
// time, until the quest is completed.

#include "ITimerController.h"

class IAction;

class OGreeceScrollTimerController : public ITimerController {
 public:
  ~OGreeceScrollTimerController() override;
  void Init() override;
  void Restart() override { mLeftTime = mInitialTime; }
  void OnTimeOut() override;
  TXmlNode* GetGuideNode() const override;

  IAction* GetCompletedAction() const { return mCompletedAction; }

 private:
  IAction* mCompletedAction = nullptr;  // owned
  int32_t mInitialTime = 0;             // milliseconds
};
