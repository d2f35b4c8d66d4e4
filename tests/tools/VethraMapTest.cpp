// The Vethra world map: its slides in and out, the cross-fade between
// parts, the marker, the grid's cells and choice, and the journey to the
// chosen cell.

#include <memory>

#include "TravelTestUtil.h"
#include "game/GMasksManager.h"
#include "game/OMousePointerManager.h"
#include "game/OPopupQueue.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "tools/vethra/GVethraGrid.h"
#include "tools/vethra/GVethraMap.h"
#include "visual/GButton.h"

namespace {

class VethraMapTest : public TravelFixture {
 protected:
  void SetUp() override {
    TravelFixture::SetUp();
    OGame* game = OGame::GetInstance();
    ASSERT_TRUE(game->GoToWorld("vethra"));
    ASSERT_TRUE(game->SetCurrentScene("1_2_0"));
    mScene.reset(new GScene());
    mMasks.reset(new GMasksManager(mScene.get()));
  }
  void TearDown() override {
    mMap.reset();
    mMasks.reset();
    mScene.reset();
    TravelFixture::TearDown();
  }
  GVethraMap* Build() {
    mMap.reset(new GVethraMap(mMasks.get()));
    mMap->Build();
    return mMap.get();
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) mMap->Tick();
  }
  static void PointAt(int x, int y) {
    TWindowStyle style;
    GMousePointer::GetInstance()->Init(style);
    GMousePointer::PeekManager()->MoveTo(x, y);
  }
  static TXmlNode* MapNode() { return OGameConfig::GetInstance()->GetGameScreenChild("vethra_map"); }

  std::unique_ptr<GScene> mScene;
  std::unique_ptr<GMasksManager> mMasks;
  std::unique_ptr<GVethraMap> mMap;
};

