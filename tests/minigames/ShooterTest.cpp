#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "game/GMiniGameScene.h"
#include "game/OFlagsRegistry.h"
#include "minigames/MinigameTestUtil.h"
#include "minigames/shooter/GShooterField.h"
#include "minigames/shooter/GShooterScene.h"
#include "rules/events/OMissionsManager.h"
#include "sdk/TReport.h"
#include "tools/panel/GGamePanel.h"
#include "visual/GVObject.h"

namespace {

// A range that records how its game ended instead of ending it.
class RecordingShooterScene : public GShooterScene {
 public:
  void Finish(bool won) override { finishes.push_back(won); }
  std::vector<bool> finishes;
};

// Every object is the fixture's 20 by 20 "thing", placed by its top-left
// corner: the wall mask and the first goal at (0, 0), the lamp at (100,
// 100), the second goal at (200, 200). The sight does not sway.
str Range(int goals, int bullets, int bulletIcons, int holes) {
  str xml = str::format(
      "<field goals='%d'><masks><wall visual='thing' x='0' y='0' hole='hole1'/></masks><holes>", goals);
  for (int i = 0; i < holes; ++i) xml += "<h visual='thing' x='-100' y='-100'/>";
  xml +=
      "</holes><environments><lamp visual='thing' x='100' y='100'/></environments>"
      "<goals><g visual='thing' x='0' y='0'/><g visual='thing' x='200' y='200'/></goals>";
  xml += str::format(
      "<gun shoot_state='kick' recoil='5' max_target_delta='0' min_target_delta='0'"
      " min_target_delta_step='0.5' bullets='%d' target='thing' gun='thing'/><bullets>",
      bullets);
  for (int i = 0; i < bulletIcons; ++i) xml += "<b visual='thing' x='0' y='500'/>";
  xml += "</bullets><icons>";
  for (int i = 0; i < 4; ++i) xml += "<i visual='thing' x='0' y='550'/>";
  return xml + "</icons></field>";
}

class ShooterTest : public MinigameTest {
 protected:
  void Load(const str& field) {
    // The sound log lives as long as the process: count this test's plays only.
    mLogStart = TSoundManager::GetInstance()->GetPlayLog().size();
    mScene.reset(new RecordingShooterScene());
    Field().Load(Xml(field), mScene.get(), &mRandom, &mList, "anim/");
  }
  void TearDown() override {
    mScene.reset();
    MinigameTest::TearDown();
  }
  GShooterField& Field() { return mScene->GetField(); }
  // A shot at the point once the gun has settled.
  void ShootAt(float x, float y) {
    for (int i = 0; i < 3; ++i) Field().Update();
    Field().GetGun().SetBase(x, y);
    Field().Shoot();
  }
  static str Look(GVObject* object) { return object->GetChild("main")->GetState().ToStr(); }
  size_t Played(const char* name) const {
    const auto& log = TSoundManager::GetInstance()->GetPlayLog();
    return std::count_if(log.begin() + long(mLogStart), log.end(),
                         [name](const TSoundManager::PlayRecord& r) {
                           return r.path.find(name) != str::npos && r.path.find(str(name) + "_") == str::npos;
                         });
  }

