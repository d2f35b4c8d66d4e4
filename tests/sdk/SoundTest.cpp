#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "CoreTestUtil.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TSound.h"

namespace {
const char* const kBeep = "sounds/beep.wav";  // 100 ms

struct Recorder : TSoundCallBack {
  std::vector<TSoundInstance*> finished;
  std::function<void(TSoundInstance*)> then;
  void OnSoundFinished(TSoundInstance* inst) override {
    finished.push_back(inst);
    if (then) then(inst);
  }
};

class SoundTest : public testing::Test {
 protected:
  void SetUp() override {
    TPlatform::SetHeadless(true);
    TPlatform::SetContentRoot(CoreFixturesDir());
    TSoundManager::GetInstance()->Open();
  }
  void TearDown() override { TSoundManager::GetInstance()->Shutdown(); }
  static uint32_t Now() { return TPlatform::GetInstance()->Timer(); }
  // Heartbeats of 16 ms, then whatever the platform delivers on its own.
  static void Ticks(int n, uint32_t ms = 16) {
    for (int i = 0; i < n; ++i) {
      TPlatform::GetInstance()->Tick(ms);
      TSoundManager::GetInstance()->Update();
    }
  }
};
}  // namespace

TEST_F(SoundTest, CacheIsKeyedByPathFlagAndType) {
  TSoundRef effect = TSound::Get(kBeep, 1, TSound::kTypeEffects);
  ASSERT_TRUE(effect);
  EXPECT_EQ(TSound::Get(kBeep, 1, TSound::kTypeEffects), effect);
  TSoundRef music = TSound::Get(kBeep, 1, TSound::kTypeMusic);
  ASSERT_TRUE(music);
  EXPECT_NE(music, effect);
  EXPECT_EQ(music->GetType(), TSound::kTypeMusic);
  EXPECT_EQ(effect->GetType(), TSound::kTypeEffects);
  EXPECT_NE(TSound::Get(kBeep, 0, TSound::kTypeEffects), effect);
  // The decoded length, give or take the resampler's rounding.
  EXPECT_NEAR(double(effect->GetLengthMs()), 100.0, 3.0);
}

TEST_F(SoundTest, UnreadableFileGivesNullAndOneMessage) {
  const size_t before = ReportCount();
  EXPECT_FALSE(TSound::Get("sounds/missing.ogg"));
  EXPECT_FALSE(TSound::Get("sounds/missing.ogg"));
  EXPECT_FALSE(TSound::Get("core/strings.xml"));  // there, but not a sound
  EXPECT_EQ(ReportCount(), before + 2);
}

TEST_F(SoundTest, CompletionFollowsTheVirtualClock) {
  TSoundRef sound = TSound::Get(kBeep);
  ASSERT_TRUE(sound);
  const uint32_t length = sound->GetLengthMs();
  Recorder rec;
  const uint32_t start = Now();
  TSoundInstanceRef inst = sound->Play(false);
  inst->SetCompleteAction(&rec);
  EXPECT_EQ(inst->GetSound(), sound);
  EXPECT_EQ(TSoundManager::GetInstance()->CountPlaying(), 1);
  while (Now() + 1 < start + length) {
    Ticks(1, 1);
    ASSERT_TRUE(rec.finished.empty()) << "ended early at " << Now() - start << " ms";
  }
  Ticks(1, 1);  // now Timer() == start + length
  ASSERT_EQ(rec.finished.size(), 1u);
  EXPECT_EQ(rec.finished[0], inst.get());
  EXPECT_FALSE(inst->IsPlaying());
  Ticks(20);
  EXPECT_EQ(rec.finished.size(), 1u);  // once only
  EXPECT_EQ(TSoundManager::GetInstance()->CountPlaying(), 0);
}

