// The timer indicators, the invisibility overlay and their saved section,
// and the background effects of poison, on tests/fixtures/rules/timers.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "TimersTestUtil.h"
#include "game/OGameConfig.h"
#include "rules/actions/OEffect.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OInvisibilityOverlay.h"
#include "rules/timers/OTimerIndicator.h"
#include "sdk/TImage.h"
#include "sdk/TPlatform.h"
#include "sdk/TWindow.h"
#include "sdk/TXmlNode.h"

namespace {

typedef TimersFixture IndicatorsTest;

TEST_F(IndicatorsTest, TheTextBlinksThroughItsCycleAndANewTextStartsItOver) {
  OTimerIndicator* shown = Indicators()->GetPoison();
  shown->SetBlinkPeriod(0);
  shown->BlinkTick();
  EXPECT_EQ(shown->GetTextAlpha(), 1.0f) << "no period, no blinking";
  shown->SetBlinkPeriod(3);
  const float cycle[] = {2 / 3.0f, 1 / 3.0f, 0, 1 / 3.0f, 2 / 3.0f, 1, 2 / 3.0f, 1 / 3.0f};
  for (size_t i = 0; i < sizeof cycle / sizeof cycle[0]; ++i) {
    shown->BlinkTick();
    EXPECT_FLOAT_EQ(shown->GetTextAlpha(), cycle[i]) << "tick " << i + 1;
  }
  shown->SetText("poison_text");
  shown->BlinkTick();
  EXPECT_FLOAT_EQ(shown->GetTextAlpha(), 2 / 3.0f) << "the cycle starts over";
  shown->SetBlinkPeriod(0);
  shown->BlinkTick();
  EXPECT_FLOAT_EQ(shown->GetTextAlpha(), 2 / 3.0f) << "a period of 0 leaves the alpha where it was";
}

TEST_F(IndicatorsTest, ThePictureShowsHowMuchOfTheTimeIsGone) {
  struct Case {
    int32_t total, left;
    float alpha;
  } cases[] = {{0, 500, 0},          {0, 0, 0},     {10000, 10000, 0},
               {10000, 2500, 0.75f}, {10000, 0, 1}, {10000, 12000, 0}};
  OTimerIndicator* shown = Indicators()->GetVethra();
  for (const Case& c : cases) {
    shown->SetTotalTime(c.total);
    shown->SetLeftTime(c.left);
    EXPECT_FLOAT_EQ(shown->GetAlpha(), c.alpha) << c.left << " of " << c.total;
    EXPECT_FLOAT_EQ(shown->GetImage()->GetAlpha(), c.alpha);
  }
  // Centred on the screen whatever the element says.
  EXPECT_EQ(Indicators()->GetPoison()->GetImage()->GetPosition().x, 400);
  EXPECT_EQ(Indicators()->GetPoison()->GetImage()->GetPosition().y, 300);
}

TEST_F(IndicatorsTest, TheOverlayFadesInOverItsFirstAndOutOverItsLastFadeTime) {
  OInvisibilityOverlay* overlay = Indicators()->GetOverlay();
  EXPECT_EQ(overlay->GetFadeTime(), 1000) << "fade_seconds read as milliseconds";
  overlay->SetTotalTime(10000);
  struct Case {
    int32_t left;
    float alpha;
  } cases[] = {{10000, 0}, {9500, 0.5f}, {9000, 1}, {5000, 1}, {1000, 1}, {500, 0.5f}, {0, 0}};
  for (const Case& c : cases) {
    overlay->SetTime(c.left);
    EXPECT_FLOAT_EQ(overlay->GetSprite()->GetAlpha(), c.alpha) << c.left;
  }
}

TEST_F(IndicatorsTest, TheSectionKeepsAlphaInHundredthsAndLoadsWhatItHas) {
  OTimerIndicator* poison = Indicators()->GetPoison();
  poison->SetTotalTime(4000);
  poison->SetAlpha(0.257f);
  poison->SetText("poison_text");
  poison->SetBlinkPeriod(3);
  Indicators()->GetOverlay()->SetTotalTime(2000);
  Indicators()->GetOverlay()->Start();
  TXmlNode save("save");
  Indicators()->Save(&save);
  const TXmlNode* section = save.GetChild("indicators");
  ASSERT_TRUE(section);
  std::vector<str> names;
  for (size_t i = 0; i < section->GetChildCount(); ++i) names.push_back(section->GetChildAt(i)->GetName());
  EXPECT_EQ(names, (std::vector<str>{"poison", "vethra", "underwater", "invisibility"}));
  const TXmlNode* saved = section->GetChild("poison");
  EXPECT_EQ(saved->GetAttribute("iit"), "4000");
  EXPECT_EQ(saved->GetAttribute("alpha"), "25");
  EXPECT_EQ(saved->GetAttribute("text"), "poison_text");
  EXPECT_EQ(saved->GetAttribute("blink_ticks"), "3");
  EXPECT_EQ(section->GetChild("invisibility")->GetAttribute("act"), "1");

  OIndicatorsManager::DeleteInstance();
  Indicators()->GetVethra()->SetTotalTime(9000);
  Indicators()->Load(&save);
  EXPECT_FLOAT_EQ(Indicators()->GetPoison()->GetAlpha(), 0.25f);
  EXPECT_EQ(Indicators()->GetPoison()->GetTextKey(), "poison_text");
  EXPECT_EQ(Indicators()->GetPoison()->GetBlinkPeriod(), 3u);
  EXPECT_EQ(Indicators()->GetVethra()->GetTotalTime(), 0);
  EXPECT_TRUE(Indicators()->GetOverlay()->IsActive());
  EXPECT_EQ(Indicators()->GetOverlay()->GetTotalTime(), 2000);

  // A missing child leaves its indicator idle and the overlay stopped; a
  // missing section loads nothing.
  std::unique_ptr<TXmlNode> partial(new TXmlNode());
  ASSERT_TRUE(partial->ParseString("<save><indicators><vethra iit='700' alpha='10'/></indicators></save>"));
  Indicators()->Load(partial.get());
  EXPECT_EQ(Indicators()->GetPoison()->GetTotalTime(), 0);
  EXPECT_EQ(Indicators()->GetPoison()->GetAlpha(), 0.0f);
  EXPECT_EQ(Indicators()->GetPoison()->GetTextKey(), "");
  EXPECT_EQ(Indicators()->GetVethra()->GetTotalTime(), 700);
  EXPECT_FALSE(Indicators()->GetOverlay()->IsActive());
  TXmlNode empty("save");
  Indicators()->Load(&empty);
  EXPECT_EQ(Indicators()->GetVethra()->GetTotalTime(), 700);

  // A damaged alpha loads as an opacity, and saves back as one.
  std::unique_ptr<TXmlNode> damaged(new TXmlNode());
  ASSERT_TRUE(damaged->ParseString(
      "<save><indicators><poison alpha='2147483647'/><vethra alpha='-5'/></indicators></save>"));
  Indicators()->Load(damaged.get());
  EXPECT_EQ(Indicators()->GetPoison()->GetAlpha(), 1.0f);
  EXPECT_EQ(Indicators()->GetVethra()->GetAlpha(), 0.0f);
  TXmlNode resaved("save");
  Indicators()->Save(&resaved);
  EXPECT_EQ(resaved.GetChild("indicators")->GetChild("poison")->GetAttribute("alpha"), "100");
}

// ---- background effects ----

TEST_F(IndicatorsTest, PoisonSwellsDriftsShrinksAndFadesInOverFourPhases) {
  TSpriteRef picture = TSprite::Create(0);
  picture->SetPosition(TVec3(400, 300, 0));
  OPoisonEffect effect(picture);
  EXPECT_FLOAT_EQ(picture->GetAlpha(), 0.1f);
  EXPECT_LE(std::hypot(effect.GetDriftX(), effect.GetDriftY()), std::sqrt(2.0f));
  // Each phase ends when its count passes its limit.
  struct Phase {
    int ticks;
    int next;
  } phases[] = {{101, OPoisonEffect::kWobble},
                {251, OPoisonEffect::kShrink},
                {101, OPoisonEffect::kFadeIn},
                {121, OPoisonEffect::kDone}};
  int phase = OPoisonEffect::kGrow;
  for (const Phase& p : phases) {
    for (int i = 1; i < p.ticks; ++i) {
      effect.Tick();
      ASSERT_EQ(effect.GetPhase(), phase) << "tick " << i;
      if (phase == OPoisonEffect::kGrow && i == 50) {
        EXPECT_FLOAT_EQ(picture->GetMatrix().m[0][0], 1.075f);
      }
      if (phase == OPoisonEffect::kWobble) {
        EXPECT_FLOAT_EQ(picture->GetMatrix().m[0][0], 1.15f);
      }
      if (phase < OPoisonEffect::kFadeIn) {
        EXPECT_FLOAT_EQ(picture->GetAlpha(), 0.1f);
      }
    }
    effect.Tick();
    ASSERT_EQ(effect.GetPhase(), p.next);
    phase = p.next;
  }
  EXPECT_TRUE(effect.IsDone());
  EXPECT_FLOAT_EQ(picture->GetMatrix().m[0][0], 1);
  EXPECT_EQ(picture->GetPosition().x, 400);
  EXPECT_EQ(picture->GetPosition().y, 300);
  EXPECT_FLOAT_EQ(picture->GetAlpha(), 1);
}

TEST_F(IndicatorsTest, TheDriftTurnsBackAtItsLimits) {
  // Many wobbles, each from its own seed (the platform clock moves between
  // them): a step that would cross a limit is reversed, keeping its length.
  for (int run = 0; run < 40; ++run) {
    TPlatform::GetInstance()->Tick(7);
    TSpriteRef picture = TSprite::Create(0);
    picture->SetPosition(TVec3(400, 300, 0));
    OPoisonEffect effect(picture);
    effect.SetPhase(OPoisonEffect::kWobble);
    const float step = std::hypot(effect.GetDriftX(), effect.GetDriftY());
    for (int i = 0; i < 250; ++i) {
      effect.Tick();
      ASSERT_LE(std::fabs(picture->GetPosition().x - 400), 59.0f) << "run " << run << " tick " << i;
      ASSERT_LE(std::fabs(picture->GetPosition().y - 300), 29.0f) << "run " << run << " tick " << i;
      ASSERT_NEAR(std::hypot(effect.GetDriftX(), effect.GetDriftY()), step, 1e-4f);
    }
  }
}

TEST_F(IndicatorsTest, AStoppedPoisonPutsThePictureBackAtOnce) {
  TSpriteRef picture = TSprite::Create(0);
  picture->SetPosition(TVec3(400, 300, 0));
  OPoisonEffect effect(picture);
  for (int i = 0; i < 150; ++i) effect.Tick();
  ASSERT_EQ(effect.GetPhase(), OPoisonEffect::kWobble);
  effect.Stop();
  EXPECT_TRUE(effect.IsDone());
  EXPECT_FLOAT_EQ(picture->GetMatrix().m[0][0], 1);
  EXPECT_EQ(picture->GetPosition().x, 400);
  EXPECT_EQ(picture->GetPosition().y, 300);
  EXPECT_FLOAT_EQ(picture->GetAlpha(), 1);
}

TEST_F(IndicatorsTest, TheBerryFadesInAndOutAndLeavesItsOwner) {
  struct Case {
    const char* alphaTicks;  // null: absent
    int fadeTicks;
  } cases[] = {{"50", 50}, {"0", 1}, {nullptr, 1}, {"-4", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.alphaTicks ? c.alphaTicks : "absent");
    TXmlNode* config = OGameConfig::GetInstance()->GetGameScreenChild("berry_poison_effect");
    if (c.alphaTicks)
      config->SetAttribute("alpha_ticks", c.alphaTicks);
    else
      config->RemoveAttribute("alpha_ticks");
    TWindow owner;
    std::unique_ptr<OBerryPoisonEffect> effect(new OBerryPoisonEffect(&owner));
    // Below one tick it fades in one tick, never dividing by zero.
    EXPECT_EQ(effect->GetAlphaTicks(), c.fadeTicks);
    TImage* image = effect->GetImage();
    ASSERT_EQ(image->GetParent(), &owner);
    EXPECT_EQ(image->GetAlpha(), 0.0f);
    for (int i = 0; i < c.fadeTicks; ++i) effect->Tick();
    EXPECT_EQ(image->GetAlpha(), 1.0f);
    EXPECT_FALSE(effect->IsDone());
    for (int i = 1; i < c.fadeTicks; ++i) effect->Tick();
    EXPECT_FALSE(effect->IsDone());
    effect->Tick();
    EXPECT_EQ(image->GetAlpha(), 0.0f);
    EXPECT_TRUE(effect->IsDone());
    effect.reset();
    EXPECT_TRUE(owner.GetChildren().empty()) << "the picture left its owner";
  }
}

}  // namespace
