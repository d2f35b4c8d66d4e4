#include "ODropZone.h"

#include <algorithm>

#include "game/GMousePointer.h"
#include "game/OGameConfig.h"
#include "items/IItem.h"
#include "items/OItem.h"
#include "items/OItemFactory.h"
#include "items/OProductItem.h"
#include "items/OSimpleItem.h"
#include "rules/events/OMissionsManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TRandom.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
// Spots are tried on a grid of this many pixels.
const int kGrid = 5;
// Items may overlap their neighbours by this many pixels on each side.
const int kOverlap = 8;

IItem* ZoneHeldItem() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  return pointer ? pointer->GetHeldItem() : nullptr;
}

// Brings the item's visual to its current values without drawing it: items of
// a zone that draws nothing still catch the pointer where they lie.
GVObject* UpdatedObject(IItem* item) {
  for (GVObject* object : item->GetDrawList().GetObjects())
    if (item->GetDrawList().Contains(object) && object->NeedsUpdate()) object->UpdateData();
  return item->GetObject();
}

void ShowCaption(IItem* item, bool show) {
  if (OItem* owned = dynamic_cast<OItem*>(item)) {
    if (show)
      owned->ShowCaption();
    else
      owned->HideCaption();
  }
}
}  // namespace

ODropZone::ODropZone(const TTextureRef& texture, int32_t x, int32_t y, const str& name, bool drawItems,
                     std::vector<IItem*>* items, const ODropZonesRegistry::Records& unmade)
    : mTexture(texture),
      mX(x),
      mY(y),
      mItems(items ? items : new std::vector<IItem*>()),
      mName(name),
      mDrawItems(drawItems),
      mUnmade(unmade) {}

ODropZone::~ODropZone() {
  for (IItem* item : *mItems) delete item;
  delete mItems;
}

ODropZone* ODropZone::CreateFromXml(const str& name, IItemsManager* owner, bool drawItems) {
  TXmlNode* doc = OGameConfig::GetInstance()->GetDropZones();
  TXmlNode* node = doc && TXmlNode::IsValidName(name) ? doc->GetChild(name) : nullptr;
  if (!node) {
    Report("drop zones: no zone \"%s\" in the drop_zones document; zone skipped", name.c_str());
    return nullptr;
  }
  TTextureRef texture = TTexture::Get(node->GetAttribute("folder"), 0);
  if (!texture || texture->IsEmpty())
    Report("drop zones: zone \"%s\" has no usable texture; nothing can be put there", name.c_str());
  int32_t x = 0, y = 0;
  if (TXmlNode* pos = node->GetChild("pos")) {
    x = pos->GetAttribute("x").to_int();
    y = pos->GetAttribute("y").to_int();
  }
  ODropZonesRegistry::Records unmade;
  std::vector<IItem*>* items = CreateItems(name, owner, &unmade);
  return new ODropZone(texture, x, y, name, drawItems, items, unmade);
}

std::vector<IItem*>* ODropZone::CreateItems(const str& name, IItemsManager* owner,
                                            ODropZonesRegistry::Records* unmade) {
  std::vector<IItem*>* items = new std::vector<IItem*>();
  const ODropZonesRegistry::Records* records = ODropZonesRegistry::GetInstance()->Find(name);
  if (!records) return items;
  // A copy: making an item may reach the registry.
  ODropZonesRegistry::Records copy = *records;
  for (const ODropZonesRegistry::Record& record : copy) {
    IItem* item = OItemFactory::CreateDropped(record.item, owner);
    if (!item) {
      Report("drop zones: zone \"%s\": item \"%s\" cannot be made for a drop zone; item skipped",
             name.c_str(), record.item.c_str());
      if (unmade) unmade->push_back(record);
      continue;
    }
    items->push_back(item);
    item->CreateObject();
    if (GVObject* object = item->GetObject()) {
      object->deltaX = float(record.x);
      object->deltaY = float(record.y);
      object->changed = 1;
    }
  }
  return items;
}

