// The alchemical device item: its records, what it takes and refuses, its
// brew, its potion and the removal of unnecessary items.

#include "items/OBasementFlaskItem.h"
#include "items/OMatchesBoxItem.h"
#include "tools/AlchemyTestUtil.h"

namespace {

typedef OAlchemicalDeviceItem Device;

class AlchemicalDeviceTest : public AlchemyTest {
 protected:
  // A lit device with water in it and the panel shown.
  void Filled() {
    Light();
    MakeDevice();
    Drop("jug");
    Hold("");
    panel->SetSlideState(GAlchemicalDevicePanel::kShown);
  }
  // Puts each item in and lets it fall.
  void Add(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      Drop(name);
      FallAll();
    }
  }
  static str Events(size_t from) {
    const std::vector<str>& asked = Events();
    str text;
    for (size_t i = from; i < asked.size(); ++i) text += (text.empty() ? "" : ", ") + asked[i];
    return text;
  }
  static std::vector<str> Events() { return OMissionsManager::GetInstance()->GetAsked(); }
  // The effects started so far in the device's effect container.
  size_t Effects() const { return device->GetEffects()->GetChildren().size(); }
};

TEST_F(AlchemicalDeviceTest, RecordsRestoreTheContentsOrAReadyPotion) {
  typedef ODropZonesRegistry::Record R;
  struct Case {
    std::vector<R> records;
    int state;
    const char* cells;
    const char* liquid;
    int recipe;
    size_t reports;
  } cases[] = {
      {{{"0"}, {"herb"}, {"water", 300, 400}}, Device::kIdle, "herb - -", "water", -1, 0},
      // The liquid is known by its id, wherever it stood.
      {{{"0"}, {"water", 0, 400}, {"bark"}}, Device::kIdle, "bark - -", "water", -1, 0},
      {{{"0"}, {"no_such_item"}, {"herb"}}, Device::kIdle, "herb - -", "", -1, 1},
      {{{"0"}, {"milk", 10, 10}}, Device::kIdle, "- - -", "", -1, 1},
      {{{"5"}, {"1"}}, Device::kPotionReady, "- - -", "", 1, 0},
      {{{"5"}, {"7"}}, Device::kIdle, "- - -", "", -1, 1},
      {{{"5"}, {"-1"}}, Device::kIdle, "- - -", "", -1, 1},
      {{{"5"}, {"1x"}}, Device::kIdle, "- - -", "", -1, 1},
      {{{"5"}}, Device::kIdle, "- - -", "", -1, 1},
      {{{"3"}, {"herb"}}, Device::kIdle, "- - -", "", -1, 1},
  };
  for (const Case& c : cases) {
    size_t reports = ReportCount();
    MakeDevice(c.records);
    str what = c.records[0].item;
    if (c.records.size() > 1) what += " " + c.records[1].item;
    EXPECT_EQ(device->GetState(), c.state) << what;
    EXPECT_EQ(Cells(), c.cells) << what;
    EXPECT_EQ(panel->GetLiquidName(), c.liquid) << what;
    EXPECT_EQ(device->GetRecipeIndex(), c.recipe) << what;
    EXPECT_EQ(ReportCount() - reports, c.reports) << what;
    bool shown = str(c.cells) != "- - -" || str(c.liquid) != "";
    EXPECT_EQ(panel->GetSlideState(),
              shown ? GAlchemicalDevicePanel::kShown : GAlchemicalDevicePanel::kHidden)
        << what;
    GVObject* liquid = panel->GetLiquidObject();
    if (liquid) {
      EXPECT_EQ(liquid->GetChild("main")->GetState().ToStr(), "stBoiling");
    }
    TearDown();
    SetUp();
  }
}

TEST_F(AlchemicalDeviceTest, ARestoredReadyPotionShowsEveryPictureAndSmokes) {
  MakeDevice({{"5"}, {"0"}});
  ASSERT_NE(device->GetPotionEffect(), nullptr);
  EXPECT_EQ(device->GetPotionEffect()->GetParent(), host.get());
  EXPECT_EQ(device->GetPotionEffect()->phase, OAlchemicalDevicePotionEffect::kComplete);
  EXPECT_EQ(device->GetPotionEffect()->GetChildren().size(), 3u);
  EXPECT_NE(device->GetSmokeEffect(), nullptr);
}

