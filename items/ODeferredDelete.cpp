#include "ODeferredDelete.h"

#include <algorithm>
#include <vector>

#include "items/IItem.h"
#include "sdk/TWindowManager.h"

namespace {
std::vector<IItem*>& Pending() {
  static std::vector<IItem*> items;
  return items;
}
}  // namespace

namespace ODeferredDelete {
void Delete(IItem* item) {
  if (!item || IsPending(item)) return;
  item->Detach();
  Pending().push_back(item);
  TWindowManager::GetInstance()->CallWhenIdle(&Flush);
}

bool IsPending(const IItem* item) {
  const std::vector<IItem*>& items = Pending();
  return std::find(items.begin(), items.end(), item) != items.end();
}

size_t PendingCount() {
  return Pending().size();
}

void Flush() {
  // An item's destructor may queue another; that one goes in the same pass.
  while (!Pending().empty()) {
    IItem* item = Pending().back();
    Pending().pop_back();
    delete item;
  }
}
}  // namespace ODeferredDelete