TEST_F(SoundTest, FireAndForgetPlaysToItsEndWhileTheSoundLives) {
  TSoundRef sound = TSound::Get(kBeep);
  ASSERT_TRUE(sound);
  Recorder rec;
  // The game keeps the sound, not the instance, and waits for the notice;
  // the notice hands it the instance and GetSound leads back to the sound.
  rec.then = [&](TSoundInstance* inst) { EXPECT_EQ(inst->GetSound(), sound); };
  sound->Play(false)->SetCompleteAction(&rec);
  sound->Play(false)->SetCompleteAction(&rec);
  EXPECT_EQ(TSoundManager::GetInstance()->CountPlaying(), 2);
  Ticks(10);
  EXPECT_EQ(rec.finished.size(), 2u);

  // Dropping the sound itself stops what it plays, without a notice.
  sound->Play(true)->SetCompleteAction(&rec);
  sound->Play(false)->SetCompleteAction(&rec);
  sound.reset();
  EXPECT_EQ(TSoundManager::GetInstance()->CountPlaying(), 0);
  Ticks(10);
  EXPECT_EQ(rec.finished.size(), 2u);
}

TEST_F(SoundTest, ACallbackDestroyedBeforeTheEndIsNeverCalled) {
  TSoundRef sound = TSound::Get(kBeep);
  ASSERT_TRUE(sound);
  int calls = 0;
  struct Counting : TSoundCallBack {
    int* calls;
    void OnSoundFinished(TSoundInstance*) override { ++*calls; }
  };
  Counting* early = new Counting();
  early->calls = &calls;
  sound->Play(false)->SetCompleteAction(early);
  delete early;
  Ticks(10);
  EXPECT_EQ(calls, 0);

  // Two sounds end in the same update; the first notice destroys the second
  // callback before its turn.
  Recorder first;
  Counting* second = new Counting();
  second->calls = &calls;
  first.then = [&](TSoundInstance*) {
    delete second;
    second = nullptr;
  };
  sound->Play(false)->SetCompleteAction(&first);
  sound->Play(false)->SetCompleteAction(second);
  Ticks(10);
  EXPECT_EQ(first.finished.size(), 1u);
  EXPECT_EQ(calls, 0);
}

TEST_F(SoundTest, KilledAndLoopingInstancesSendNoNotice) {
  TSoundRef sound = TSound::Get(kBeep);
  ASSERT_TRUE(sound);
  Recorder rec;
  TSoundInstanceRef loop = sound->Play(true);
  loop->SetCompleteAction(&rec);
  TSoundInstanceRef killed = sound->Play(false);
  killed->SetCompleteAction(&rec);
  killed->Kill();
  EXPECT_FALSE(killed->IsPlaying());
  Ticks(60);  // many lengths
  EXPECT_TRUE(loop->IsPlaying());
  EXPECT_TRUE(rec.finished.empty());
  sound->Kill();
  EXPECT_FALSE(loop->IsPlaying());
  EXPECT_EQ(TSoundManager::GetInstance()->CountPlaying(), 0);

  // A notice may start the next track from inside the delivery.
  TSoundInstanceRef next;
  rec.then = [&](TSoundInstance*) {
    if (!next) next = sound->Play(false);
  };
  sound->Play(false)->SetCompleteAction(&rec);
  Ticks(10);
  ASSERT_TRUE(next);
  EXPECT_EQ(rec.finished.size(), 1u);
}

TEST_F(SoundTest, TypeVolumesAreKeptAndClamped) {
  TSoundManager* mgr = TSoundManager::GetInstance();
  const struct {
    int type;
    float set, expected;
  } cases[] = {{0, 0.5f, 0.5f}, {1, 2.f, 1.f}, {999, -1.f, 0.f}, {1000, 0.25f, 0.25f}, {1001, 0.f, 0.f}};
  for (const auto& c : cases) {
    mgr->SetTypeVolume(c.type, c.set);
    EXPECT_FLOAT_EQ(mgr->GetTypeVolume(c.type), c.expected) << c.type;
  }
  EXPECT_FLOAT_EQ(mgr->GetTypeVolume(500), 1.f);  // untouched types play at full volume
  for (const auto& c : cases) mgr->SetTypeVolume(c.type, 1);
}