TEST(VethraMapSlideTest, PositionsAlongASlide) {
  struct Case {
    int hidden, shown, counter, ticks, expected;
  } cases[] = {
      {-600, 0, 0, 20, -600},
      {-600, 0, 1, 20, -570},
      {-600, 0, 10, 20, -300},
      {-600, 0, 20, 20, 0},
      // Truncated toward zero, both ways.
      {0, 7, 1, 3, 2},
      {0, -7, 1, 3, -2},
      // A slide without ticks is at its end at once.
      {-600, 0, 0, 0, 0},
      {-600, 0, 5, -1, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GVethraMap::SlideCoord(c.hidden, c.shown, c.counter, c.ticks), c.expected)
        << c.hidden << " to " << c.shown << " at " << c.counter << "/" << c.ticks;
}

TEST_F(VethraMapTest, SlidesInAndOutInItsShowTicks) {
  GVethraMap* map = Build();
  EXPECT_EQ(map->GetState(), GVethraMap::kHidden);
  EXPECT_EQ(map->GetY(), -600);
  map->Show();
  Ticks(19);
  EXPECT_EQ(map->GetState(), GVethraMap::kShowing);
  EXPECT_EQ(map->GetY(), -600 + 600 * 19 / 20);
  Ticks(1);
  EXPECT_EQ(map->GetState(), GVethraMap::kShown);
  EXPECT_EQ(map->GetY(), 0);
  map->Show();  // already shown: no new slide
  EXPECT_EQ(map->GetState(), GVethraMap::kShown);
  map->Hide();
  Ticks(1);
  EXPECT_EQ(map->GetY(), -600 + 600 * 19 / 20);
  Ticks(18);
  EXPECT_EQ(map->GetState(), GVethraMap::kHiding);
  Ticks(1);
  EXPECT_EQ(map->GetState(), GVethraMap::kHidden);
  EXPECT_EQ(map->GetY(), -600);
}

TEST_F(VethraMapTest, WithoutShowTicksItSlidesAtOnce) {
  MapNode()->GetChild("num_show_ticks")->SetContent("0");
  GVethraMap* map = Build();
  map->Show();
  Ticks(1);
  EXPECT_EQ(map->GetState(), GVethraMap::kShown);
  EXPECT_EQ(map->GetY(), 0);
  map->Hide();
  Ticks(1);
  EXPECT_EQ(map->GetState(), GVethraMap::kHidden);
}

TEST_F(VethraMapTest, PartsFadeInAndTheMarkerStandsOnlyOnThePlayersPart) {
  GVethraMap* map = Build();
  GVethraMapSlides* slides = map->GetSlides();
  ASSERT_EQ(slides->GetPictures().size(), 4u);
  TImage* marker = slides->GetMarker();

  map->ShowPart(1);
  EXPECT_EQ(slides->GetCurrent(), 1);
  EXPECT_EQ(slides->GetPictures()[1]->GetParent(), slides);
  // "1_2_0": column 2, row 0 of the grid at (250, 150).
  EXPECT_EQ(marker->GetParent(), slides);
  EXPECT_EQ(marker->GetX(), 2 * 100 + 250);
  EXPECT_EQ(marker->GetY(), 150);

  map->FadeToPart(0);
  EXPECT_EQ(map->GetCurrentPart(), 0);
  EXPECT_EQ(marker->GetParent(), nullptr);
  TImage* part0 = slides->GetPictures()[0];
  EXPECT_EQ(part0->GetAlpha(), 0);
  Ticks(5);
  EXPECT_FLOAT_EQ(part0->GetAlpha(), 0.5f);
  // The part already shown: the fade goes on, it does not start again.
  map->FadeToPart(0);
  Ticks(5);
  EXPECT_FLOAT_EQ(part0->GetAlpha(), 1.0f);
  EXPECT_EQ(slides->GetPictures()[1]->GetParent(), slides);  // under the new one

  map->ShowPart(2);
  EXPECT_EQ(slides->GetPictures()[0]->GetParent(), nullptr);
  EXPECT_EQ(slides->GetPictures()[1]->GetParent(), nullptr);
  EXPECT_TRUE(slides->IsSettled());
}

TEST_F(VethraMapTest, APartWithoutAPictureIsRefused) {
  GVethraMap* map = Build();
  map->ShowPart(1);
  size_t before = ReportCount();
  map->FadeToPart(7);
  EXPECT_EQ(ReportCount(), before + 1);
  EXPECT_EQ(map->GetSlides()->GetCurrent(), 1);
  EXPECT_TRUE(map->GetSlides()->IsSettled());
}

TEST_F(VethraMapTest, GridCellsOfPoints) {
  GVethraMap* map = Build();
  GVethraGrid* grid = map->GetGrid();
  ASSERT_NE(grid, nullptr);
  struct Case {
    int x, y;
    bool inside;
    int column, row;
  } cases[] = {
      {250, 150, true, 0, 0},
      {349, 229, true, 0, 0},
      {350, 230, true, 1, 1},
      {549, 309, true, 2, 1},
      {550, 200, false, 0, 0},
      {300, 310, false, 0, 0},
      // Less than one cell left of or above the corner still counts as 0.
      {200, 150, true, 0, 0},
      {300, 100, true, 0, 0},
      {149, 150, false, 0, 0},
      {300, 69, false, 0, 0},
  };
  for (const Case& c : cases) {
    int column = -1, row = -1;
    EXPECT_EQ(grid->CellAt(c.x, c.y, &column, &row), c.inside) << c.x << "," << c.y;
    if (c.inside) {
      EXPECT_EQ(std::make_pair(column, row), std::make_pair(c.column, c.row)) << c.x << "," << c.y;
    }
  }
}

TEST_F(VethraMapTest, AGridWithoutCellSizeHasNoCells) {
  MapNode()->GetChild("map_grid")->SetAttribute("w", "0");
  size_t before = ReportCount();
  GVethraMap* map = Build();
  EXPECT_GT(ReportCount(), before);
  int column = 0, row = 0;
  EXPECT_FALSE(map->GetGrid()->CellAt(300, 200, &column, &row));
  Ticks(1);
}

TEST_F(VethraMapTest, HugeGridNumbersAreReportedAndHeld) {
  struct Case {
    const char* attribute;
    const char* value;
  } cases[] = {{"cells_x", "99999999999"}, {"w", "99999999999"}, {"num_x", "99999999999"}, {"num_y", "-3"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attribute);
    TXmlNode* grid = MapNode()->GetChild("map_grid");
    str kept = grid->GetAttribute(c.attribute);
    grid->SetAttribute(c.attribute, c.value);
    size_t before = ReportCount();
    Build();
    EXPECT_EQ(ReportCount() - before, 1u);
    grid->SetAttribute(c.attribute, kept);
  }
}

TEST_F(VethraMapTest, AChosenCellHoldsTheButtonUntilThePartChangesOrTheRightButton) {
  GVethraMap* map = Build();
  GVethraGrid* grid = map->GetGrid();
  map->ShowPart(0);
  map->Show();
  map->SetGridActive(true);
  EXPECT_EQ(grid->GetParent(), map);
  EXPECT_EQ(map->GetFrame()->GetParent(), map);
  EXPECT_EQ(map->GetChildren().back(), map->GetFrame());
  Ticks(20);

  PointAt(360, 240);  // cell (1, 1)
  Ticks(1);
  EXPECT_EQ(grid->GetSelection()->GetParent(), grid);
  EXPECT_EQ(grid->GetSelection()->GetX(), 350);
  grid->OnMouseUp(TPoint(360, 240));
  EXPECT_EQ(grid->GetMode(), GVethraGrid::kChosen);
  EXPECT_EQ(grid->GetButton()->GetParent(), grid);
  EXPECT_EQ(grid->GetButton()->GetX(), 350);
  EXPECT_EQ(grid->GetSelection()->GetParent(), nullptr);

  // Another cell moves the choice; outside the grid nothing changes.
  PointAt(260, 170);
  grid->OnMouseUp(TPoint(260, 170));
  EXPECT_EQ(std::make_pair(grid->GetChosenColumn(), grid->GetChosenRow()), std::make_pair(0, 0));
  PointAt(700, 500);
  grid->OnMouseUp(TPoint(700, 500));
  EXPECT_EQ(std::make_pair(grid->GetChosenColumn(), grid->GetChosenRow()), std::make_pair(0, 0));

  map->FadeToPart(1);
  EXPECT_EQ(grid->GetMode(), GVethraGrid::kChoosing);
  EXPECT_EQ(grid->GetButton()->GetParent(), nullptr);

  PointAt(460, 170);  // cell (2, 0) of part 1
  grid->OnMouseUp(TPoint(460, 170));
  grid->OnExtendedMouseEvent(TPoint(460, 170), 1);  // right button down: nothing
  EXPECT_EQ(grid->GetMode(), GVethraGrid::kChosen);
  grid->OnExtendedMouseEvent(TPoint(460, 170), 0);
  EXPECT_EQ(grid->GetMode(), GVethraGrid::kChoosing);
  EXPECT_EQ(grid->GetButton()->GetParent(), nullptr);
}

// Only cells with a scene are places to go: another is not highlighted,
// and a click on it is told on screen and chooses nothing, so no journey
// is made to it; the cells that lead somewhere stay on offer.
TEST_F(VethraMapTest, ACellWithoutASceneIsNotOffered) {
  GVethraMap* map = Build();
  GVethraGrid* grid = map->GetGrid();
  map->ShowPart(1);
  map->Show();
  map->SetGridActive(true);
  Ticks(20);
  OPopupQueue* popups = OPopupQueue::GetInstance();
  const size_t told = popups->GetPending().size();
  PointAt(260, 240);  // "1_0_1", which the world does not list
  Ticks(1);
  EXPECT_EQ(grid->GetSelection()->GetParent(), nullptr);
  grid->OnMouseUp(TPoint(260, 240));
  EXPECT_EQ(grid->GetMode(), GVethraGrid::kChoosing);
  EXPECT_EQ(grid->GetButton()->GetParent(), nullptr);
  ASSERT_EQ(popups->GetPending().size(), told + 1);
  EXPECT_EQ(popups->GetPending().back(), "No way leads there");
  RunLua("onTravelClick()");
  EXPECT_EQ(map->GetState(), GVethraMap::kShown);

  PointAt(460, 170);  // "1_2_0"
  Ticks(1);
  EXPECT_EQ(grid->GetSelection()->GetParent(), grid);
  grid->OnMouseUp(TPoint(460, 170));
  EXPECT_EQ(grid->GetMode(), GVethraGrid::kChosen);
  EXPECT_EQ(popups->GetPending().size(), told + 1);
}

TEST_F(VethraMapTest, TheJourneyStartsOnlyOnceTheMapHasSlidOut) {
  GVethraMap* map = Build();
  map->ShowPart(0);
  map->Show();
  map->SetGridActive(true);
  Ticks(20);
  PointAt(360, 240);  // cell (1, 1)
  map->GetGrid()->OnMouseUp(TPoint(360, 240));
  RunLua("onTravelClick()");
  EXPECT_EQ(map->GetState(), GVethraMap::kLeaving);
  EXPECT_EQ(map->GetY(), 0);
  Ticks(19);
  EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "1_2_0");
  Ticks(1);
  EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "0_1_1");
  EXPECT_EQ(mScene->GetState(), GScene::kFadeOutScene);
  EXPECT_EQ(map->GetState(), GVethraMap::kHidden);
}

