#pragma once
// Items that delete themselves in the middle of a call chain: whoever called
// into the item (a rule, the held-item road, the pointer's tick) may still
// ask it something on the way back. Such an item is unlinked from its mask
// at once and freed only once the current event or tick is over.

#include <cstddef>

class IItem;

namespace ODeferredDelete {
// The item must already be out of every list and out of the hand.
void Delete(IItem* item);
bool IsPending(const IItem* item);
size_t PendingCount();
// Frees every item waiting; the window manager calls it when idle.
void Flush();
}  // namespace ODeferredDelete
