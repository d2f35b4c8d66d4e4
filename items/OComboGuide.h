#pragma once
// The combination rules: what happens when the held item is used on a place
// of the scene or on an item in an inventory. Each child of the combocfg
// document's root "combo_guide" is one rule naming two things ("item1",
// "item2": items' current names or a mask's name, matched in either order)
// and a "result"; the first rule in document order wins. The rules never
// change during play.

#include "sdk/str.h"

class IItem;
class IItemsManager;
class IMask;
class TXmlNode;

class OComboGuide {
 public:
  // Holds `guide`, which stays its document's; null holds no rules.
  explicit OComboGuide(TXmlNode* guide) : mGuide(guide) {}

  // The rules of the configuration, looked up on first use. The game window
  // deletes them with the rest of a running game.
  static OComboGuide* GetInstance();
  static void DeleteInstance();

  TXmlNode* GetNode() const { return mGuide; }

  // The first rule element for the two names in either order, or null.
  static TXmlNode* FindRuleNode(const OComboGuide* guide, const str& a, const str& b);
  // The "result" of that rule; null when there is no rule or it has none.
  static TXmlNode* FindRule(const OComboGuide* guide, const str& a, const str& b);
  // The result's "type" for the two items' current names; "" for no rule.
  static str GetResultType(IItem* first, IItem* second);

  // The held item used on a place of the scene. The result is the item the
  // rule leaves in the hand (the held one, or the one that replaced it), or
  // null when no rule applied. An "item" rule deletes the held item first:
  // after a null answer the caller must ask the pointer what it holds.
  static IItem* ApplyToSceneItem(const OComboGuide* guide, IItem* held, IMask* mask, IItemsManager* manager);
  // Two items combined at an inventory cell, one of them usually held. The
  // result is the item made for the inventory, or null.
  static IItem* ApplyToInventoryItem(IItem* first, const OComboGuide* guide, IItem* second,
                                     IItemsManager* manager);
  // The "item" and "tablet_combine" results of an inventory combination:
  // the held item gives way to the result (and, with a "second_item", to a
  // second one in the hand). Every result is made before anything changes:
  // when one cannot be made, nothing changes and the answer is null.
  static IItem* TabletCombine(IItem* first, IItem* second, const OComboGuide* guide, IItemsManager* manager);

 private:
  TXmlNode* mGuide;
  static OComboGuide* sInstance;
};
