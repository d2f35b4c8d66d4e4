// Item sounds by key, the playing list, volumes, the ambient controllers and
// the music themes with their fades.

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "StartupTestUtil.h"
#include "game/OSoundController.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVData.h"

namespace {
class SoundManagerTest : public StartupTest {
 protected:
  void SetUp() override {
    StartupTest::SetUp();
    logStart = Log().size();
  }
  static const std::vector<TSoundManager::PlayRecord>& Log() {
    return TSoundManager::GetInstance()->GetPlayLog();
  }
  // Paths played since the test began.
  std::vector<str> Played() const {
    std::vector<str> out;
    for (size_t i = logStart; i < Log().size(); ++i) out.push_back(Log()[i].path);
    return out;
  }
  static float Music() { return TSoundManager::GetInstance()->GetTypeVolume(TSound::kTypeMusic); }
  size_t logStart = 0;
};
}  // namespace

TEST_F(SoundManagerTest, ItemSoundsResolveToTheItemsFileElseTheDefault) {
  OSoundManager* sounds = OSoundManager::GetInstance();
  struct Case {
    const char* item;
    const char* event;
    const char* def;
    const char* file;
  } cases[] = {
      {"lamp", "get", "simple_item_get", "sounds/a.wav"},   // its own
      {"lamp", "put", "simple_item_put", "none"},           // its own silence
      {"stone", "get", "simple_item_get", "sounds/b.wav"},  // no "sounds": the default
      {"unknown", "get", "simple_item_get", "sounds/b.wav"},
      {"lamp", "open", "no_such_default", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(sounds->ResolveItemSound(c.item, c.event, c.def), c.file) << c.item;

  sounds->PlaySimpleItemGet("lamp");
  sounds->PlaySimpleItemPut("lamp");
  sounds->PlaySimpleItemGet("stone");
  sounds->PlayAlchemicalDeviceItemAdd("lamp");
  sounds->PlayAlchemicalDeviceItemAdd("stone");
  sounds->PlayMagicSound("health");
  sounds->PlayMagicSound("no_such_magic");
  sounds->PlayItemEvent("lamp", "get");
  sounds->PlayItemEvent("lamp", "rattle");  // default "none"
  EXPECT_EQ(Played(), (std::vector<str>{"sounds/a.wav", "sounds/b.wav", "sounds/c.wav", "sounds/b.wav",
                                        "sounds/c.wav", "sounds/a.wav"}));
  for (size_t i = logStart; i < Log().size(); ++i) EXPECT_EQ(Log()[i].type, TSound::kTypeEffects);
}

TEST_F(SoundManagerTest, EffectsStayListedUntilTheyFinishOrAreStopped) {
  OSoundManager* sounds = OSoundManager::GetInstance();
  sounds->PlayFile("sounds/a.wav");
  sounds->PlayFile("sounds/a.wav");
  sounds->PlayFile("sounds/missing.wav");  // nothing to play, nothing listed
  EXPECT_EQ(sounds->GetPlayingEffects().size(), 2u);
  Ticks(10);  // both 100 ms effects end
  EXPECT_TRUE(sounds->GetPlayingEffects().empty());

  sounds->PlayFile("sounds/a.wav");
  sounds->PlayFile("sounds/b.wav");
  sounds->StopAllSounds();
  EXPECT_TRUE(sounds->GetPlayingEffects().empty());
  EXPECT_EQ(TSoundManager::GetInstance()->CountPlaying(), 0);
}

TEST_F(SoundManagerTest, ControllersTakeFreeVolumeTypesAndFollowTheSoundVolume) {
  OSoundManager* sounds = OSoundManager::GetInstance();
  TSoundManager* sdk = TSoundManager::GetInstance();
  OSoundController* a = new OSoundController("sounds/a.wav", 0, 0, 0.8f, true);
  OSoundController* b = new OSoundController("sounds/b.wav", 0, 0, 1.f, true);
  OSoundController* c = new OSoundController("sounds/c.wav", 0, 0, 1.f, true);
  EXPECT_EQ(a->GetVolumeType(), 1);
  EXPECT_EQ(b->GetVolumeType(), 2);
  EXPECT_EQ(c->GetVolumeType(), 3);
  delete b;
  OSoundController* d = new OSoundController("sounds/b.wav", 0, 0, 1.f, true);
  EXPECT_EQ(d->GetVolumeType(), 2);

  sounds->SetSoundVolume(0.5f);
  EXPECT_FLOAT_EQ(sdk->GetTypeVolume(TSound::kTypeEffects), 0.5f);
  EXPECT_FLOAT_EQ(sdk->GetTypeVolume(1), 0.4f);
  EXPECT_FLOAT_EQ(sdk->GetTypeVolume(2), 0.5f);
  delete a;
  delete c;
  delete d;
  EXPECT_TRUE(sounds->GetControllers().empty());
}

TEST_F(SoundManagerTest, WaitingControllersPlayAgainAfterTheirWait) {
  // No random range: the wait is exactly the delay instead of a division by
  // zero.
  OSoundController fixed("sounds/a.wav", 5, 0, 1.f, false);
  fixed.SetPlayMode(OSoundController::kWaiting);
  EXPECT_EQ(fixed.GetWait(), 5);
  size_t before = Played().size();
  for (int i = 0; i < 3; ++i) fixed.Tick();
  EXPECT_EQ(fixed.GetMode(), OSoundController::kWaiting);
  fixed.Tick();  // the counter started at 1 and reaches 5
  EXPECT_EQ(fixed.GetMode(), OSoundController::kPlaying);
  EXPECT_EQ(Played().size(), before + 1);

  // When its sound ends it waits again; range 100 draws below 100.
  OSoundController random("sounds/a.wav", 0, 100, 1.f, false);
  random.SetPlayMode(OSoundController::kPlaying);
  Ticks(10);
  EXPECT_LT(random.GetWait(), 100);
  EXPECT_TRUE(random.GetMode() == OSoundController::kWaiting || random.GetWait() <= 1);

  // Nothing at all to wait: plays at once.
  OSoundController eager("sounds/a.wav", 0, 0, 1.f, false);
  eager.SetPlayMode(OSoundController::kWaiting);
  EXPECT_EQ(eager.GetMode(), OSoundController::kPlaying);
}

TEST_F(SoundManagerTest, ControllersReadTheirFiveAttributes) {
  TXmlNode node("sound");
  node.SetAttribute("file", "sounds/a.wav");
  node.SetAttribute("cycle", "true");
  node.SetAttribute("volume", "0.25");
  node.SetAttribute("max_delay_rand", "40");
  node.SetAttribute("delay", "7");
  std::unique_ptr<OSoundController> looping(OSoundController::CreateFromXml(&node));
  ASSERT_NE(looping, nullptr);
  EXPECT_EQ(looping->GetMode(), OSoundController::kPlaying);
  EXPECT_FLOAT_EQ(looping->GetVolume(), 0.25f);
  EXPECT_FLOAT_EQ(TSoundManager::GetInstance()->GetTypeVolume(looping->GetVolumeType()), 0.25f);
  ASSERT_FALSE(Log().empty());
  EXPECT_EQ(Log().back().path, "sounds/a.wav");
  EXPECT_TRUE(Log().back().loop);
  EXPECT_EQ(Log().back().type, looping->GetVolumeType());

  // Anything but "true" does not loop; its waits come from the range.
  node.SetAttribute("cycle", "TRUE");
  std::unique_ptr<OSoundController> waiting(OSoundController::CreateFromXml(&node));
  std::set<int> waits;
  for (int i = 0; i < 20; ++i) {
    waiting->SetPlayMode(OSoundController::kWaiting);
    waits.insert(waiting->GetWait());
  }
  EXPECT_GT(waits.size(), 1u) << "drawn from the range, not the delay";
  EXPECT_LT(*waits.rbegin(), 40);
  EXPECT_EQ(OSoundController::CreateFromXml(nullptr), nullptr);

  // Beyond the bounds of content numbers, each is held to them.
  node.SetAttribute("delay", "2147483647");
  node.SetAttribute("max_delay_rand", "2147483647");
  std::unique_ptr<OSoundController> far(OSoundController::CreateFromXml(&node));
  for (int i = 0; i < 20; ++i) {
    far->SetPlayMode(OSoundController::kWaiting);
    EXPECT_LT(far->GetWait(), kContentNumberLimit);
  }
}

TEST_F(SoundManagerTest, ADeletedControllerIsNeverCalledBack) {
  OSoundController* c = new OSoundController("sounds/a.wav", 0, 0, 1.f, false);
  c->SetPlayMode(OSoundController::kPlaying);
  int playing = TSoundManager::GetInstance()->CountPlaying();
  delete c;
  EXPECT_EQ(TSoundManager::GetInstance()->CountPlaying(), playing - 1);
  Ticks(10);  // the sound's end would have reached it
}

TEST_F(SoundManagerTest, ThemeChangeFadesOutLoadsAndFadesIn) {
  OSoundManager* sounds = OSoundManager::GetInstance();
  sounds->SetMusicVolume(0.6f);
  OThemeController& theme = sounds->GetThemeController();
  sounds->SetTheme("menu", false);
  EXPECT_EQ(theme.GetState(), OThemeController::kFadingOut);
  sounds->SetMusicVolume(0.5f);  // held during the fade, used from the next tick
  EXPECT_FLOAT_EQ(Music(), 0.6f);
  for (int i = 1; i <= 30; ++i) {
    theme.Update();
    EXPECT_NEAR(Music(), (1 - i / 30.f) * 0.5f, 1e-5) << i;
  }
  // The theme loaded at the end of the fade-out: its first track started.
  EXPECT_EQ(theme.GetState(), OThemeController::kFadingIn);
  EXPECT_EQ(theme.GetTrackCount(), 4u);
  EXPECT_EQ(theme.GetSoundCount(), 2u);  // track.wav shared by two tracks
  ASSERT_FALSE(Played().empty());
  EXPECT_EQ(Played().back(), "sounds/track.wav");
  EXPECT_EQ(Log().back().type, TSound::kTypeMusic);
  for (int i = 1; i <= 30; ++i) {
    theme.Update();
    EXPECT_NEAR(Music(), i / 30.f * 0.5f, 1e-5) << i;
  }
  EXPECT_EQ(theme.GetState(), OThemeController::kPlaying);
  sounds->SetMusicVolume(0.7f);
  EXPECT_FLOAT_EQ(Music(), 0.7f);

  // The same name again changes nothing.
  sounds->SetTheme("menu", true);
  EXPECT_EQ(theme.GetState(), OThemeController::kPlaying);
}

TEST_F(SoundManagerTest, TracksFollowInACircleWithPausesOfTicksPlusOne) {
  OThemeController& theme = OSoundManager::GetInstance()->GetThemeController();
  OSoundManager::GetInstance()->SetTheme("menu", false);
  for (int i = 0; i < 60; ++i) theme.Update();
  EXPECT_EQ(theme.GetCurrentTrack(), 0);
  // track.wav (200 ms) ends and the pause of 50 ticks begins.
  for (int i = 0; i < 20 && theme.GetCurrentTrack() == 0; ++i) Ticks(1);
  ASSERT_EQ(theme.GetCurrentTrack(), 1);
  size_t before = Played().size();
  for (int i = 0; i < 50; ++i) theme.Update();
  EXPECT_EQ(theme.GetCurrentTrack(), 1);
  theme.Update();
  EXPECT_EQ(theme.GetCurrentTrack(), 2);
  EXPECT_EQ(Played().size(), before + 1);
  EXPECT_EQ(Played().back(), "sounds/a.wav");
  for (int i = 0; i < 40 && theme.GetCurrentTrack() != 0; ++i) Ticks(1);
  EXPECT_EQ(theme.GetCurrentTrack(), 0);  // round to the first again
}

TEST_F(SoundManagerTest, ACyclingTrackHoldsTheThemeAndAnUnknownThemeIsSilent) {
  OSoundManager* sounds = OSoundManager::GetInstance();
  OThemeController& theme = sounds->GetThemeController();
  sounds->SetTheme("looping", false);
  for (int i = 0; i < 60; ++i) theme.Update();
  ASSERT_FALSE(Played().empty());
  EXPECT_TRUE(Log().back().loop);
  Ticks(40);
  EXPECT_EQ(theme.GetCurrentTrack(), 0);

  sounds->SetTheme("no_such_theme", false);
  for (int i = 0; i < 60; ++i) theme.Update();
  EXPECT_EQ(theme.GetTrackCount(), 0u);
  EXPECT_EQ(theme.GetState(), OThemeController::kPlaying);
}

TEST_F(SoundManagerTest, ATrackThatCannotLoadEndsAtOnceAndTheThemeGoesOn) {
  OSoundManager* sounds = OSoundManager::GetInstance();
  OThemeController& theme = sounds->GetThemeController();
  sounds->SetTheme("gaps", false);
  for (int i = 0; i < 30; ++i) theme.Update();
  EXPECT_EQ(theme.GetCurrentTrack(), 1);
  EXPECT_EQ(Played(), std::vector<str>{"sounds/a.wav"});
  // a.wav ends; both tracks of the missing file pass at once, round to it.
  // The file was reported when the theme loaded, not again on each round.
  size_t reports = ReportCount();
  for (int i = 0; i < 40 && Played().size() < 2; ++i) Ticks(1);
  EXPECT_EQ(Played(), (std::vector<str>{"sounds/a.wav", "sounds/a.wav"}));
  EXPECT_EQ(theme.GetCurrentTrack(), 1);
  EXPECT_EQ(ReportCount(), reports);

  // Nothing in the theme can be played: silence, not an endless round.
  sounds->SetTheme("unplayable", false);
  for (int i = 0; i < 90; ++i) theme.Update();
  EXPECT_EQ(theme.GetTrackCount(), 2u);
  EXPECT_EQ(theme.GetState(), OThemeController::kPlaying);
  EXPECT_EQ(Played().size(), 2u);
}
