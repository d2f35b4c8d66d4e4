// The tag puzzle's field on its own: the shuffle's choice of the tile next
// to the empty cell, when a field counts as solved, clicks, the highlight
// box, and a saved field brought back.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "minigames/tag/GTagField.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {

std::unique_ptr<TXmlNode> FieldNode(int width, int height, int mix) {
  std::unique_ptr<TXmlNode> node(new TXmlNode("field"));
  node->SetAttribute("width", str::format("%d", width));
  node->SetAttribute("height", str::format("%d", height));
  node->SetAttribute("x", "300");
  node->SetAttribute("y", "200");
  node->SetAttribute("mix_iterations", str::format("%d", mix));
  TXmlNode* cells = node->CreateChild("cells");
  cells->SetAttribute("width", "100");
  cells->SetAttribute("height", "100");
  return node;
}

// A field of that size, unshuffled unless `mix` says otherwise; the empty
// cell is the bottom-right one.
void Make(GTagField& field, int width, int height, int mix = 0, uint32_t seed = 1) {
  field.GetRandom().Seed(seed);
  field.Load(FieldNode(width, height, mix).get());
  field.NewGame();
}

GTagTile* TileAt(GTagField& field, int lx, int ly) {
  for (GTagTile* tile : field.GetTiles())
    if (tile->lx == lx && tile->ly == ly) return tile;
  return nullptr;
}

// The screen point at the centre of a cell.
TPoint Cell(int c, int r) {
  return TPoint(300 + 100 * c, 200 + 100 * r);
}

// The two tiles trade cells, as the shuffle does.
void Swap(GTagTile* a, GTagTile* b) {
  std::swap(a->lx, b->lx);
  std::swap(a->ly, b->ly);
}

// A tile as a save keeps it.
struct SavedTile {
  int lx, ly, ix, iy, e, s;
  float x, y;
};

// Every tile of a field of that size at home and upright, the empty one
// last, placed as the fixture's field places them.
std::vector<SavedTile> HomeTiles(int width, int height) {
  std::vector<SavedTile> tiles;
  for (int r = 0; r < height; ++r)
    for (int c = 0; c < width; ++c)
      tiles.push_back(SavedTile{c, r, c, r, 0, 0, float(300 + 100 * c), float(200 + 100 * r)});
  tiles.back().e = 1;
  return tiles;
}

// The tiles into a "tags" element, each placed on its current cell unless
// it says otherwise.
void Save(TXmlNode& tags, const std::vector<SavedTile>& tiles) {
  TXmlNode* items = tags.CreateChild("items");
  for (const SavedTile& t : tiles) {
    TXmlNode* item = items->CreateChild("items");
    const bool onCell = t.x == float(300 + 100 * t.ix) && t.y == float(200 + 100 * t.iy);
    item->SetAttribute("lx", str::format("%d", t.lx));
    item->SetAttribute("ly", str::format("%d", t.ly));
    item->SetAttribute("ix", str::format("%d", t.ix));
    item->SetAttribute("iy", str::format("%d", t.iy));
    item->SetAttribute("e", str::format("%d", t.e));
    item->SetAttribute("s", str::format("%d", t.s));
    item->SetAttribute("x", str::format("%f", onCell ? 300.0 + 100 * t.lx : double(t.x)));
    item->SetAttribute("y", str::format("%f", onCell ? 200.0 + 100 * t.ly : double(t.y)));
  }
}

// The choice as it has always been made, with 3 as the far bound of both
// axes: the cell it aims at.
std::pair<int, int> LiteralChoice(TRandom& random, int ex, int ey, int width, int height) {
  for (;;) {
    bool horizontal = random.RandRange(0, 1) != 0;
    int d = random.RandRange(0, 1) != 0 ? 1 : -1;
    if ((horizontal && ex + d < 0) || ex + d > 3 || (!horizontal && ey + d < 0) || ey + d > 3) d = -d;
    int x = horizontal ? ex + d : ex, y = horizontal ? ey : ey + d;
    if (x >= 0 && x < width && y >= 0 && y < height) return {x, y};
  }
}

