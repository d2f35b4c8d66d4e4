#include <memory>

#include "game/ODropZone.h"
#include "game/ODropZoneSet.h"
#include "game/ODropZonesMask.h"
#include "game/ODropZonesRegistry.h"
#include "game/OMousePointerManager.h"
#include "items/ItemsTestUtil.h"
#include "items/OItemFactory.h"
#include "items/OSimpleItem.h"
#include "sdk/TReport.h"

namespace {
str DropZonesFixturesDir() {
  return str(TOLVANE_TEST_FIXTURES) + "/dropzones";
}

class DropZoneTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    TPlatform::SetContentRoot(DropZonesFixturesDir());
    ODropZonesRegistry::DeleteInstance();
    manager.reset(new RecordingItemsManager());
  }
  void TearDown() override {
    GMousePointer::DestroyInstance();
    manager.reset();
    ODropZonesRegistry::DeleteInstance();
    ItemsTest::TearDown();
  }
  // An item made for a drop zone, with its visual, in no list yet.
  IItem* Loose(const str& name) {
    IItem* item = OItemFactory::CreateDropped(name, manager.get());
    EXPECT_NE(item, nullptr) << name;
    item->CreateObject();
    return item;
  }
  static str Records(const str& key) {
    const ODropZonesRegistry::Records* records = ODropZonesRegistry::GetInstance()->Find(key);
    if (!records) return "none";
    str text;
    for (const ODropZonesRegistry::Record& r : *records)
      text += (text.empty() ? "" : " ") + str::format("%s@%d,%d", r.item.c_str(), int(r.x), int(r.y));
    return text;
  }
  // The document without the layout the writer adds.
  static str Compact(const TXmlNode& node) {
    str text = node.AsString(), out;
    bool skipping = false;
    for (char c : text) {
      if (c == '\n')
        skipping = true;
      else if (skipping && c == ' ')
        continue;
      else {
        skipping = false;
        out += c;
      }
    }
    return out;
  }
  static TPoint At(IItem* item) { return TPoint(item->GetObject()->deltaX, item->GetObject()->deltaY); }

  std::unique_ptr<RecordingItemsManager> manager;
};

TEST_F(DropZoneTest, RegistrySavesKeysInOrderAndLoadReplacesEverything) {
  ODropZonesRegistry* registry = ODropZonesRegistry::GetInstance();
  registry->Set("shelf", "crate", 5, -3);
  registry->Set("desk", "dot", 1, 2);
  registry->Set("shelf", "box", 10, 20);
  TXmlNode save("save");
  registry->Save(&save);
  EXPECT_EQ(Compact(save),
            "<save><drop_zones><desk><dot x=\"1\" y=\"2\"/></desk>"
            "<shelf><crate x=\"5\" y=\"-3\"/><box x=\"10\" y=\"20\"/></shelf></drop_zones></save>")
      << save.AsString();

  registry->Set("other", "lamp", 0, 0);
  registry->Load(&save);
  EXPECT_EQ(Records("shelf"), "crate@5,-3 box@10,20");
  EXPECT_EQ(Records("desk"), "dot@1,2");
  EXPECT_EQ(Records("other"), "none");
  registry->Remove("desk");
  EXPECT_EQ(Records("desk"), "none");

  // A save without the section empties the registry.
  TXmlNode bare("save");
  registry->Load(&bare);
  EXPECT_TRUE(registry->GetEntries().empty());
}

TEST_F(DropZoneTest, RegistryNeverWritesWhatCannotBeReadBack) {
  ODropZonesRegistry* registry = ODropZonesRegistry::GetInstance();
  registry->Set("bad key", "crate", 1, 1);
  registry->Set("shelf", "box", 3, 4);
  size_t reports = ReportCount();
  TXmlNode save("save");
  registry->Save(&save);
  EXPECT_EQ(ReportCount(), reports + 1);
  EXPECT_EQ(Compact(save), "<save><drop_zones><shelf><box x=\"3\" y=\"4\"/></shelf></drop_zones></save>");
  TXmlNode copy("save");
  ASSERT_TRUE(copy.ParseString(save.AsString()));
}