// The travel button's global does nothing without a chosen cell on a
// shown map: no journey to a cell nobody picked, none twice.
TEST_F(VethraMapTest, TravelClickNeedsAChosenCellOnAShownMap) {
  GVethraMap* map = Build();
  map->ShowPart(0);
  map->Show();
  map->SetGridActive(true);
  Ticks(20);
  RunLua("onTravelClick()");
  EXPECT_EQ(map->GetState(), GVethraMap::kShown);
  PointAt(360, 240);
  map->GetGrid()->OnMouseUp(TPoint(360, 240));
  RunLua("onTravelClick()");
  Ticks(3);
  RunLua("onTravelClick()");
  EXPECT_EQ(map->GetCounter(), 3);
}

// A journey to a cell with no scene behind it, which the grid does not
// offer: refused with a message, and the scene, paused for it, plays again.
TEST_F(VethraMapTest, ACellWithoutASceneGivesThePlayerTheirSceneBack) {
  GVethraMap* map = Build();
  mScene->SetState(GScene::kActive);
  map->ShowPart(1);
  map->Show();
  map->SetGridActive(true);
  mScene->Pause();
  Ticks(20);
  map->TravelTo(0, 1);  // "1_0_1", which the world does not list
  size_t before = ReportCount();
  Ticks(20);
  EXPECT_GT(ReportCount(), before);
  EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "1_2_0");
  EXPECT_EQ(map->GetState(), GVethraMap::kHidden);
  EXPECT_FALSE(mScene->IsPaused());
}

TEST_F(VethraMapTest, TexturesAreRenderedAgainAfterALoss) {
  GVethraMap* map = Build();
  TImage* part = map->GetSlides()->GetPictures()[2];
  TTextureRef before = part->GetTexture();
  ASSERT_TRUE(before);
  EXPECT_TRUE(map->DoTask());
  EXPECT_NE(part->GetTexture(), before);
  EXPECT_EQ(part->GetTexture()->GetWidth(), 400);
}

}  // namespace