TEST(TagFieldTest, OnFourByFourTheShuffleDrawsAsItAlwaysHas) {
  GTagField field;
  Make(field, 4, 4);
  for (uint32_t seed : {1u, 7u, 99u}) {
    field.GetRandom().Seed(seed);
    TRandom literal(seed);
    for (int step = 0; step < 300; ++step) {
      GTagTile* empty = field.GetEmptyTile();
      std::pair<int, int> expected = LiteralChoice(literal, empty->lx, empty->ly, 4, 4);
      GTagTile* chosen = field.ChooseNeighbour();
      ASSERT_NE(chosen, nullptr);
      ASSERT_EQ(std::make_pair(chosen->lx, chosen->ly), expected) << "seed " << seed << " step " << step;
      Swap(chosen, empty);
    }
  }
}

TEST(TagFieldTest, ASmallerFieldNeverAimsOutsideItAndALargerOneIsShuffledEverywhere) {
  // On 3 by 3, an empty cell in the middle of the right edge finds a tile
  // with the first two draws every time: nothing aims at column 3.
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    GTagField field;
    Make(field, 3, 3);
    GTagTile* empty = field.GetEmptyTile();
    Swap(empty, TileAt(field, 2, 1));
    field.GetRandom().Seed(seed);
    GTagTile* chosen = field.ChooseNeighbour();
    ASSERT_NE(chosen, nullptr);
    EXPECT_TRUE(GTagField::AreNeighbours(chosen, empty)) << seed;
    TRandom twoDraws(seed);
    twoDraws.Next();
    twoDraws.Next();
    EXPECT_EQ(field.GetRandom().Next(), twoDraws.Next()) << "seed " << seed << " drew again";
  }
  // On 5 by 5 the empty cell comes back to the last column and row once it
  // has left them.
  GTagField field;
  Make(field, 5, 5);
  bool left = false, back = false;
  for (int step = 0; step < 400 && !back; ++step) {
    GTagTile* empty = field.GetEmptyTile();
    Swap(field.ChooseNeighbour(), empty);
    if (empty->lx < 4 && empty->ly < 4) left = true;
    if (left && (empty->lx == 4 || empty->ly == 4)) back = true;
  }
  EXPECT_TRUE(back);
}

TEST(TagFieldTest, ASingleCellIsNotShuffled) {
  GTagField field;
  Make(field, 1, 1, 50);
  ASSERT_EQ(field.GetTiles().size(), 1u);
  EXPECT_EQ(field.ChooseNeighbour(), nullptr);
  EXPECT_EQ(field.GetEmptyTile()->lx, 0);
}

TEST(TagFieldTest, AShuffleBeyondItsBoundIsSaidAndCutToIt) {
  for (int mix : {-1, 2147483647}) {
    GTagField field;
    const size_t reports = ReportCount();
    Make(field, 3, 3, mix);  // returns at once rather than sliding for ever
    EXPECT_EQ(ReportCount(), reports + 1) << mix;
    EXPECT_EQ(field.GetTiles().size(), 9u);
  }
}

TEST(TagFieldTest, SolvedOnlyWithEveryTileButTheEmptyOneHomeAndUpright) {
  struct Case {
    const char* what;
    void (*change)(GTagField&);
    bool solved;
  } cases[] = {
      {"all home, upright", [](GTagField&) {}, true},
      {"a tile turned", [](GTagField& f) { TileAt(f, 1, 1)->rotation = 1; }, false},
      {"two tiles traded", [](GTagField& f) { Swap(TileAt(f, 0, 0), TileAt(f, 1, 0)); }, false},
      {"the empty tile turned", [](GTagField& f) { f.GetEmptyTile()->rotation = 2; }, true},
      {"a tile moved into the empty cell", [](GTagField& f) { Swap(TileAt(f, 2, 1), f.GetEmptyTile()); },
       false},
  };
  for (const Case& c : cases) {
    GTagField field;
    Make(field, 3, 3);
    for (GTagTile* tile : field.GetTiles()) tile->rotation = 0;
    c.change(field);
    EXPECT_EQ(field.IsSolved(), c.solved) << c.what;
  }
}