// The player tools keep codes among their records: a text that is no element
// name goes into the reserved element with the text as its "name"; names that
// are element names keep their own form, the reserved name itself included.
TEST_F(DropZoneTest, RecordsThatAreNoElementNamesRoundTripThroughTheReservedElement) {
  ODropZonesRegistry* registry = ODropZonesRegistry::GetInstance();
  for (const char* item : {"0", "herb", "5", "12", "two words", "", "record"})
    registry->Set("alchemical_device", item, 0, 0);
  registry->Set("alchemical_device", "7", 140, -20);
  size_t reports = ReportCount();
  TXmlNode save("save");
  registry->Save(&save);
  EXPECT_EQ(ReportCount(), reports);
  EXPECT_EQ(Compact(save),
            "<save><drop_zones><alchemical_device>"
            "<record name=\"0\" x=\"0\" y=\"0\"/><herb x=\"0\" y=\"0\"/>"
            "<record name=\"5\" x=\"0\" y=\"0\"/><record name=\"12\" x=\"0\" y=\"0\"/>"
            "<record name=\"two words\" x=\"0\" y=\"0\"/><record name=\"\" x=\"0\" y=\"0\"/>"
            "<record x=\"0\" y=\"0\"/><record name=\"7\" x=\"140\" y=\"-20\"/>"
            "</alchemical_device></drop_zones></save>")
      << save.AsString();

  TXmlNode copy("save");
  ASSERT_TRUE(copy.ParseString(save.AsString()));
  registry->Load(&copy);
  EXPECT_EQ(Records("alchemical_device"),
            "0@0,0 herb@0,0 5@0,0 12@0,0 two words@0,0 @0,0 record@0,0 7@140,-20");
}

TEST_F(DropZoneTest, ZoneIsMadeFromTheDocumentWithItsItemsFromTheRegistry) {
  size_t reports = ReportCount();
  EXPECT_EQ(ODropZone::CreateFromXml("no_such_zone", manager.get(), true), nullptr);
  EXPECT_EQ(ODropZone::CreateFromXml("bad name", manager.get(), true), nullptr);
  EXPECT_EQ(ReportCount(), reports + 2);

  ODropZonesRegistry::GetInstance()->Set("table", "crate", 210, 305);
  ODropZonesRegistry::GetInstance()->Set("table", "mystery", 250, 310);
  ODropZonesRegistry::GetInstance()->Set("table", "dot", 260, 320);
  reports = ReportCount();
  std::unique_ptr<ODropZone> zone(ODropZone::CreateFromXml("table", manager.get(), true));
  ASSERT_TRUE(zone);
  EXPECT_EQ(zone->GetX(), 200);
  EXPECT_EQ(zone->GetY(), 300);
  EXPECT_EQ(zone->GetTexture()->GetWidth(), 100);
  // The item the factory refuses is reported and left out, not a hole in
  // the list.
  EXPECT_EQ(ReportCount(), reports + 1);
  ASSERT_EQ(zone->GetItems().size(), 2u);
  EXPECT_EQ(zone->GetItems()[0]->GetName(), "crate");
  EXPECT_EQ(At(zone->GetItems()[0]), TPoint(210, 305));
  EXPECT_EQ(At(zone->GetItems()[1]), TPoint(260, 320));
  EXPECT_EQ(static_cast<OSimpleItem*>(zone->GetItems()[1])->GetPlace(), ItemPlace::stDropped);

  // Its record survives the zone's next save, so fixing the content brings
  // the item back.
  zone->Save();
  EXPECT_EQ(Records("table"), "crate@210,305 dot@260,320 mystery@250,310");
}

TEST_F(DropZoneTest, PutLaysItemsClearOfEachOtherAndFailsWithoutChangeWhenFull) {
  // The shelf leaves a 40-pixel item one row of spots, x 0 to 35; a crate
  // at the shelf's corner covers every spot with both coordinates up to 31.
  ODropZonesRegistry::GetInstance()->Set("shelf", "crate", 500, 100);
  std::unique_ptr<ODropZone> zone(ODropZone::CreateFromXml("shelf", manager.get(), true));
  ASSERT_TRUE(zone);
  IItem* box = Loose("box");
  ASSERT_TRUE(zone->Put(box));
  EXPECT_EQ(At(box), TPoint(535, 100));
  EXPECT_EQ(Records("shelf"), "crate@500,100 box@535,100");

  std::unique_ptr<IItem> third(Loose("crate"));
  EXPECT_TRUE(zone->CanPlace(third.get()));  // the shape has room, the items leave none
  EXPECT_FALSE(zone->Put(third.get()));
  EXPECT_EQ(zone->GetItems().size(), 2u);
  EXPECT_EQ(Records("shelf"), "crate@500,100 box@535,100");
}