std::vector<uint8_t> ODropZone::FreeMap(IItem* item, bool occupied) {
  const int W = mTexture ? mTexture->GetWidth() : 0;
  const int H = mTexture ? mTexture->GetHeight() : 0;
  std::vector<uint8_t> map(size_t(W) * size_t(H), 0);
  if (map.empty()) return map;
  uint32_t* pixels = nullptr;
  int pitch = 0;
  if (!mTexture->Lock(&pixels, &pitch) || !pixels) return std::vector<uint8_t>(map.size(), 0);
  for (int row = 0; row < H; ++row)
    for (int col = 0; col < W; ++col)
      map[size_t(row) * W + col] = TColor32(pixels[size_t(row) * pitch + col]).Alpha() != 0;
  mTexture->Unlock();

  const int w = int(item->GetObjectWidth());
  const int h = int(item->GetObjectHeight());
  // Keep the item left of the right edge: clear the last w + 1 columns of
  // every row's shape.
  for (int row = 0; row < H; ++row) {
    uint8_t* line = &map[size_t(row) * W];
    int j = W - 1;
    while (j >= 0 && !line[j]) --j;
    if (j < 0) continue;
    for (int col = std::max(0, j - w); col <= j; ++col) line[col] = 0;
  }
  // And above the bottom edge, column by column, on what is left.
  for (int col = 0; col < W; ++col) {
    int j = H - 1;
    while (j >= 0 && !map[size_t(j) * W + col]) --j;
    if (j < 0) continue;
    for (int row = std::max(0, j - h); row <= j; ++row) map[size_t(row) * W + col] = 0;
  }

  if (!occupied) return map;
  for (IItem* other : *mItems) {
    GVObject* object = other->GetObject();
    float ix = object ? object->deltaX : 0, iy = object ? object->deltaY : 0;
    int iw = int(other->GetObjectWidth()), ih = int(other->GetObjectHeight());
    int left = int(ix - mX + kOverlap - w);
    int top = int(iy - mY + kOverlap - h);
    int width = int(float(w + iw - 2 * kOverlap));
    int height = int(float(h + ih - 2 * kOverlap));
    if (left < 0) {
      width += left;
      left = 0;
    }
    if (top < 0) {
      height += top;
      top = 0;
    }
    int right = left + std::min(width, W - left);
    int bottom = top + std::min(height, H - top);
    for (int row = top; row < bottom; ++row)
      for (int col = left; col < right; ++col) map[size_t(row) * W + col] = 0;
  }
  return map;
}

size_t ODropZone::ChooseSpot(size_t count) {
  if (count == 0) return 0;
  // One draw from 0 to 32767 seeded by the second of the game clock; the
  // scale is that range's, so every candidate can be chosen.
  TPlatform* platform = TPlatform::GetInstance();
  TRandom random(platform ? platform->Timer() / 1000 : 0);
  int r = random.RandRange(0, 32767);
  size_t index = size_t(double(r) / 32767.0 * double(count));
  return std::min(index, count - 1);
}

bool ODropZone::FindFreeSpot(const std::vector<uint8_t>& map, int* px, int* py) {
  const int W = mTexture ? mTexture->GetWidth() : 0;
  const int H = mTexture ? mTexture->GetHeight() : 0;
  if (map.size() != size_t(W) * size_t(H)) return false;
  // Column by column, as the spots are numbered.
  std::vector<std::pair<int, int>> candidates;
  for (int x = 0; x < W; x += kGrid)
    for (int y = 0; y < H; y += kGrid)
      if (map[size_t(y) * W + x]) candidates.emplace_back(x, y);
  if (candidates.empty()) return false;
  const std::pair<int, int>& spot = candidates[ChooseSpot(candidates.size())];
  *px = spot.first;
  *py = spot.second;
  return true;
}

bool ODropZone::CanPlace(IItem* item) {
  if (!item) return false;
  int px, py;
  return FindFreeSpot(FreeMap(item, false), &px, &py);
}

bool ODropZone::Put(IItem* item) {
  if (!item) return false;
  int px, py;
  if (!FindFreeSpot(FreeMap(item, true), &px, &py)) return false;
  if (GVObject* object = item->GetObject()) {
    object->deltaX = float(mX + px);
    object->deltaY = float(mY + py);
    object->changed = 1;
  }
  mItems->push_back(item);
  if (item->IsKindOf(ItemTypeId::OSimpleItem)) static_cast<OSimpleItem*>(item)->PlayDropZonePutEffect();
  Save();
  return true;
}

