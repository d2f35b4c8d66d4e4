#include <gtest/gtest.h>

#include <vector>

#include "minigames/MinigameTestUtil.h"
#include "minigames/cards/GCardsField.h"
#include "minigames/cards/GCardsScene.h"
#include "sdk/TReport.h"
#include "visual/GVObject.h"

namespace {

// A card table that records how its game ended instead of ending it.
class RecordingCardsScene : public GCardsScene {
 public:
  void Finish(bool won) override {
    BeginFinish();
    finishes.push_back(won);
  }
  std::vector<bool> finishes;
};

const char* const kThreePlaces =
    "<field games_total='3' games_to_win='2'>"
    "<cards start_x='400' start_y='550' width='100' height='150' start_speed='20' show_time='40'"
    " mix_time='120' mix_delay='2' mix_speed='8' mix_speed_delta='1'>"
    "<card x='250' y='300'/><card x='400' y='300'/><place x='0' y='0'/><card x='550' y='300'/>"
    "</cards></field>";

class CardsTest : public MinigameTest {
 protected:
  // A new table with the field's configuration.
  void Load(const char* field = kThreePlaces) {
    NewScene();
    LoadField(field);
  }
  void NewScene() { mScene.reset(new RecordingCardsScene()); }
  void LoadField(const char* field) { mField().Load(Xml(field), mScene.get(), &mRandom, &mList, "anim/"); }
  void TearDown() override {
    mScene.reset();
    MinigameTest::TearDown();
  }
  // Ticks until the state is reached; false when it is not within `limit`.
  bool TickUntil(int state, int limit = 1000) {
    for (int i = 0; i < limit && mField().GetState() != state; ++i) mField().Update();
    return mField().GetState() == state;
  }
  // Waits for the choice and clicks the card sought or another one.
  void Choose(bool find) {
    ASSERT_TRUE(TickUntil(GCardsField::kWaiting));
    for (const auto& card : mField().GetCards())
      if ((card->GetNumber() == mField().GetTarget()) == find) {
        mField().OnClick(int(card->GetX()), int(card->GetY()));
        return;
      }
  }
  static str Look(const GCardsCard* card) { return card->GetObject()->GetState().ToStr(); }

  std::unique_ptr<RecordingCardsScene> mScene;
  GCardsField& mField() { return mScene->GetField(); }
};

TEST_F(CardsTest, TheCardsLandOnTheirPlacesAndCardOneIsShown) {
  Load();
  // "place" is not a card's place: three cards.
  ASSERT_EQ(mField().GetCards().size(), 3u);
  mField().Deal();
  // From (400, 550) to (250, 300) at 20 pixels a tick: 250 / 20 ticks, the
  // last one shorter.
  for (int i = 0; i < 12; ++i) mField().Update();
  EXPECT_EQ(mField().GetState(), GCardsField::kDealing);
  mField().Update();
  EXPECT_EQ(mField().GetState(), GCardsField::kShowing);
  EXPECT_EQ(mField().GetTarget(), 1);
  const GCardsCard* first = mField().GetCards()[0].get();
  EXPECT_EQ(first->GetX(), 250);
  EXPECT_EQ(first->GetY(), 300);
  EXPECT_EQ(Look(first), "1");
  EXPECT_EQ(Look(mField().GetCards()[1].get()), "normal");
}

TEST_F(CardsTest, FindsAndMissesDecideTheTurn) {
  struct Case {
    std::vector<bool> finds;
    int state, attemps, gw;
  };
  const Case cases[] = {
      {{true}, GCardsField::kTurnOver, 1, 1},           {{true, true}, GCardsField::kWon, 2, 2},
      {{true, false, true}, GCardsField::kWon, 3, 2},   {{false, false, true}, GCardsField::kLost, 3, 1},
      {{true, false, false}, GCardsField::kLost, 3, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.finds));
    Load();
    mField().Deal();
    for (bool find : c.finds) Choose(find);
    EXPECT_EQ(mField().GetState(), c.state);
    EXPECT_EQ(mField().GetAttemps(), c.attemps);
    EXPECT_EQ(mField().GetGw(), c.gw);
  }
}