TEST_F(DropZoneTest, ZonesWithoutRoomForTheItem) {
  std::unique_ptr<IItem> crate(Loose("crate"));
  std::unique_ptr<IItem> dot(Loose("dot"));
  std::unique_ptr<ODropZone> narrow(ODropZone::CreateFromXml("narrow", manager.get(), true));
  std::unique_ptr<ODropZone> nowhere(ODropZone::CreateFromXml("nowhere", manager.get(), true));
  ASSERT_TRUE(narrow && nowhere);
  // Every row of the narrow zone is 30 pixels, less than the crate's 40.
  EXPECT_FALSE(narrow->CanPlace(crate.get()));
  EXPECT_FALSE(narrow->Put(crate.get()));
  EXPECT_TRUE(narrow->CanPlace(dot.get()));
  // A zone whose texture is missing has no shape at all.
  EXPECT_FALSE(nowhere->CanPlace(dot.get()));
  EXPECT_EQ(Records("narrow"), "none");
}

TEST_F(DropZoneTest, SpotChoiceReachesEveryPartAndRepeatsWithinASecond) {
  // The draw is scaled to its own range: over a minute of game time the
  // choice among 48 spots spreads from the first to the last.
  size_t low = 48, high = 0;
  // The clock is shared by every test of the process: start on a whole second.
  TPlatform* platform = TPlatform::GetInstance();
  platform->Tick(1000 - platform->Timer() % 1000);
  for (int second = 0; second < 60; ++second) {
    size_t first = ODropZone::ChooseSpot(48);
    TPlatform::GetInstance()->Tick(400);
    EXPECT_EQ(ODropZone::ChooseSpot(48), first) << "same second, same spot";
    TPlatform::GetInstance()->Tick(600);
    ASSERT_LT(first, 48u);
    low = std::min(low, first);
    high = std::max(high, first);
  }
  EXPECT_LT(low, 8u);
  EXPECT_GT(high, 40u);
  EXPECT_EQ(ODropZone::ChooseSpot(1), 0u);
}

TEST_F(DropZoneTest, SetPutsIntoTheFirstZoneWithRoom) {
  ODropZoneSet set(&manager->masks, nullptr);
  TXmlNode list("drop_zones");
  ASSERT_TRUE(
      list.ParseString("<drop_zones><zone name='narrow'/><zone name='missing_zone'/><zone name='table' "
                       "draw_items='false'/></drop_zones>"));
  set.AddZonesFromXml(&list);
  ASSERT_EQ(set.GetZones().size(), 2u);
  EXPECT_TRUE(set.GetZones()[0]->GetDrawItems());
  EXPECT_FALSE(set.GetZones()[1]->GetDrawItems());

  IItem* crate = Loose("crate");
  EXPECT_TRUE(set.CanPlace(crate));
  ASSERT_TRUE(set.Put(crate));
  EXPECT_EQ(set.GetZones()[1]->GetItems().size(), 1u);
  TPoint at = At(crate);
  // Inside the table, on the 5-pixel grid of its corner, clear of its edges.
  EXPECT_TRUE(at.x >= 200 && at.x <= 255 && at.y >= 300 && at.y <= 315) << at.x << "," << at.y;
  EXPECT_EQ(int(at.x - 200) % 5, 0);
  EXPECT_EQ(int(at.y - 300) % 5, 0);

  ODropZoneSet none(&manager->masks, nullptr);
  EXPECT_TRUE(none.IsEmpty());
  std::unique_ptr<IItem> dot(Loose("dot"));
  EXPECT_FALSE(none.Put(dot.get()));
}