TEST_F(AlchemicalDeviceTest, SavedRecordsFollowTheState) {
  Filled();
  Add({"herb"});
  Drop("bark");
  device->SaveState();
  // Falling: the item is written after the cells, the liquid last.
  EXPECT_EQ(Records(), "0 herb bark water@300,400");
  FallAll();
  device->Brew();
  EXPECT_EQ(device->GetState(), Device::kSmoking);
  device->SaveState();
  EXPECT_EQ(Records(), "5 0");
  TXmlNode save("save");
  ODropZonesRegistry::GetInstance()->Save(&save);
  TXmlNode copy;
  ASSERT_TRUE(copy.ParseString(save.AsString()));
  ODropZonesRegistry::GetInstance()->Load(&copy);
  EXPECT_EQ(Records(), "5 0");
}

TEST_F(AlchemicalDeviceTest, AnUnlitDeviceLightsOnlyWithABurningMatchOfItsOwn) {
  MakeDevice();
  struct Case {
    const char* held;
    bool burning;
  } refused[] = {{"rock", false}, {"matches", false}, {"other_matches", true}};
  for (const Case& c : refused) {
    IItem* held = Hold(c.held);
    if (c.burning) held->Use(TPoint(0, 0));
    size_t sounds = SoundCount();
    device->OnMaskClick(mask);
    EXPECT_EQ(Sounds(sounds), "impossible.wav") << c.held;
    EXPECT_EQ(Held(), c.held);
  }
  EXPECT_EQ(Hints(), "h_fire h_fire h_fire");
  EXPECT_FALSE(device->IsLit());
  Hold("");
  device->OnMaskClick(mask);
  EXPECT_EQ(Hints(), "h_fire h_fire h_fire");

  auto* box = static_cast<OMatchesBoxItem*>(Hold("matches"));
  box->Use(TPoint(0, 0));
  ASSERT_EQ(box->GetMatchMode(), OMatchesBoxItem::kBurning);
  size_t sounds = SoundCount();
  size_t events = Events().size();
  device->OnMaskClick(mask);
  EXPECT_TRUE(device->IsLit());
  EXPECT_EQ(Sounds(sounds), "turn_on.wav");
  EXPECT_EQ(Events(events), "flag device_lit=true");
  EXPECT_EQ(box->GetMatchMode(), OMatchesBoxItem::kBox);
  EXPECT_EQ(Held(), "matches");
}

TEST_F(AlchemicalDeviceTest, RefusalsComeInTheirOrder) {
  struct Case {
    const char* contents;  // put in before, after water unless "dry"
    const char* item;
    const char* hint;
  } cases[] = {
      {"dry", "herb", "h_liquid"},
      {"dry", "bunch", "h_liquid"},  // a special item that falls is no liquid
      {"dry", "rock", "h_wrong_item"},
      {"", "rock", "h_wrong_item"},
      {"herb root bark", "seed", "h_no_empty_cell"},
      {"herb root bark", "jug", "h_no_empty_cell"},
      {"herb root bark", "rock", "h_wrong_item"},
  };
  for (const Case& c : cases) {
    Light();
    MakeDevice();
    if (str(c.contents) != "dry") {
      Drop("jug");
      for (const str& name : {str("herb"), str("root"), str("bark")})
        if (str(c.contents).find(name) != str::npos) {
          Drop(name);
          FallAll();
        }
    }
    size_t sounds = SoundCount();
    Drop(c.item);
    EXPECT_EQ(Hints(), c.hint) << c.contents << " + " << c.item;
    EXPECT_EQ(Sounds(sounds), "impossible.wav") << c.item;
    EXPECT_EQ(Held(), c.item);
    EXPECT_EQ(device->GetState(), Device::kIdle);
    TearDown();
    SetUp();
  }
}

