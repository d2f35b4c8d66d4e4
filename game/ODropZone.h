#pragma once
// One area of a scene where the player may put down the held item: the
// opaque part of a texture placed on the screen. Items lie in it at free
// spots on a 5-pixel grid, are drawn and hovered there and can be taken back;
// after every put and take the zone rewrites its entry in the drop-zone
// registry, from which its items are re-created when the scene is built.

#include <cstdint>
#include <vector>

#include "game/ODropZonesRegistry.h"
#include "sdk/TMath.h"
#include "sdk/TTexture.h"
#include "sdk/str.h"

class IItem;
class IItemsManager;

class ODropZone {
 public:
  // The zone owns `items` and its elements; `unmade` are the records kept
  // for items that could not be made.
  ODropZone(const TTextureRef& texture, int32_t x, int32_t y, const str& name, bool drawItems,
            std::vector<IItem*>* items, const ODropZonesRegistry::Records& unmade = {});
  ~ODropZone();
  ODropZone(const ODropZone&) = delete;
  ODropZone& operator=(const ODropZone&) = delete;

  // The zone of that name in the drop_zones document with its items from the
  // registry; null (with a message) when the document has no such zone.
  static ODropZone* CreateFromXml(const str& name, IItemsManager* owner, bool drawItems);
  // The items the registry records for the zone, each made for a drop zone,
  // with its visual created and placed. A record whose item cannot be made
  // is reported and left out; `unmade`, when given, receives it.
  static std::vector<IItem*>* CreateItems(const str& name, IItemsManager* owner,
                                          ODropZonesRegistry::Records* unmade = nullptr);

  // Whether the zone's shape has room for the item, ignoring what lies there.
  bool CanPlace(IItem* item);
  // Lays the item at a free spot clear of the items already there; false,
  // and nothing changed, when there is none.
  bool Put(IItem* item);
  // Rewrites the zone's registry entry from its items.
  void Save();
  // Takes every item of that name out of the zone, and forgets the records
  // kept for one that could not be made; the entry is rewritten when
  // something went. The caller owns the items returned.
  std::vector<IItem*> TakeAll(const str& name);
  // Whether some item's visual lies under the point, drawn or not.
  bool HitItems(const TPoint& point);
  bool UpdateHover(const TPoint& point);
  // Takes the item under the point back onto an empty hand.
  bool OnClick(const TPoint& point);

  void OnSceneStart();
  void ReleaseMask();
  void ReleaseSceneLinks();
  void Draw();

  const str& GetName() const { return mName; }
  int32_t GetX() const { return mX; }
  int32_t GetY() const { return mY; }
  bool GetDrawItems() const { return mDrawItems; }
  const std::vector<IItem*>& GetItems() const { return *mItems; }
  IItem* GetHoveredItem() const { return mHovered; }
  const TTextureRef& GetTexture() const { return mTexture; }

  // Whether the item may never be taken back out of a zone: a product whose
  // items_guide entry says "allow_get_from_drop_zone" false.
  static bool IsLockedInZone(IItem* item);
  // The candidate chosen among `count` for a put at this moment: every put
  // within one second of the game clock draws the same index.
  static size_t ChooseSpot(size_t count);

 private:
  // Opaque flags of the texture (W a row) where the item's top-left corner
  // may go; with `occupied` also clear of the zone's items.
  std::vector<uint8_t> FreeMap(IItem* item, bool occupied);
  // The grid point chosen in the map; false when it has none.
  bool FindFreeSpot(const std::vector<uint8_t>& map, int* px, int* py);

  TTextureRef mTexture;
  int32_t mX, mY;
  std::vector<IItem*>* mItems;  // owned, with the items
  IItem* mHovered = nullptr;    // not owned
  str mName;
  bool mDrawItems;
  // Records the registry held for items that could not be made: written
  // back with the zone, so a content fault does not erase the player's
  // things.
  ODropZonesRegistry::Records mUnmade;
};