TEST_F(DropZoneTest, PointerFindsItemsAtTheDiagonalSamplePoints) {
  ODropZonesRegistry::GetInstance()->Set("table", "dot", 250, 320);
  ODropZoneSet set(&manager->masks, nullptr);
  set.AddZone(ODropZone::CreateFromXml("table", manager.get(), true));
  ODropZonesMask mask(&set);
  struct Case {
    float x, y;
    bool hit;
  } cases[] = {
      {250, 320, true},  {252, 322, true},  {246, 324, true},  {256, 314, true},  {244, 326, true},
      {257, 327, false}, {243, 313, false}, {250, 324, false}, {253, 320, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(set.HitItems(TPoint(c.x, c.y)), c.hit) << c.x << "," << c.y;
    EXPECT_EQ(mask.HitTest(TPoint(c.x, c.y)), c.hit) << c.x << "," << c.y;
  }

  ODropZoneSet empty(&manager->masks, nullptr);
  ODropZonesMask idle(&empty);
  EXPECT_FALSE(idle.IsActive());
  EXPECT_FALSE(idle.HitTest(TPoint(250, 320)));
}

TEST_F(DropZoneTest, EmptyHandTakesAnItemBackAndTheRecordGoes) {
  ReadyPointer();
  ODropZonesRegistry::GetInstance()->Set("table", "crate", 210, 305);
  ODropZonesRegistry::GetInstance()->Set("table", "dot", 280, 340);
  ODropZoneSet set(&manager->masks, nullptr);
  set.AddZone(ODropZone::CreateFromXml("table", manager.get(), true));
  ODropZone* zone = set.GetZones()[0];
  IItem* crate = zone->GetItems()[0];

  ODropZonesMask mask(&set);
  mask.OnEnter(TPoint(215, 310));
  EXPECT_EQ(zone->GetHoveredItem(), crate);
  mask.OnLeave();
  EXPECT_EQ(zone->GetHoveredItem(), nullptr);

  size_t events = Events().size();
  ASSERT_TRUE(set.OnClick(TPoint(215, 310)));
  EXPECT_EQ(GMousePointer::GetInstance()->GetHeldItem(), crate);
  EXPECT_EQ(static_cast<OSimpleItem*>(crate)->GetPlace(), ItemPlace::stPointer);
  EXPECT_EQ(Registry("crate"), "1");
  ASSERT_EQ(Events().size(), events + 1);
  EXPECT_EQ(Events().back(), "item_get crate");
  EXPECT_EQ(zone->GetItems().size(), 1u);
  EXPECT_EQ(zone->GetHoveredItem(), nullptr);
  EXPECT_EQ(Records("table"), "dot@280,340");

  // A full hand takes nothing.
  EXPECT_FALSE(set.OnClick(TPoint(280, 340)));
  EXPECT_EQ(Records("table"), "dot@280,340");
  GMousePointer::GetInstance()->GetManager()->DeleteHeldItem();

  // The last one out leaves the key without records.
  ASSERT_TRUE(set.OnClick(TPoint(280, 340)));
  EXPECT_EQ(Records("table"), "none");
  GMousePointer::GetInstance()->GetManager()->DeleteHeldItem();
}

TEST_F(DropZoneTest, ProductsAndHiddenItems) {
  ReadyPointer();
  std::unique_ptr<ODropZone> zone(ODropZone::CreateFromXml("table", manager.get(), true));
  IItem* potion = Loose("potion");
  ASSERT_TRUE(zone->Put(potion));
  IItem* dot = Loose("dot");
  ASSERT_TRUE(zone->Put(dot));
  // A product is not recorded, so it is not there when the scene is built
  // again.
  EXPECT_EQ(Records("table").find("potion"), std::string::npos);
  EXPECT_NE(Records("table").find("dot@"), std::string::npos);

  // This product is locked in the zone: hovered, but not taken.
  TPoint at = At(potion);
  EXPECT_TRUE(zone->UpdateHover(at));
  EXPECT_EQ(zone->GetHoveredItem(), potion);
  EXPECT_FALSE(zone->OnClick(at));
  EXPECT_EQ(zone->GetItems().size(), 2u);
  EXPECT_EQ(GMousePointer::GetInstance()->GetHeldItem(), nullptr);

  // Items of a zone that draws nothing catch the pointer but are neither
  // hovered nor taken.
  ODropZonesRegistry::GetInstance()->Set("shelf", "crate", 500, 100);
  ODropZoneSet set(&manager->masks, nullptr);
  set.AddZone(ODropZone::CreateFromXml("shelf", manager.get(), false));
  EXPECT_TRUE(set.HitItems(TPoint(510, 110)));
  EXPECT_FALSE(set.UpdateHover(TPoint(510, 110)));
  EXPECT_FALSE(set.OnClick(TPoint(510, 110)));
  EXPECT_EQ(Records("shelf"), "crate@500,100");
}
}  // namespace
