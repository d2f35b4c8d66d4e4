// The catapult's aim: its acceleration, its bounds (tested with the speed
// before it grows), and the aiming panel turned with it.

#include <cmath>

#include "CatapultTestUtil.h"
#include "minigames/catapult/GCatapultPanel.h"
#include "sdk/TWindowStyle.h"

namespace {

str Cursor(const char* bounds, const char* at) {
  return str::format(
      "<cursor %s %s min_speed_x='2' max_speed_x='4' delta_speed_x='0.5' min_speed_y='2' max_speed_y='4' "
      "delta_speed_y='0.5'/>",
      bounds, at);
}

TEST_F(CatapultTest, TheAimSpeedsUpBelowItsLimitAndRestsAtItsMinimum) {
  Make(FieldXml("max_ships='9'"));
  GCatapultCursor& cursor = field->GetCursor();
  // The speed grows only while the next step stays below the maximum (4).
  float x = 50;
  for (float step : {2.5f, 3.f, 3.5f, 3.5f}) {
    cursor.MoveLeft();
    x -= step;
    EXPECT_FLOAT_EQ(cursor.GetX(), x);
  }
  EXPECT_FLOAT_EQ(cursor.GetCursorObject()->deltaX, x);
  // Steered by a key, the speed is kept; without, it is back to 2.
  field->mHorizontal = -1;
  Tick();
  EXPECT_FLOAT_EQ(cursor.GetSpeedX(), 3.5f);
  field->mHorizontal = 0;
  Tick();
  EXPECT_FLOAT_EQ(cursor.GetSpeedX(), 2);
  // A panel button steering this tick keeps it too.
  cursor.MoveUp();
  field->Update(true);
  EXPECT_FLOAT_EQ(cursor.GetSpeedY(), 2.5f);
}

TEST_F(CatapultTest, AMoveIsTestedWithTheSpeedBeforeItGrows) {
  Make(FieldXml("max_ships='9'", OnePath(), Cursor("x1='0' y1='0' x2='100' y2='100'", "x='2' y='50'")));
  GCatapultCursor& cursor = field->GetCursor();
  // Tested at 0, moved by 2.5: half a pixel beyond the bound.
  cursor.MoveLeft();
  EXPECT_FLOAT_EQ(cursor.GetX(), -0.5f);
  EXPECT_FLOAT_EQ(cursor.GetSpeedX(), 2.5f);
  // Refused, without growing.
  cursor.MoveLeft();
  EXPECT_FLOAT_EQ(cursor.GetX(), -0.5f);
  EXPECT_FLOAT_EQ(cursor.GetSpeedX(), 2.5f);
  cursor.MoveRight();
  EXPECT_FLOAT_EQ(cursor.GetX(), 2.5f);
}

TEST_F(CatapultTest, EqualBoundsRefuseEveryMove) {
  struct Case {
    const char* bounds;
    float yaw, pitch;
  } cases[] = {{"x1='50' y1='0' x2='50' y2='100'", -70, -45}, {"x1='0' y1='50' x2='100' y2='50'", 0, -10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bounds);
    Make(FieldXml("max_ships='9'", OnePath(), Cursor(c.bounds, "x='50' y='50'")));
    GCatapultCursor& cursor = field->GetCursor();
    cursor.MoveLeft();
    cursor.MoveRight();
    cursor.MoveUp();
    cursor.MoveDown();
    EXPECT_FLOAT_EQ(cursor.GetX(), 50);
    EXPECT_FLOAT_EQ(cursor.GetY(), 50);
    EXPECT_FLOAT_EQ(cursor.GetSpeedX(), 2);
    // The angles take the start of the way rather than dividing by zero.
    EXPECT_FLOAT_EQ(cursor.Yaw(50), c.yaw);
    EXPECT_FLOAT_EQ(cursor.Pitch(50), c.pitch);
  }
}

TEST_F(CatapultTest, TheAimingPanelTurnsWithTheAim) {
  GCatapultPanel panel;
  TWindowStyle style;
  panel.Init(style);
  auto sine = [](const TSpriteRef& sprite) { return sprite->GetMatrix().m[0][1]; };
  const float kRadians = 3.1415927f / 180;
  // Bounds 100..300 across, 0..100 down: the bucket from -10 to -80
  // degrees, the catapult from -70 to +70.
  struct Case {
    float x, y, yaw, pitch;
  } cases[] = {{100, 0, -70, -10}, {300, 100, 70, -80}, {200, 50, 0, -45}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    Make(
        FieldXml("max_ships='9'", OnePath(),
                 Cursor("x1='100' y1='0' x2='300' y2='100'", str::format("x='%g' y='%g'", c.x, c.y).c_str())),
        &panel);
    EXPECT_FLOAT_EQ(field->GetCursor().Yaw(c.x), c.yaw);
    EXPECT_FLOAT_EQ(field->GetCursor().Pitch(c.y), c.pitch);
    EXPECT_NEAR(sine(panel.GetBucketSprite()), std::sin(c.pitch * kRadians), 1e-5);
    EXPECT_NEAR(sine(panel.GetCatapultSprite()), std::sin(c.yaw * kRadians), 1e-5);
    EXPECT_NEAR(sine(panel.GetShadowSprite()), std::sin(c.yaw * kRadians), 1e-5);
  }
  // A restore turns them at once.
  TXmlNode saved;
  ASSERT_TRUE(saved.ParseString(
      "<catapult ft='-1'><cursor x='100' y='100' r='140' p='70' dx='2' dy='2'/></catapult>"));
  field->Restore(&saved);
  EXPECT_NEAR(sine(panel.GetBucketSprite()), std::sin(-80 * kRadians), 1e-5);
  EXPECT_NEAR(sine(panel.GetCatapultSprite()), std::sin(-70 * kRadians), 1e-5);
  EXPECT_FLOAT_EQ(field->GetCursor().GetCursorObject()->deltaY, 100);
  field.reset();
}

}  // namespace