TEST_F(AlchemicalDeviceTest, AnItemFallsAlongThePathThenFadesIntoItsCell) {
  Filled();
  IItem* herb = Hold("herb");
  device->OnMaskClick(mask);
  EXPECT_EQ(Held(), "none");
  EXPECT_EQ(device->GetFallingItem(), herb);
  EXPECT_EQ(device->GetState(), Device::kFalling);
  std::vector<str> places;
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(device->GetState(), Device::kFalling) << "tick " << i;
    Tick(1);
    places.push_back(str::format("%g,%g", herb->GetObject()->deltaX, herb->GetObject()->deltaY));
  }
  // Three ticks on each point, the item's 20 by 10 centred on it.
  EXPECT_EQ(places[0], "90,95");
  EXPECT_EQ(places[2], "90,95");
  EXPECT_EQ(places[3], "190,295");
  EXPECT_EQ(device->GetState(), Device::kIdle);
  EXPECT_EQ(Cells(), "herb - -");
  EXPECT_EQ(Registry("herb"), "3");
  // The panel ticked its cell on the tick the fall ended.
  EXPECT_EQ(panel->GetCell(0)->GetCellState(), GAlchemicalDeviceCell::kFilling);
  EXPECT_FLOAT_EQ(herb->GetObject()->alpha, 0.1f);
}

TEST_F(AlchemicalDeviceTest, WithoutAFallPathTheItemGoesStraightIntoItsCell) {
  Guide()->RemoveChild(Guide()->GetChild("item_fall"));
  Filled();
  Drop("herb");
  EXPECT_EQ(device->GetState(), Device::kIdle);
  EXPECT_EQ(Cells(), "herb - -");
  EXPECT_EQ(panel->GetCell(0)->GetCellState(), GAlchemicalDeviceCell::kFilling);
}

TEST_F(AlchemicalDeviceTest, SpecialItemsDropOneThingAndLeaveAnother) {
  Filled();
  Drop("bunch");
  EXPECT_EQ(Held(), "stalk");
  ASSERT_NE(device->GetFallingItem(), nullptr);
  EXPECT_EQ(device->GetFallingItem()->GetName(), "herb");
  EXPECT_EQ(Registry("stalk"), "1");
  FallAll();
  EXPECT_EQ(Cells(), "herb - -");

  // Without a hand_id nothing changes hands.
  size_t reports = ReportCount();
  Drop("odd_bunch");
  EXPECT_EQ(Held(), "odd_bunch");
  EXPECT_EQ(Hints(), "h_wrong_item");
  EXPECT_EQ(ReportCount(), reports + 1);
  EXPECT_EQ(device->GetState(), Device::kIdle);
  EXPECT_EQ(Cells(), "herb - -");

  // A second bunch would make a second herb: refused, without a report,
  // while one is in play.
  Drop("bunch");
  EXPECT_EQ(Held(), "bunch");
  EXPECT_EQ(Hints(), "h_wrong_item h_wrong_item");
  EXPECT_EQ(ReportCount(), reports + 1);
  EXPECT_EQ(device->GetFallingItem(), nullptr);
  EXPECT_EQ(Cells(), "herb - -");
}

TEST_F(AlchemicalDeviceTest, PouringTakesTheFirstLiquidOnlyAndMayLeaveAnotherItemInHand) {
  Light();
  MakeDevice();
  size_t sounds = SoundCount();
  Drop("bucket");
  EXPECT_EQ(Held(), "bucket_empty");
  EXPECT_EQ(Sounds(sounds), "add_liquid.wav");
  EXPECT_EQ(panel->GetLiquidName(), "water");
  EXPECT_EQ(panel->GetSlideState(), GAlchemicalDevicePanel::kSlidingIn);
  EXPECT_EQ(device->GetState(), Device::kIdle);
  EXPECT_NE(device->GetSteamEffect(), nullptr);
  // A second liquid is ignored: no sound, still in hand.
  sounds = SoundCount();
  Drop("jug");
  EXPECT_EQ(Held(), "jug");
  EXPECT_EQ(Sounds(sounds), "");
  EXPECT_EQ(Hints(), "");
}