  std::unique_ptr<RecordingShooterScene> mScene;
  size_t mLogStart = 0;
};

TEST_F(ShooterTest, TheKickSettlesTwoPixelsATickAndHoldsTheNextShotWhileAboveZero) {
  Load(Range(2, 4, 4, 2));
  GShooterGun& gun = Field().GetGun();
  ASSERT_TRUE(gun.Fire());
  std::vector<float> recoil{gun.GetCurrentRecoil()};
  std::vector<bool> accepted;
  for (int i = 0; i < 3; ++i) {
    gun.Update();
    recoil.push_back(gun.GetCurrentRecoil());
  }
  gun.Update();
  recoil.push_back(gun.GetCurrentRecoil());
  EXPECT_EQ(recoil, (std::vector<float>{5, 3, 1, -1, 0}));

  // At 3 and 1 refused without using a bullet; at -1 accepted.
  ASSERT_TRUE(gun.Fire());
  for (int i = 0; i < 3; ++i) {
    accepted.push_back(gun.Fire());
    gun.Update();
  }
  EXPECT_EQ(accepted, (std::vector<bool>{false, false, false}));
  EXPECT_TRUE(gun.Fire());
  EXPECT_EQ(gun.GetBulletsLeft(), 1);
}

TEST_F(ShooterTest, TheSightSwaysFromSideToSideAtItsStep) {
  str range = Range(2, 4, 4, 2);
  range.replace_all("target_delta='0'", "target_delta='4'");
  range.replace_all("step='0.5'", "step='1'");
  Load(range);
  GShooterGun& gun = Field().GetGun();
  std::vector<float> offsets;
  for (int i = 0; i < 24; ++i) {
    gun.Update();
    offsets.push_back(gun.GetOffsetX());
  }
  // One pixel a tick, turning at 4 on either side: from 0 to one side, then
  // eight ticks across to the other, and back.
  int turns = 0;
  for (size_t i = 1; i < offsets.size(); ++i) {
    EXPECT_EQ(std::fabs(offsets[i] - offsets[i - 1]), 1.0f) << i;
    EXPECT_LE(std::fabs(offsets[i]), 4.0f);
    if (std::fabs(offsets[i]) == 4) ++turns;
  }
  EXPECT_GE(turns, 3);
  // The sight is centred on the mouse plus the sway.
  EXPECT_EQ(gun.GetSight()->deltaX, 400 - 10 + offsets.back());
}

TEST_F(ShooterTest, TheGunFollowsTheMouseButStaysLowAndKicksUp) {
  // 600 + recoil 5 - height 20 = 585 is as high as the gun's top goes.
  struct Case {
    float baseY;
    bool fired;
    float gunY;
  };
  const Case cases[] = {{300, false, 585}, {590, false, 590}, {300, true, 582}, {590, true, 587}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.baseY << (c.fired ? " fired" : ""));
    Load(Range(2, 4, 4, 2));
    GShooterGun& gun = Field().GetGun();
    gun.SetBase(250, c.baseY);
    if (c.fired) gun.Fire();
    gun.Update();
    EXPECT_EQ(gun.GetGunObject()->deltaX, 240);
    EXPECT_EQ(gun.GetGunObject()->deltaY, c.gunY);
    EXPECT_EQ(gun.GetSight()->deltaX, 240);
    EXPECT_EQ(gun.GetSight()->deltaY, c.baseY - 10);
  }
}

TEST_F(ShooterTest, ABrokenGoalPassesTheShotToTheSceneryAndTheWall) {
  Load(Range(2, 4, 4, 2));
  GVObject* goal = Field().GetGoals()[0];
  // The goal lies over the wall: a hit leaves no hole.
  ShootAt(10, 10);
  EXPECT_EQ(Look(goal), "break");
  EXPECT_EQ(Field().GetGoalsHit(), 1);
  EXPECT_EQ(Field().GetHolesUsed(), 0);
  EXPECT_EQ(Look(Field().GetIcons()[0]), "good");
  EXPECT_EQ(Played("ricoshet_con"), 1u);
  EXPECT_EQ(Played("ricoshet"), 0u);
  // Broken, it takes the next shot no more: the hole is placed where the
  // sight is, at the front, in the wall's hole state.
  ShootAt(15, 16);
  EXPECT_EQ(Field().GetGoalsHit(), 1);
  ASSERT_EQ(Field().GetHolesUsed(), 1);
  GVObject* hole = Field().GetHoles()[0];
  EXPECT_EQ(hole->deltaX, 15);
  EXPECT_EQ(hole->deltaY, 16);
  EXPECT_EQ(hole->deltaZ, 0);
  EXPECT_EQ(Look(hole), "hole1");
  EXPECT_EQ(Look(Field().GetIcons()[1]), "bad");
  EXPECT_EQ(Played("ricoshet"), 1u);
  // Scenery breaks once; a shot outside the wall leaves no hole.
  ShootAt(110, 110);
  EXPECT_EQ(Look(Field().GetEnvironments()[0]), "break");
  EXPECT_EQ(Field().GetHolesUsed(), 1);
  EXPECT_EQ(Played("shot"), 3u);
}

