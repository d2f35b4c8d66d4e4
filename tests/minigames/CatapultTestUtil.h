#pragma once
// The catapult tests' field: loaded from the XML text of its configuration
// on the small tree under tests/fixtures/catapult (ships 40 by 40 centred
// on their place, with a 20 by 10 hull mask from 10 to 20 pixels below
// it), with a seeded generator and a draw list of the test's own. By
// default the sea runs from y 0 to 100 and a ship's path takes 100
// progress, so a ship's y and depth are its progress.

#include <gtest/gtest.h>

#include <memory>

#include "minigames/catapult/GCatapultField.h"
#include "sdk/TPlatform.h"
#include "sdk/TRandom.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "visual/GVDrawList.h"
#include "visual/VisualTestUtil.h"

// One path "a" (center 1, x 100) of the given travel time, delta and
// minimum.
inline str OnePath(int travel = 100, int delta = 0, int min = 0) {
  return str::format(
      "<pathes top='0' bottom='100'><path id='a' center='1' start='100' finish='100' travel_time='%d' "
      "time_delta='%d' min_time='%d'/></pathes>",
      travel, delta, min);
}

// Paths "a" (center 1, x 100) and "b" (center 2, x 300).
inline str TwoPaths() {
  return "<pathes top='0' bottom='100'>"
         "<path id='a' center='1' start='100' finish='100' travel_time='100'/>"
         "<path id='b' center='2' start='300' finish='300' travel_time='100'/></pathes>";
}

inline str FieldXml(const str& params, const str& pathes = OnePath(), const str& cursor = str(),
                    int speed = 1) {
  return str::format(
             "<field>%s<ships><ship center='1' speed='%d' visual='boat'/><ship center='2' speed='%d' "
             "visual='barge'/></ships><params %s/>",
             pathes.c_str(), speed, speed, params.c_str()) +
         (cursor.empty() ? str("<cursor x1='0' y1='0' x2='100' y2='100' x='50' y='50' min_speed_x='2' "
                               "max_speed_x='4' delta_speed_x='0.5' min_speed_y='2' max_speed_y='4' "
                               "delta_speed_y='0.5'/>")
                         : cursor) +
         "</field>";
}

class CatapultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessRenderer();
    mOldRoot = TPlatform::GetContentRoot();
    TPlatform::SetContentRoot(str(TOLVANE_TEST_FIXTURES) + "/catapult");
  }
  void TearDown() override {
    field.reset();
    TPlatform::SetContentRoot(mOldRoot);
    TWindowManager::DestroyInstance();
  }
  GCatapultField& Make(const str& xml, GCatapultPanel* panel = nullptr) {
    field.reset(new GCatapultField(nullptr, &random, &list));
    TXmlNode node;
    EXPECT_TRUE(node.ParseString(xml));
    field->Load(&node, panel);
    // No launch falls due before StartNew draws the first interval.
    field->mNextShipTime = 1 << 30;
    return *field;
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) field->Update(false);
  }
  GVObject* Main(GCatapultShip* ship) { return ship->GetVisual()->GetChild("main"); }

  TRandom random{7};
  GVDrawList list;
  std::unique_ptr<GCatapultField> field;

 private:
  str mOldRoot;
};
