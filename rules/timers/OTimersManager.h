#pragma once
// Owns the eight timer controllers in their fixed order (poison, Vethra air,
// mouse trap, under-water air, sleeping zone, scroll quest, sleeping hints,
// invisibility), which is also the order they are made, ticked and saved. The
// scenes tick them (time counts only in the full-screen game scenes that
// run, never in the quest book), the game object tells them of changes of
// world and scene, and the save keeps them as `timer_controllers`.

#include <vector>

#include "ITimerController.h"

class IHint;
class OGreeceScrollTimerController;
class OInvisibilityTimerController;
class OMouseTrapTimerController;
class OPoisonTimerController;
class OSleepingHintsTimerController;
class OSleepingZoneTimerController;
class OUnderwaterTimerController;
class OVethraTimerController;

class OTimersManager {
 public:
  enum {
    kPoison,
    kVethra,
    kMouseTrap,
    kUnderwater,
    kSleepingZone,
    kGreeceScroll,
    kSleepingHints,
    kInvisibility,
    kControllerCount
  };

  // Made and initialised on first use: the instance is set before the
  // controllers are made, so code they run finds it.
  static OTimersManager* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  virtual ~OTimersManager();
  virtual void Init();

  // One tick of every controller; forced paused in the quest book.
  void Update(bool paused);
  // The sleeping scene's tick: only the sleeping hints may count.
  void UpdateSleeping(bool paused);
  // Leaving the Vethra stops its air; arriving there without its atmosphere
  // starts it.
  void OnWorldChange(const str& from, const str& to);
  void OnSceneChange(const str& from, const str& to);
  void StartInvisibility();
  // The hints of the Vethra, under-water and poison controllers that the
  // health magic helped, in that order, in a new list; the caller takes the
  // list and its hints.
  std::vector<IHint*>* ApplyHealthMagic();

  // By save key ("poison", "vethra", "mousetrap", "under_water",
  // "sleeping_zone", "greece_scroll", "sleeping_hints", "invisibility"),
  // or null.
  ITimerController* GetController(const str& key) const;
  ITimerController* GetController(int index) const { return mControllers[index]; }
  static const char* GetSaveKey(int index);
  OPoisonTimerController* GetPoison() const;
  OVethraTimerController* GetVethra() const;
  OMouseTrapTimerController* GetMouseTrap() const;
  OUnderwaterTimerController* GetUnderwater() const;
  OSleepingZoneTimerController* GetSleepingZone() const;
  OGreeceScrollTimerController* GetGreeceScroll() const;
  OSleepingHintsTimerController* GetSleepingHints() const;
  OInvisibilityTimerController* GetInvisibility() const;

  // `timer_controllers`: the seven in table order, then "invisibility", so
  // that a game saved while invisible runs the rest of that time.
  void Save(TXmlNode* parent) const;
  // A missing section changes nothing; a missing child leaves its
  // controller stopped with no time left.
  void Load(const TXmlNode* parent);

 private:
  OTimersManager() = default;
  OTimersManager(const OTimersManager&) = delete;
  OTimersManager& operator=(const OTimersManager&) = delete;

  ITimerController* mControllers[kControllerCount] = {};  // owned
  static OTimersManager* sInstance;
};