TEST_F(ShooterTest, WhenTheHolesRunOutAMissLeavesNone) {
  Load(Range(2, 4, 4, 1));
  // The first shot breaks the goal over the wall; the next two hit the wall.
  ShootAt(5, 5);
  ShootAt(15, 15);
  ShootAt(10, 10);
  EXPECT_EQ(Field().GetHolesUsed(), 1);
  EXPECT_EQ(Played("ricoshet"), 1u);
  EXPECT_EQ(Look(Field().GetIcons()[2]), "bad");
}

TEST_F(ShooterTest, TheGameEndsAtTheGoalCountOrTheLastBullet) {
  struct Case {
    int goals, bullets;
    std::vector<std::pair<float, float>> shots;
    std::vector<bool> finishes;
  };
  const Case cases[] = {
      {0, 4, {{400, 400}}, {true}},
      {2, 4, {{10, 10}, {210, 210}}, {true}},
      {2, 2, {{10, 10}, {400, 400}}, {false}},
      {2, 4, {{10, 10}, {400, 400}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.goals << " goals, " << c.bullets << " bullets");
    Load(Range(c.goals, c.bullets, 4, 2));
    for (const auto& shot : c.shots) ShootAt(shot.first, shot.second);
    EXPECT_EQ(mScene->finishes, c.finishes);
  }
}

TEST_F(ShooterTest, BulletIconsPastTheListMarkNothing) {
  // Three bullets, one icon: the first two shots' icons would lie past it.
  Load(Range(2, 3, 1, 2));
  GVObject* icon = Field().GetBullets()[0];
  ShootAt(400, 400);
  ShootAt(400, 400);
  EXPECT_EQ(Look(icon), "normal");
  ShootAt(400, 400);
  EXPECT_EQ(Look(icon), "used");
}

TEST_F(ShooterTest, ASavedGameComesBackWhole) {
  Load(Range(2, 4, 4, 2));
  ShootAt(10, 10);
  ShootAt(15, 15);
  ShootAt(110, 110);
  for (int i = 0; i < 7; ++i) Field().Update();
  TXmlNode saved("shooter");
  Field().Save(&saved);

  Load(Range(2, 4, 4, 2));
  Field().Restore(&saved);
  TXmlNode again("shooter");
  Field().Save(&again);
  EXPECT_EQ(again.AsString(), saved.AsString());
  std::vector<str> bullets;
  for (GVObject* bullet : Field().GetBullets()) bullets.push_back(Look(bullet));
  EXPECT_EQ(bullets, (std::vector<str>{"normal", "used", "used", "used"}));
  // After a restore the haze first shrinks.
  float scale = Field().GetScale();
  Field().Update();
  EXPECT_LT(Field().GetScale(), scale);
}

TEST_F(ShooterTest, ADamagedSaveMarksOnlyWhatExists) {
  Load(Range(2, 4, 4, 2));
  // More shots than icons, counts below zero, and entries past the lists.
  TXmlNode* saved =
      Xml("<shooter fs='1.2' gm='-3' s='9' hc='-1'><gun b='-2'/>"
          "<goals><goal s='break'/><goal s='normal'/><goal s='break'/></goals>"
          "<holes><hole s='hole1' x='5' y='6' z='0'/><hole/><hole s='hole1'/></holes></shooter>");
  Field().Restore(saved);
  for (GVObject* bullet : Field().GetBullets()) EXPECT_EQ(Look(bullet), "used");
  EXPECT_EQ(Look(Field().GetGoals()[0]), "break");
  EXPECT_EQ(Field().GetHoles()[0]->deltaX, 5);
  EXPECT_EQ(Field().GetHolesUsed(), 0);
  EXPECT_EQ(Field().GetGoalsHit(), 0);
  // The last bullet is left, so that the next shot ends the game.
  EXPECT_EQ(Field().GetGun().GetBulletsLeft(), 1);
  ShootAt(30, 30);
  EXPECT_EQ(Field().GetHolesUsed(), 0);
  EXPECT_EQ(mScene->finishes, std::vector<bool>{false});

  // Counts at the top stay there.
  Load(Range(2, 4, 4, 2));
  Field().Restore(Xml("<shooter gm='2147483647' s='2147483647'><gun b='1'/></shooter>"));
  ShootAt(10, 10);
  EXPECT_EQ(Field().GetShots(), INT_MAX);
  EXPECT_EQ(Field().GetGoalsHit(), INT_MAX);
  EXPECT_EQ(mScene->finishes, std::vector<bool>{true});
}

TEST_F(ShooterTest, SavedBulletsLeftAreHeldToWhatAGameInPlayHas) {
  // Four bullets, two goals: a game in play has 1 to 4 bullets left, and the
  // shot that fires the last one ends it.
  struct Case {
    const char* b;
    int goalsHit;
    int left;
    bool reported;
    std::vector<bool> finishes;  // after one miss
  };
  const Case cases[] = {
      {"3", 0, 3, false, {}},      {"1", 0, 1, false, {false}}, {"0", 0, 1, true, {false}},
      {"-2", 1, 1, true, {false}}, {"9", 0, 4, true, {}},       {"x", 0, 1, true, {false}},
      {"0", 2, 1, true, {true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "b " << c.b << ", " << c.goalsHit << " goals hit");
    Load(Range(2, 4, 4, 2));
    size_t reports = ReportCount();
    Field().Restore(Xml(str::format("<shooter gm='%d' s='1'><gun b='%s'/></shooter>", c.goalsHit, c.b)));
    EXPECT_EQ(ReportCount() - reports, c.reported ? 1u : 0u);
    EXPECT_EQ(Field().GetGun().GetBulletsLeft(), c.left);
    ShootAt(400, 400);
    EXPECT_EQ(mScene->finishes, c.finishes);
  }
}

TEST_F(ShooterTest, NoShotIsFiredWhileTheSceneFadesIn) {
  // With one bullet left, a shot in the fade-in would be the last one, and
  // the end, which acts only while the scene plays, would never come.
  Load(Range(2, 1, 1, 2));
  ASSERT_EQ(mScene->GetState(), GScene::kFadeIn);
  mScene->OnMouseDown(TPoint(10, 10));
  EXPECT_EQ(Field().GetGun().GetBulletsLeft(), 1);
  EXPECT_EQ(Field().GetShots(), 0);
}

TEST_F(ShooterTest, TheSceneLetsItsPanelGoWhenDeleted) {
  GGamePanel panel;
  GShooterScene* scene = new GShooterScene();
  scene->AttachPanel(&panel);
  panel.SetClient(scene);
  ASSERT_NE(panel.GetParent(), nullptr);
  delete scene;
  EXPECT_EQ(panel.GetParent(), nullptr);
  EXPECT_EQ(panel.GetClient(), nullptr);
}

TEST_F(ShooterTest, AnEmptyFlagNameSetsNoVariable) {
  GMiniGameScene::SetExitFlag("", "true");
  GMiniGameScene::SetExitFlag("range_done", "true");
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValues().count(""), 0u);
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("range_done"), "true");
  OFlagsRegistry::DeleteInstance();
  OMissionsManager::DeleteInstance();
}

}  // namespace