TEST(TagFieldTest, ANewFieldTurnsItsSymbolsAndShufflesItsTiles) {
  GTagField field;
  Make(field, 3, 3, 8, 5);
  ASSERT_EQ(field.GetTiles().size(), 9u);
  EXPECT_EQ(field.GetTiles().back(), field.GetEmptyTile());
  EXPECT_FALSE(field.GetEmptyTile()->shown);
  bool moved = false;
  for (size_t i = 0; i < field.GetTiles().size(); ++i) {
    GTagTile* tile = field.GetTiles()[i];
    EXPECT_EQ(tile->symbolNumber, int(i) + 1);
    EXPECT_EQ(tile->x, 300 + 100 * tile->lx);
    EXPECT_EQ(tile->y, 200 + 100 * tile->ly);
    if (tile->lx != tile->ix || tile->ly != tile->iy) moved = true;
  }
  EXPECT_TRUE(moved);
}

TEST(TagFieldTest, ClicksSelectSlideAndTurn) {
  GTagField field;
  Make(field, 3, 3);
  GTagTile* corner = TileAt(field, 0, 0);
  GTagTile* right = TileAt(field, 2, 1);  // above the empty cell
  GTagTile* empty = field.GetEmptyTile();

  // The empty cell with nothing selected does nothing.
  field.OnClick(Cell(2, 2));
  EXPECT_EQ(field.GetSelectedTile(), nullptr);

  field.OnClick(Cell(0, 0));
  EXPECT_EQ(field.GetSelectedTile(), corner);
  EXPECT_TRUE(corner->selected);
  EXPECT_FALSE(empty->shown);
  // Not next to the selected tile: the empty cell takes no slide.
  field.OnClick(Cell(2, 2));
  EXPECT_EQ(empty->lx, 2);
  EXPECT_EQ(empty->ly, 2);
  EXPECT_EQ(field.GetSelectedTile(), corner);

  // Another tile is selected instead; next to the empty cell, it shows.
  field.OnClick(Cell(2, 1));
  EXPECT_EQ(field.GetSelectedTile(), right);
  EXPECT_FALSE(corner->selected);
  EXPECT_TRUE(right->selected);
  EXPECT_TRUE(empty->shown);

  // The slide: the tile glides down, the empty cell moves up at once.
  field.OnClick(Cell(2, 2));
  EXPECT_EQ(right->ly, 2);
  EXPECT_TRUE(right->moving);
  EXPECT_EQ(right->y, 300);
  EXPECT_EQ(empty->ly, 1);
  EXPECT_EQ(empty->y, 300);
  // A click on the gliding tile (its box is listed before the empty tile's) does nothing.
  int rotation = right->rotation;
  field.OnClick(Cell(2, 1));
  EXPECT_EQ(right->rotation, rotation);
  EXPECT_EQ(empty->ly, 1);
  for (int tick = 0; tick < 19; ++tick) field.Update();
  EXPECT_TRUE(right->moving);
  EXPECT_EQ(right->y, 395);
  field.Update();
  EXPECT_FALSE(right->moving);
  EXPECT_EQ(right->y, 400);
  EXPECT_EQ(field.GetSelectedTile(), right);

  // The selected tile turns a quarter at each click, from 3 back to 0.
  right->rotation = 2;
  field.OnClick(Cell(2, 2));
  EXPECT_EQ(right->rotation, 3);
  field.OnClick(Cell(2, 2));
  EXPECT_EQ(right->rotation, 0);
}