void ODropZone::Save() {
  ODropZonesRegistry* registry = ODropZonesRegistry::GetInstance();
  registry->Remove(mName);
  for (IItem* item : *mItems) {
    // Products are not re-created in zones; combos and auto foods are.
    if (item->GetTypeId() == ItemTypeId::OProductItem) continue;
    GVObject* object = item->GetObject();
    registry->Set(mName, item->GetName(), object ? int32_t(object->deltaX) : 0,
                  object ? int32_t(object->deltaY) : 0);
  }
  for (const ODropZonesRegistry::Record& record : mUnmade)
    registry->Set(mName, record.item, record.x, record.y);
}

std::vector<IItem*> ODropZone::TakeAll(const str& name) {
  std::vector<IItem*> taken;
  for (IItem* item : *mItems)
    if (item->GetName() == name) taken.push_back(item);
  for (IItem* item : taken) {
    mItems->erase(std::find(mItems->begin(), mItems->end(), item));
    if (item == mHovered) {
      GMousePointer::GetInstance()->SetSceneMode(0);
      ShowCaption(item, false);
      mHovered = nullptr;
    }
  }
  const bool forgotten = ODropZonesRegistry::EraseItem(&mUnmade, name);
  if (!taken.empty() || forgotten) Save();
  return taken;
}

bool ODropZone::HitItems(const TPoint& point) {
  for (IItem* item : *mItems)
    if (GVObject* object = UpdatedObject(item))
      if (object->FindObjectAt(-1, point)) return true;
  return false;
}

bool ODropZone::UpdateHover(const TPoint& point) {
  if (!mDrawItems) {
    mHovered = nullptr;
    return false;
  }
  IItem* found = nullptr;
  for (IItem* item : *mItems) {
    GVObject* object = UpdatedObject(item);
    if (object && object->FindObjectAt(-1, point)) {
      found = item;
      break;
    }
  }
  if (found) {
    if (found == mHovered) return true;
    if (mHovered) ShowCaption(mHovered, false);
    mHovered = found;
    ShowCaption(found, true);
    if (!IsLockedInZone(found)) GMousePointer::GetInstance()->SetSceneMode(3);
    return true;
  }
  if (mHovered) {
    GMousePointer::GetInstance()->SetSceneMode(0);
    ShowCaption(mHovered, false);
    mHovered = nullptr;
  }
  return false;
}

bool ODropZone::OnClick(const TPoint& point) {
  UpdateHover(point);
  IItem* item = mHovered;
  if (!item || ZoneHeldItem() || IsLockedInZone(item)) return false;
  OMissionsManager::GetInstance()->OnItemGet(item->GetCurrentName());
  mItems->erase(std::find(mItems->begin(), mItems->end(), item));
  Save();
  if (item->IsKindOf(ItemTypeId::OSimpleItem)) static_cast<OSimpleItem*>(item)->PlayTakeEffect();
  // The hover ends with the item leaving: the look and the caption go with
  // it, as they would on the next move.
  mHovered = nullptr;
  GMousePointer::GetInstance()->SetSceneMode(0);
  ShowCaption(item, false);
  item->MoveToPointer();
  return true;
}

bool ODropZone::IsLockedInZone(IItem* item) {
  // Exactly a product: combos and auto foods always come out.
  if (!item || item->GetTypeId() != ItemTypeId::OProductItem) return false;
  return !static_cast<OProductItem*>(item)->AllowsGetFromDropZone();
}

void ODropZone::OnSceneStart() {
  for (IItem* item : *mItems) item->OnSceneStart();
}

void ODropZone::ReleaseMask() {
  for (IItem* item : *mItems) item->ReleaseMask();
}

void ODropZone::ReleaseSceneLinks() {
  for (IItem* item : *mItems) item->ReleaseSceneLinks();
}

void ODropZone::Draw() {
  if (!mDrawItems) return;
  for (IItem* item : *mItems) item->Draw();
}
