#pragma once
// Goes to another scene through the owner's scene, or through the game
// object when it was built without an owner (a closing hint in a mini-game).
// Two links are special: "random_sleeping_zone_room" picks one of the Vethra
// sleeping scenes other than the current one, and "exit_from_book" leaves the
// quest book for the scene the book was opened from, restoring the timers as
// they were then; a scene this world lacks leads home and changes nothing
// stored.

#include <cstdint>

#include "IAction.h"
#include "sdk/str.h"

class OPassageAction : public IAction {
 public:
  OPassageAction(const str& link, GMasksManager* owner) : IAction(owner), mLink(link) {}
  void Execute() override;
  const str& GetLink() const { return mLink; }

  // The sleeping scene that the random number r picks among those of the
  // timer guide other than `current`; "" when there is none.
  static str PickSleepingRoom(const str& current, uint32_t r);

 private:
  void GoTo(const str& sceneId);
  void RandomSleepingZoneRoom();
  void ExitFromBook();
  // The living room of "home": where a book with no scene to return to
  // leads.
  void LeaveForHome();

  str mLink;
};
