#include "GQuestBookItemTick.h"

#include <algorithm>

#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "game/ODropZonesRegistry.h"
#include "items/IItem.h"
#include "rules/events/OMission.h"
#include "rules/events/OMissionsManager.h"
#include "rules/questbook/GQuestBookTaskTick.h"
#include "sdk/TWindowStyle.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"

namespace {
// The key under which the alchemical device keeps its state and contents.
const char* const kDeviceKey = "alchemical_device";

bool IsNameInList(const str& name, const std::vector<str>& names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}
}  // namespace

std::vector<str> GQuestBookItemTick::ItemNames(TWindowStyle& style) {
  int count = style.GetInt("num_items", 0);
  if (count <= 0) return {style.GetString("item")};
  std::vector<str> names;
  for (int i = 1; i <= count; ++i) names.push_back(style.GetString(str::format("item%d", i)));
  return names;
}

bool GQuestBookItemTick::HoldsAny(const std::vector<str>& names) {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  IItem* held = pointer ? pointer->GetHeldItem() : nullptr;
  if (held && IsNameInList(held->GetCurrentName(), names)) return true;
  GGameWnd* wnd = GGameWnd::GetCurrent();
  GGamePanel* panel = wnd ? wnd->GetPanel() : nullptr;
  if (GInventory* main = panel ? panel->GetMainInventory() : nullptr)
    for (GInventoryCell* cell : main->GetCells())
      if (cell->GetItem() && IsNameInList(cell->GetItem()->GetCurrentName(), names)) return true;
  // The device's first record is its state; in state 0 the records after
  // it are the ingredients lying in it.
  const ODropZonesRegistry::Records* device =
      ODropZonesRegistry::HasInstance() ? ODropZonesRegistry::GetInstance()->Find(kDeviceKey) : nullptr;
  if (device && device->size() > 1 && (*device)[0].item.to_int() == 0)
    for (size_t i = 1; i < device->size(); ++i)
      if (IsNameInList((*device)[i].item, names)) return true;
  return false;
}

void GQuestBookItemTick::PostChildrenInit(TWindowStyle& style) {
  TImage::PostChildrenInit(style);
  OMission* mission = OMissionsManager::GetInstance()->FindMission(style.GetString("mission"));
  if (!mission || mission->IsCompleted() || !HoldsAny(ItemNames(style))) RemoveQuestBookTick(this);
}
