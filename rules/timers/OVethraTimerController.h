#pragma once
// Lack of air: on the Vethra (started on arrival unless its atmosphere is
// breathable, stopped on leaving) and under water (running while the current
// scene is one of its scenes). Each has its indicator; when the air runs out
// the game goes to the game-over scene; the health magic gives air.

#include <vector>

#include "ITimerController.h"

class IHint;

class OVethraTimerController : public ITimerController {
 public:
  void Init() override;
  // The full air time again; the starter sets the state.
  void Restart() override { mLeftTime = mInitialTime; }
  void OnIndication(const OTimerIndication& indication) override { ShowIndication(indication); }
  void OnTimeOut() override;
  TXmlNode* GetGuideNode() const override;
  // While running: the air time becomes the additional time (set, not
  // added), and the helped hint (the caller's) is returned; else null.
  virtual IHint* OnHealthMagic();

  int32_t GetInitialTime() const { return mInitialTime; }
  const str& GetGameOverScene() const { return mGameOverScene; }

 protected:
  // The attributes shared by the air kinds, from the kind's guide element.
  void ReadAirGuide();
  IHint* MakeHelpedHint() const;

  str mGameOverScene;
  int32_t mInitialTime = 0;  // milliseconds
  str mHelpedHint;
  int32_t mAdditionalTime = 0;  // whole seconds, as configured
};

class OUnderwaterTimerController : public OVethraTimerController {
 public:
  void Init() override;
  TXmlNode* GetGuideNode() const override;
  // While running: adds the additional time to what is left.
  IHint* OnHealthMagic() override;
  // Entering one of its scenes from outside starts the full air time (from
  // the quest book the time left goes on); leaving them stops it.
  void OnSceneChange(const str& from, const str& to);

  bool IsOwnScene(const str& id) const;
  const std::vector<str>& GetScenes() const { return mScenes; }

 protected:
  // The "id" of every child of the guide element's `scenes`, in order.
  void ReadScenes(const TXmlNode* guide);

  std::vector<str> mScenes;
};