TEST_F(AlchemicalDeviceTest, AFlaskPouredOutStaysInHandEmpty) {
  Light();
  MakeDevice();
  IItem* phial = Hold("phial");
  OBasementFlaskItem::SetPotion(static_cast<OBasementFlaskItem*>(phial), "water", true);
  ASSERT_EQ(phial->GetCurrentName(), "flask_water");
  device->OnMaskClick(mask);
  EXPECT_EQ(panel->GetLiquidName(), "water");
  EXPECT_EQ(Held(), "phial");
  EXPECT_EQ(phial->GetCurrentName(), "flask_empty");
  EXPECT_EQ(Registry("phial"), "1,0");
}

TEST_F(AlchemicalDeviceTest, TheActiveRecipeDecidesWhichLiquidGoesIn) {
  struct Case {
    const char* active;
    bool poured;
  } cases[] = {{"null", true}, {"sleep", true}, {"rub", false}, {"no_such_recipe", false}};
  for (const Case& c : cases) {
    Light();
    OFlagsRegistry::GetInstance()->SetValue("active_recipe_name", c.active);
    MakeDevice();
    Drop("jug");
    EXPECT_EQ(panel->HasLiquid(), c.poured) << c.active;
    EXPECT_EQ(Hints(), c.poured ? "" : "h_wrong_liquid") << c.active;
    TearDown();
    SetUp();
  }
}

TEST_F(AlchemicalDeviceTest, TheLastIngredientOfTheActiveRecipeHasItsOwnCue) {
  struct Case {
    const char* active;
    const char* sounds;  // of the herb, then the bark
  } cases[] = {
      {"health", "item_add.wav last_item.wav"},
      {"null", "item_add.wav item_add.wav"},
      {"sleep", "item_add.wav item_add.wav"},
  };
  for (const Case& c : cases) {
    OFlagsRegistry::GetInstance()->SetValue("active_recipe_name", c.active);
    Filled();
    size_t sounds = SoundCount();
    size_t effects = Effects();
    Drop("herb");
    Drop("herb");  // refused while the first falls: no feedback
    FallAll();
    Drop("bark");
    EXPECT_EQ(Sounds(sounds), c.sounds) << c.active;
    EXPECT_EQ(Effects(), effects + 2) << c.active;  // a random or completed effect each
    TearDown();
    SetUp();
  }
}

TEST_F(AlchemicalDeviceTest, NoRandomEffectsMeansTheSoundAlone) {
  Guide()->RemoveChild(Guide()->GetChild("random_effects"));
  Filled();
  size_t sounds = SoundCount();
  size_t effects = Effects();
  Drop("herb");
  EXPECT_EQ(Sounds(sounds), "item_add.wav");
  EXPECT_EQ(Effects(), effects);
}

TEST_F(AlchemicalDeviceTest, ABrewGivesTheIngredientsBackAndThePotionAppears) {
  Filled();
  Add({"herb", "bark"});
  size_t events = Events().size();
  size_t sounds = SoundCount();
  device->Brew();
  // The restore actions run before the items go back.
  EXPECT_EQ(Events(events),
            "potion_ready health, flag herb_back=true, item_scene_return herb, item_scene_return bark");
  EXPECT_EQ(Sounds(sounds), "done.wav");
  EXPECT_EQ(Cells(), "- - -");
  EXPECT_FALSE(panel->HasLiquid());
  EXPECT_EQ(panel->GetSlideState(), GAlchemicalDevicePanel::kSlidingOut);
  EXPECT_EQ(device->GetState(), Device::kSmoking);
  // Smoke for 20 ticks, over on the 21st; the pictures 10 ticks apart.
  Tick(20);
  EXPECT_EQ(device->GetState(), Device::kSmoking);
  Tick(1);
  EXPECT_EQ(device->GetState(), Device::kPotionAppearing);
  ASSERT_NE(device->GetPotionEffect(), nullptr);
  EXPECT_EQ(device->GetPotionEffect()->GetParent(), host.get());
  EXPECT_NE(device->GetPotionParticle(), nullptr);
  Tick(29);
  EXPECT_EQ(device->GetState(), Device::kPotionAppearing);
  Tick(1);
  EXPECT_EQ(device->GetState(), Device::kPotionReady);
  // Ready, the potion's particle leaves the container.
  const std::vector<TSpriteRef>& effects = device->GetEffects()->GetChildren();
  EXPECT_EQ(std::find(effects.begin(), effects.end(), TSpriteRef(device->GetPotionParticle())),
            effects.end());
}