TEST_F(CardsTest, OnlyAClickOnACardWhileTheCardsWaitCounts) {
  Load();
  mField().Deal();
  ASSERT_TRUE(TickUntil(GCardsField::kMixing));
  mField().OnClick(250, 300);
  ASSERT_TRUE(TickUntil(GCardsField::kWaiting));
  // Between the first two cards, and on the right and bottom edges, which
  // belong to no card.
  for (auto point : {std::make_pair(325, 300), std::make_pair(300, 300), std::make_pair(250, 375)})
    mField().OnClick(point.first, point.second);
  EXPECT_EQ(mField().GetAttemps(), 0);
  EXPECT_EQ(mField().GetState(), GCardsField::kWaiting);
  // The left and top edges do.
  mField().OnClick(200, 225);
  EXPECT_EQ(mField().GetAttemps(), 1);
}

TEST_F(CardsTest, AWonOrLostTurnEndsTheGameOnceAfterTheShowTime) {
  Load();
  mField().Deal();
  Choose(true);
  Choose(true);
  ASSERT_EQ(mField().GetState(), GCardsField::kWon);
  for (int i = 0; i < 40; ++i) mField().Update();
  EXPECT_TRUE(mScene->finishes.empty());
  mField().Update();
  EXPECT_EQ(mScene->finishes, std::vector<bool>{true});
  EXPECT_EQ(mField().GetState(), GCardsField::kFinished);
  // After the end a clear deals no new turn.
  mScene->OnClearClick();
  for (int i = 0; i < 100; ++i) mField().Update();
  EXPECT_EQ(mScene->finishes.size(), 1u);
  EXPECT_EQ(mField().GetState(), GCardsField::kFinished);
}

TEST_F(CardsTest, RestoredCountersEndTheGameOrDealAgain) {
  struct Case {
    int attemps, gw, state;
    std::vector<bool> finishes;
  };
  const Case cases[] = {
      {1, 2, GCardsField::kWon, {true}},
      {2, 1, GCardsField::kDealing, {}},
      {3, 1, GCardsField::kLost, {false}},
      // What a damaged save may hold: past the need is a win, negative is none.
      {0, 9, GCardsField::kWon, {true}},
      {-5, -5, GCardsField::kDealing, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.attemps << " " << c.gw);
    Load();
    mField().Restore(c.attemps, c.gw);
    EXPECT_EQ(mField().GetState(), c.state);
    EXPECT_GE(mField().GetAttemps(), 0);
    mField().Update();
    EXPECT_EQ(mScene->finishes, c.finishes);
  }
}

TEST_F(CardsTest, AClearDealsAgainKeepingTheCountsAndDropsAPendingFinish) {
  Load();
  mField().Restore(1, 2);
  ASSERT_EQ(mField().GetState(), GCardsField::kWon);
  mScene->OnClearClick();
  EXPECT_EQ(mField().GetState(), GCardsField::kDealing);
  EXPECT_EQ(mField().GetGw(), 2);
  // The timer keeps its count, so the showing state that follows is short.
  EXPECT_EQ(mField().GetTimer(), 40);
  for (int i = 0; i < 200; ++i) mField().Update();
  EXPECT_TRUE(mScene->finishes.empty());
  EXPECT_NE(mField().GetState(), GCardsField::kFinished);
}

TEST_F(CardsTest, OnePlaceIsNeverSwappedAndTheMixingEnds) {
  Load(
      "<field games_total='1' games_to_win='1'>"
      "<cards start_x='0' start_y='0' width='10' height='10' start_speed='50' show_time='1' mix_time='5'"
      " mix_delay='0' mix_speed='8'><card x='100' y='100'/></cards></field>");
  mField().Deal();
  ASSERT_TRUE(TickUntil(GCardsField::kMixing, 10));
  EXPECT_TRUE(TickUntil(GCardsField::kWaiting, 10));
  EXPECT_EQ(mField().GetCards()[0]->GetX(), 100);
  mField().OnClick(100, 100);
  EXPECT_EQ(mField().GetState(), GCardsField::kWon);
}

TEST_F(CardsTest, NoPlaceIsReportedAndLeavesNoCardToFind) {
  NewScene();
  size_t reports = ReportCount();
  LoadField("<field games_total='1' games_to_win='1'><cards start_speed='5' mix_time='2'/></field>");
  EXPECT_EQ(ReportCount(), reports + 1);
  mField().Deal();
  EXPECT_TRUE(TickUntil(GCardsField::kWaiting, 100));
  EXPECT_EQ(mField().GetTarget(), 0);
}

}  // namespace
