#pragma once
// A tick that a quest-book page's script places in the page: it stays only
// while the mission named by its style's "mission" is still open and the
// player holds one of the items the style lists ("item", or "item1" to
// "item<num_items>"), in hand, in the panel's main inventory, or among the
// alchemical device's ingredients.

#include <vector>

#include "sdk/TImage.h"

class GQuestBookItemTick : public TImage {
  TWINDOW_CLASS(GQuestBookItemTick, TImage)
 public:
  void PostChildrenInit(TWindowStyle& style) override;

  // The names the style lists.
  static std::vector<str> ItemNames(TWindowStyle& style);
  // Whether the player holds one of them.
  static bool HoldsAny(const std::vector<str>& names);
};