TEST_F(AlchemicalDeviceTest, DoneDoesNothingOnAnEmptyDeviceAndAFailureGivesAllBack) {
  Light();
  MakeDevice();
  size_t sounds = SoundCount();
  size_t effects = Effects();
  device->Brew();
  EXPECT_EQ(Sounds(sounds), "");
  EXPECT_EQ(Effects(), effects);
  EXPECT_EQ(device->GetState(), Device::kIdle);

  Drop("jug");
  Hold("");
  Add({"seed", "herb"});
  sounds = SoundCount();
  device->Brew();
  EXPECT_EQ(Sounds(sounds), "done.wav");
  EXPECT_EQ(Cells(), "- - -");
  EXPECT_FALSE(panel->HasLiquid());
  EXPECT_EQ(device->GetState(), Device::kIdle);
  EXPECT_EQ(device->GetRecipeIndex(), -1);
  EXPECT_NE(device->GetSmokeEffect(), nullptr);  // the failed effect
  EXPECT_EQ(panel->GetSlideState(), GAlchemicalDevicePanel::kSlidingOut);
}

TEST_F(AlchemicalDeviceTest, DrawingOffTakesTheContainerTheRecipeNames) {
  struct Case {
    const char* held;
    const char* after;  // in hand afterwards
    int state;
  } cases[] = {
      {"bottle", "tonic", Device::kPotionLeaving},
      {"phial", "phial", Device::kPotionLeaving},  // an empty flask is filled
      {"herb", "herb", Device::kPotionReady},      // its result makes no item
      {"root", "root", Device::kPotionReady},      // a potion needs a flask
      {"seed", "seed", Device::kPotionReady},      // no entry for it
  };
  for (const Case& c : cases) {
    Light();
    MakeDevice({{"5"}, {"0"}});
    size_t sounds = SoundCount();
    Drop(c.held);
    EXPECT_EQ(Held(), c.after) << c.held;
    EXPECT_EQ(device->GetState(), c.state) << c.held;
    EXPECT_EQ(Sounds(sounds), c.state == Device::kPotionLeaving ? "pour.wav" : "") << c.held;
    if (str(c.held) == "phial") {
      EXPECT_EQ(Events().back(), "potion_create flask_health_complete");
    }
    if (c.state == Device::kPotionLeaving) {
      EXPECT_EQ(device->GetRecipeIndex(), -1);
      Tick(59);
      EXPECT_EQ(device->GetState(), Device::kPotionLeaving);
      Tick(1);
      EXPECT_EQ(device->GetState(), Device::kIdle);
      EXPECT_EQ(device->GetPotionEffect(), nullptr);
      EXPECT_TRUE(host->GetChildren().empty());
    }
    TearDown();
    SetUp();
  }
}

TEST_F(AlchemicalDeviceTest, ClearEmptiesTheDeviceOrThrowsTheReadyPotionAway) {
  Filled();
  Add({"herb"});
  // The shown panel boils until the device is cleared.
  EXPECT_NE(device->GetBoilingSound(), nullptr);
  size_t sounds = SoundCount();
  device->Clear();
  EXPECT_EQ(device->GetBoilingSound(), nullptr);
  EXPECT_EQ(Sounds(sounds), "clear.wav");
  EXPECT_EQ(Cells(), "- - -");
  EXPECT_FALSE(panel->HasLiquid());
  sounds = SoundCount();
  device->Clear();
  EXPECT_EQ(Sounds(sounds), "");
  TearDown();
  SetUp();

  Light();
  MakeDevice({{"5"}, {"0"}});
  device->Clear();
  EXPECT_EQ(device->GetState(), Device::kPotionLeaving);
  ASSERT_EQ(manager->log.size(), 1u);  // the clear effect, over everything
  EXPECT_NE(manager->log[0].find("top=1"), str::npos);
  Tick(60);
  EXPECT_EQ(device->GetState(), Device::kIdle);
}

