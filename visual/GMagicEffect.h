#pragma once
// The effect windows the game window plays over its scene: the magic effect
// (an image that fades in and out when a magic is cast, after which its
// hints are queued) and the wake-up effect (an image that fades in, behind
// which the scene named by "slept_scene" is built, and that fades out over
// the new scene, after which an action runs).

#include <vector>

#include "visual/GTravelEffect.h"

class IHint;
class TXmlNode;

class GMagicEffect : public GTravelEffect {
  TWINDOW_CLASS(GMagicEffect, GTravelEffect)
 public:
  GMagicEffect() = default;
  ~GMagicEffect() override;

  // From its description: the image, "anim_ticks", "unlock_after_effect"
  // (only "false" leaves the scene paused) and "start_wait_ticks". Takes the
  // hints list over; a null node gives an effect with a blank image.
  static GMagicEffect* Create(TXmlNode* node, std::vector<IHint*>* hints);
  // Deletes a hints list nobody will queue, with the hints the queue would
  // have owned.
  static void DropHints(std::vector<IHint*>* hints);
  // Hands every hint of the list, in order, to the hints manager and deletes
  // the list.
  static void QueueHints(std::vector<IHint*>* hints);
  // Takes a later list over: its hints are queued after this effect's own
  // when it ends.
  void AddHints(std::vector<IHint*>* hints);

  // Until it has waited its start ticks a tick only counts; a wait of 0
  // still costs the starting tick.
  void Tick() override;
  // Finishing queues the hints, in order, with the hints manager.
  void SetEffectState(int state) override;

  int GetStartWait() const { return mStartWait; }
  bool IsStarted() const { return mStarted; }

 private:
  GMagicEffect(const std::vector<TImage*>& images, int ticksPerFade, bool unlock)
      : GTravelEffect(images, ticksPerFade, unlock) {}

  std::vector<IHint*>* mHints = nullptr;  // owned until queued
  int mStartWait = 0;
  int mWaitCount = 0;
  bool mStarted = false;
};

class GWakeUpEffect : public GTravelEffect {
  TWINDOW_CLASS(GWakeUpEffect, GTravelEffect)
 public:
  GWakeUpEffect() = default;

  // From its description: the image, "anim_ticks" and the child "action".
  // The node stays the configuration's. A null node gives a blank image.
  static GWakeUpEffect* Create(TXmlNode* node);

  // Once the image covers the screen the scene behind it is replaced; once
  // it has faded out the action runs.
  void SetEffectState(int state) override;

 private:
  GWakeUpEffect(const std::vector<TImage*>& images, int ticksPerFade)
      : GTravelEffect(images, ticksPerFade, true) {}

  TXmlNode* mActionNode = nullptr;
};