TEST(TagFieldTest, TheHighlightBoxTakesItsLeftAndTopEdgesOnly) {
  struct Case {
    int x, y;
    int col, row;  // the tile highlighted, -1 for none
  } cases[] = {
      {250, 150, 0, 0},    // top-left corner of the first tile
      {349, 249, 0, 0},    // its last pixel
      {350, 200, 1, 0},    // the next tile's first column
      {300, 250, 0, 1},    // the next row
      {249, 200, -1, -1},  // left of the field
      {300, 149, -1, -1},  // above it
  };
  for (const Case& c : cases) {
    GTagField field;
    Make(field, 3, 3);
    field.Highlight(TPoint(c.x, c.y));
    GTagTile* hovered = field.GetHoveredTile();
    if (c.col < 0) {
      EXPECT_EQ(hovered, nullptr) << c.x << "," << c.y;
      continue;
    }
    ASSERT_NE(hovered, nullptr) << c.x << "," << c.y;
    EXPECT_EQ(hovered, TileAt(field, c.col, c.row)) << c.x << "," << c.y;
    EXPECT_TRUE(hovered->hover);
  }
  // Moving off the field switches the highlight off; the tile stays the
  // hovered one. The empty cell is never highlighted.
  GTagField field;
  Make(field, 3, 3);
  field.Highlight(Cell(0, 0));
  field.Highlight(TPoint(10, 10));
  ASSERT_EQ(field.GetHoveredTile(), TileAt(field, 0, 0));
  EXPECT_FALSE(field.GetHoveredTile()->hover);
  field.Highlight(Cell(2, 2));
  EXPECT_FALSE(field.GetEmptyTile()->hover);
}

TEST(TagFieldTest, ASavedFieldComesBackAsItWas) {
  GTagField field;
  Make(field, 3, 3, 8, 3);
  // A selection next to the empty cell, a highlight and a tile mid-glide.
  GTagTile* empty = field.GetEmptyTile();
  GTagTile* next = nullptr;
  for (GTagTile* tile : field.GetTiles())
    if (GTagField::AreNeighbours(tile, empty)) next = tile;
  ASSERT_NE(next, nullptr);
  field.OnClick(TPoint(int(next->x), int(next->y)));
  field.OnClick(TPoint(int(empty->x), int(empty->y)));
  for (int tick = 0; tick < 7; ++tick) field.Update();
  ASSERT_TRUE(next->moving);
  field.Highlight(TPoint(int(field.GetTiles()[0]->x), int(field.GetTiles()[0]->y)));

  TXmlNode saved("tags");
  field.Save(&saved);
  GTagField restored;
  restored.Load(FieldNode(3, 3, 8).get());
  restored.Restore(&saved);
  TXmlNode again("tags");
  restored.Save(&again);
  EXPECT_EQ(again.AsString(), saved.AsString());

  ASSERT_EQ(restored.GetTiles().size(), 9u);
  GTagTile* back = restored.GetTiles()[size_t(
      std::find(field.GetTiles().begin(), field.GetTiles().end(), next) - field.GetTiles().begin())];
  EXPECT_EQ(restored.GetSelectedTile(), back);
  EXPECT_FALSE(back->moving) << "a tile saved in its glide stays where it was";
  EXPECT_EQ(back->y, next->y);
  EXPECT_EQ(restored.GetEmptyTile(), restored.GetTiles().back());
  EXPECT_TRUE(restored.GetEmptyTile()->shown) << "the selected tile is next to it";
  EXPECT_EQ(restored.GetHoveredTile(), restored.GetTiles()[0]);
  EXPECT_EQ(restored.IsSolved(), field.IsSolved());

  // A damaged save's turns outside 0 to 3 still come round to upright.
  std::vector<SavedTile> home = HomeTiles(3, 3);
  for (SavedTile& t : home) t.s = 0;
  home[0].s = 7;
  TXmlNode damaged("tags");
  Save(damaged, home);
  GTagField odd;
  odd.Load(FieldNode(3, 3, 0).get());
  odd.Restore(&damaged);
  ASSERT_EQ(odd.GetTiles().size(), 9u);
  EXPECT_EQ(odd.GetTiles()[0]->rotation, 3);
  odd.OnClick(TPoint(300, 200));
  odd.OnClick(TPoint(300, 200));
  EXPECT_EQ(odd.GetTiles()[0]->rotation, 0);
  EXPECT_TRUE(odd.IsSolved());
}

