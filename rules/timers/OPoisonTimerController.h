#pragma once
// Poison: started by the poison actions with their time to die, shown by the
// poison indicator, cured by the health magic; when its time runs out the
// game goes to the game-over scene.

#include "ITimerController.h"

class IHint;

class OPoisonTimerController : public ITimerController {
 public:
  void Init() override;
  // A first poisoning sets the time; another one only ever shortens it.
  void StartWithTime(int seconds) override;
  void OnIndication(const OTimerIndication& indication) override { ShowIndication(indication); }
  void OnTimeOut() override;
  TXmlNode* GetGuideNode() const override;
  // Cures a running poison: the helped hint (the caller's), or null when
  // nothing was poisoned.
  virtual IHint* OnHealthMagic();

  const str& GetGameOverScene() const { return mGameOverScene; }

 private:
  str mGameOverScene;
  str mHelpedHint;
};