TEST_F(AlchemicalDeviceTest, UnnecessaryItemsLeaveAfterTheHintAndTheirFade) {
  OFlagsRegistry::GetInstance()->SetValue("active_recipe_name", "health");
  Filled();
  Add({"seed", "herb", "bark"});
  device->Brew();
  EXPECT_EQ(Hints(), "h_unnecessary");
  EXPECT_EQ(device->GetState(), Device::kUnnecessaryItemsHint);
  Tick(5);
  EXPECT_EQ(device->GetState(), Device::kUnnecessaryItemsHint);
  device->OnSceneResumed();
  EXPECT_EQ(device->GetState(), Device::kRemovingUnnecessaryItems);
  EXPECT_EQ(device->GetRemovalList(), std::vector<int>({0}));
  ASSERT_EQ(manager->log.size(), 1u);  // the incorrect-item effect at the cell's centre
  EXPECT_NE(manager->log[0].find("at 115,525"), str::npos) << manager->log[0];
  Tick(39);
  EXPECT_EQ(panel->GetCell(0)->GetCellState(), GAlchemicalDeviceCell::kFull);
  Tick(1);
  EXPECT_EQ(panel->GetCell(0)->GetCellState(), GAlchemicalDeviceCell::kEmptying);
  Tick(9);
  EXPECT_EQ(panel->GetCell(0)->GetCellState(), GAlchemicalDeviceCell::kEmptied);
  EXPECT_EQ(device->GetState(), Device::kRemovingUnnecessaryItems);
  Tick(1);  // 50 ticks after the scene resumed
  EXPECT_EQ(device->GetState(), Device::kIdle);
  EXPECT_EQ(Cells(), "herb bark -");
  EXPECT_EQ(Registry("seed"), "0");
}

TEST_F(AlchemicalDeviceTest, TheActiveRecipeTestsRefuseABrewWithAHint) {
  struct Case {
    const char* contents;
    const char* hint;
    const char* active;
  } cases[] = {
      {"herb", "h_missing", "health"}, {"", "h_missing", "health"}, {"bark", "h_wrong_liquid", "rub"}};
  for (const Case& c : cases) {
    Filled();
    if (!str(c.contents).empty()) Add({c.contents});
    OFlagsRegistry::GetInstance()->SetValue("active_recipe_name", c.active);
    size_t sounds = SoundCount();
    device->Brew();
    EXPECT_EQ(Hints(), c.hint);
    EXPECT_EQ(Sounds(sounds), "done.wav");
    EXPECT_EQ(device->GetState(), Device::kIdle);
    EXPECT_TRUE(panel->HasLiquid());
    TearDown();
    SetUp();
  }
}

TEST_F(AlchemicalDeviceTest, WithEveryRecipeUnlockedAnyExactMatchBrews) {
  UseQuietTree();
  OFlagsRegistry::GetInstance()->SetValue("active_recipe_name", "health");
  Filled();
  Add({"seed"});
  device->Brew();
  EXPECT_EQ(Hints(), "");
  EXPECT_EQ(device->GetRecipeIndex(), 1);
  // Without smoke (and "sleep" has no effects at all) the potion window opens
  // with the brew; it has no pictures, so the potion is ready on the next tick.
  EXPECT_EQ(device->GetState(), Device::kPotionAppearing);
  Tick(1);
  EXPECT_EQ(device->GetState(), Device::kPotionReady);
}

TEST_F(AlchemicalDeviceTest, AFailureWithoutAFailedEffectStillGivesAllBack) {
  TXmlNode* effects = Guide()->GetChild("effects");
  effects->RemoveChild(effects->GetChildAt(effects->GetChildCount() - 1));
  Filled();
  Add({"seed", "herb"});
  device->Brew();
  EXPECT_EQ(Cells(), "- - -");
  EXPECT_EQ(device->GetState(), Device::kIdle);
  EXPECT_EQ(device->GetSmokeEffect(), nullptr);
}

}  // namespace