TEST(TagFieldTest, ASavedFieldNoSlideReachesIsSaidAndShuffledAnew) {
  struct Case {
    const char* what;
    int width, height;
    void (*change)(std::vector<SavedTile>&);
    bool kept;
  } cases[] = {
      {"home", 3, 3, [](std::vector<SavedTile>&) {}, true},
      {"one slide away", 3, 3, [](std::vector<SavedTile>& t) { std::swap(t[7].lx, t[8].lx); }, true},
      {"a single row, one slide away", 4, 1, [](std::vector<SavedTile>& t) { std::swap(t[2].lx, t[3].lx); },
       true},
      {"no tiles", 3, 3, [](std::vector<SavedTile>& t) { t.clear(); }, false},
      {"a tile short", 3, 3, [](std::vector<SavedTile>& t) { t.erase(t.begin()); }, false},
      {"a tile off the field", 3, 3, [](std::vector<SavedTile>& t) { t[0].lx = 3; }, false},
      {"a home off the field", 3, 3, [](std::vector<SavedTile>& t) { t[0].iy = -1; }, false},
      {"two tiles in one cell", 3, 3, [](std::vector<SavedTile>& t) { t[1].lx = 0; }, false},
      {"two tiles of one home", 3, 3, [](std::vector<SavedTile>& t) { t[1].ix = 0; }, false},
      {"no empty tile", 3, 3, [](std::vector<SavedTile>& t) { t[8].e = 0; }, false},
      {"the empty tile first", 3, 3, [](std::vector<SavedTile>& t) { std::swap(t[0], t[8]); }, false},
      {"two tiles traded", 3, 3, [](std::vector<SavedTile>& t) { std::swap(t[0].lx, t[1].lx); }, false},
      {"a single row, tiles passed", 4, 1,
       [](std::vector<SavedTile>& t) {
         t[0].lx = 1;
         t[1].lx = 2;
         t[2].lx = 0;
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<SavedTile> tiles = HomeTiles(c.width, c.height);
    c.change(tiles);
    for (SavedTile& t : tiles) t.s = 1;  // a new field turns its tiles at random
    TXmlNode saved("tags");
    Save(saved, tiles);
    GTagField field;
    field.Load(FieldNode(c.width, c.height, 0).get());
    const size_t reports = ReportCount();
    field.Restore(&saved);
    EXPECT_EQ(ReportCount() - reports, c.kept ? 0u : 1u);
    // Either way a whole field: every cell once, the empty one last.
    const std::vector<GTagTile*>& back = field.GetTiles();
    ASSERT_EQ(back.size(), size_t(c.width * c.height));
    EXPECT_EQ(field.GetEmptyTile(), back.back());
    for (int r = 0; r < c.height; ++r)
      for (int col = 0; col < c.width; ++col) EXPECT_NE(TileAt(field, col, r), nullptr) << col << "," << r;
    bool turnedAsSaved = true;
    for (size_t i = 0; i < back.size() && i < tiles.size(); ++i)
      turnedAsSaved = turnedAsSaved && back[i]->lx == tiles[i].lx && back[i]->rotation == 1;
    EXPECT_EQ(turnedAsSaved && back.size() == tiles.size(), c.kept);
  }
}

TEST(TagFieldTest, ASavedTileFarFromItsCellIsPutBackThere) {
  std::vector<SavedTile> tiles = HomeTiles(3, 3);
  tiles[0].x = 5000;    // beyond any glide
  tiles[1].y = 250.5f;  // half-way through one
  TXmlNode saved("tags");
  Save(saved, tiles);
  GTagField field;
  field.Load(FieldNode(3, 3, 0).get());
  const size_t reports = ReportCount();
  field.Restore(&saved);
  EXPECT_EQ(ReportCount(), reports + 1);
  EXPECT_EQ(field.GetTiles()[0]->x, 300);
  EXPECT_EQ(field.GetTiles()[1]->y, 250.5f);
}

}  // namespace
