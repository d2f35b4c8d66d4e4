#pragma once
// Makes an item from its items_guide entry, already in the place the caller
// needs: for a scene being built (the items registry decides whether it is
// still there), for the player's hand, for an inventory, or for a drop zone.
// Each situation accepts only the kinds that can occur in it; a kind it does
// not accept, an unknown "type" or a name without an entry gives no item.
// The caller owns the result, adds it to a list and creates its visual.

#include "sdk/str.h"

class IItem;
class IItemsManager;
class TXmlNode;

namespace OItemFactory {
// The creator one kind offers for one situation.
typedef IItem* (*Creator)(const str& name, TXmlNode* node, IItemsManager* owner);

// The child of "items_guide" named after the item, or null.
TXmlNode* FindGuideNode(const str& name);
// Where items_guide was read from, to name it in messages.
str GetGuidePath();

IItem* CreateForScene(const str& name, IItemsManager* owner);
IItem* CreateForPointer(const str& name, IItemsManager* owner);
IItem* CreateForInventory(const str& name, IItemsManager* owner);
IItem* CreateDropped(const str& name, IItemsManager* owner);
}  // namespace OItemFactory
