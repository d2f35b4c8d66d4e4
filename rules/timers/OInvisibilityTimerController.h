#pragma once
// Invisibility: each cast lasts the configured time from its start, drives
// the invisibility overlay's fades, and at its end makes the player visible
// again.

#include "ITimerController.h"

class OInvisibilityTimerController : public ITimerController {
 public:
  void Init() override;
  // Starts the overlay (a second set of particles when one runs) and the
  // full duration; running at once.
  void Restart() override;
  void Update(bool paused) override;
  void OnTimeOut() override;
  // After a load: the overlay and "are_we_invisible" as this timer has it,
  // running or not, whatever the save held of them.
  void ApplyLoadedState();
  TXmlNode* GetGuideNode() const override;

  int32_t GetDuration() const { return mDuration; }

 private:
  int32_t mDuration = 0;  // milliseconds
};
