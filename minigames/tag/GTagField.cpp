#include "GTagField.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "minigames/GBoardGameScene.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TXmlNode.h"

namespace {
// A field is a few dozen tiles; a larger grid is a content error.
const int kMaxCells = 1024;
const float kPi = 3.1415927f;

// Far beyond any screen, yet whole-number arithmetic on it stays in range.
const int kFarAway = 1000000;
// Slides of the shuffle: a few dozen mix any field; more would only hold the
// scene's start up.
const int kMaxMixIterations = 10000;

int Clamp(int value, int limit) {
  return value < -limit ? -limit : value > limit ? limit : value;
}

// A tile's centre as a whole number; a damaged save's position may be any
// float.
int Whole(float value) {
  if (!(value > -kFarAway)) return -kFarAway;
  return value < kFarAway ? int(value) : kFarAway;
}

// The box a tile takes clicks and the highlight in: half-open.
TRect Box(const GTagTile* tile) {
  int x = Whole(tile->x), y = Whole(tile->y);
  return TRect(x - tile->width / 2, y - tile->height / 2, x + tile->width / 2, y + tile->height / 2);
}

int Attr(const TXmlNode* node, const char* name) {
  return node ? node->GetAttribute(name).to_int() : 0;
}

void SetAttr(TXmlNode* node, const char* name, int value) {
  node->SetAttribute(name, str::format("%d", value));
}

void RunScript(const TFxSpriteRef& sprite, const char* code) {
  if (!sprite) return;
  if (TScript* script = sprite->GetScript()) script->DoLuaString(code, -1, 0);
}
}  // namespace

GTagTile::~GTagTile() {
  delete tag;
  delete symbol;
}

GTagField::~GTagField() {
  Clear();
}

void GTagField::Clear() {
  for (GTagTile* tile : mTiles) delete tile;
  mTiles.clear();
  mEmpty = mSelected = mHovered = nullptr;
}

void GTagField::Load(TXmlNode* field) {
  mWidth = Attr(field, "width");
  mHeight = Attr(field, "height");
  mX = Clamp(Attr(field, "x"), kFarAway);
  mY = Clamp(Attr(field, "y"), kFarAway);
  mMixIterations = Attr(field, "mix_iterations");
  if (mMixIterations < 0 || mMixIterations > kMaxMixIterations) {
    const int used = mMixIterations < 0 ? 0 : kMaxMixIterations;
    Report("tag: \"mix_iterations\" %d is outside 0..%d; %d is used", mMixIterations, kMaxMixIterations,
           used);
    mMixIterations = used;
  }
  TXmlNode* cells = field ? field->GetChild("cells") : nullptr;
  mCellWidth = Clamp(Attr(cells, "width"), kFarAway);
  mCellHeight = Clamp(Attr(cells, "height"), kFarAway);
  if (mWidth < 1 || mHeight < 1 || mWidth > kMaxCells || mHeight > kMaxCells / mWidth) {
    Report("tag: field of %d by %d tiles is not a field; the game has no tiles", mWidth, mHeight);
    mWidth = mHeight = 0;
  }
  mState = 0;
  mTurnSound = TSound::Get("audio/sfx/minigames/tags/stone_rotate.ogg", 0, TSound::kTypeEffects);
  mSlideSound = TSound::Get("audio/sfx/minigames/tags/stone_turn.ogg", 0, TSound::kTypeEffects);
  mDoneSound = TSound::Get("audio/sfx/minigames/tags/composition_done.ogg", 0, TSound::kTypeEffects);
}

GTagTile* GTagField::MakeTile(int pictureNumber, int symbolNumber, int rotation, int homeRotation, float x,
                              float y, int lx, int ly, int ix, int iy) {
  GTagTile* tile = new GTagTile();
  if (mMakeObject) {
    tile->tag = mMakeObject("tag");
    tile->symbol = mMakeObject("tag_symbol");
  }
  tile->pictureNumber = pictureNumber;
  tile->symbolNumber = symbolNumber;
  // A damaged save's turn outside 0..3 would never come round to upright.
  tile->rotation = ((rotation % 4) + 4) % 4;
  tile->homeRotation = ((homeRotation % 4) + 4) % 4;
  tile->x = x;
  tile->y = y;
  tile->lx = lx;
  tile->ly = ly;
  tile->ix = ix;
  tile->iy = iy;
  tile->width = mCellWidth;
  tile->height = mCellHeight;
  if (tile->tag) tile->tag->SetState(TState::FromStr(str::format("tag%d", pictureNumber)), true);
  if (tile->symbol) tile->symbol->SetState(TState::FromStr(str::format("sym%d", symbolNumber)), true);
  tile->shown = true;
  GBoardGameScene::ShowObject(tile->tag, true);
  GBoardGameScene::ShowObject(tile->symbol, true);
  PlaceObjects(tile);
  mTiles.push_back(tile);
  return tile;
}

void GTagField::MakeEmpty(GTagTile* tile) {
  tile->empty = true;
  mEmpty = tile;
  if (tile->tag) tile->tag->SetState(TState::FromCStr("empty"), true);
  GBoardGameScene::ShowObject(tile->symbol, false);
}

void GTagField::PlaceObjects(GTagTile* tile) {
  GBoardGameScene::PlaceObject(tile->tag, tile->x, tile->y);
  GBoardGameScene::PlaceObject(tile->symbol, tile->x, tile->y);
  if (tile->symbol) tile->symbol->rotate = float(tile->rotation) * 90 * kPi / 180;
  if (tile->marker) tile->marker->SetPosition(TVec3(tile->x, tile->y, 0));
}

void GTagField::NewGame() {
  Clear();
  int symbol = 1;
  for (int r = 0; r < mHeight; ++r)
    for (int c = 0; c < mWidth; ++c) {
      int rotation = mRandom.RandRange(0, 3);
      int picture = mRandom.RandRange(1, 4);
      MakeTile(picture, symbol++, rotation, 0, float(mX) + float(c) * float(mCellWidth),
               float(mY) + float(r) * float(mCellHeight), c, r, c, r);
    }
  if (mTiles.empty()) return;
  GTagTile* last = mTiles.back();
  MakeEmpty(last);
  last->shown = false;
  GBoardGameScene::ShowObject(last->tag, false);
  // A single cell has no neighbour to trade with.
  if (mTiles.size() < 2) return;
  for (int i = 0; i < mMixIterations; ++i) {
    GTagTile* other = ChooseNeighbour();
    int lx = other->lx, ly = other->ly;
    PlaceAtCell(other, mEmpty->lx, mEmpty->ly);
    PlaceAtCell(mEmpty, lx, ly);
  }
}

GTagTile* GTagField::ChooseNeighbour() {
  if (!mEmpty || mTiles.size() < 2) return nullptr;
  const int ex = mEmpty->lx, ey = mEmpty->ly;
  for (;;) {
    bool horizontal = mRandom.RandRange(0, 1) != 0;
    int d = mRandom.RandRange(0, 1) != 0 ? 1 : -1;
    // The far edges are tested whatever the axis, as the draws have always
    // gone; the edges are the field's own, so every cell of a larger field
    // takes part and a smaller one draws no cell outside it.
    if ((horizontal && ex + d < 0) || ex + d > mWidth - 1 || (!horizontal && ey + d < 0) ||
        ey + d > mHeight - 1)
      d = -d;
    GTagTile* tile = horizontal ? TileAt(ex + d, ey) : TileAt(ex, ey + d);
    if (tile) return tile;
  }
}

GTagTile* GTagField::TileAt(int lx, int ly) const {
  for (GTagTile* tile : mTiles)
    if (tile->lx == lx && tile->ly == ly) return tile;
  return nullptr;
}

void GTagField::PlaceAtCell(GTagTile* tile, int lx, int ly) {
  tile->lx = lx;
  tile->ly = ly;
  tile->x = float(mX) + float(lx) * float(mCellWidth);
  tile->y = float(mY) + float(ly) * float(mCellHeight);
  PlaceObjects(tile);
}

bool GTagField::AreNeighbours(const GTagTile* a, const GTagTile* b) {
  if (!a || !b) return false;
  return (a->ly == b->ly && std::abs(a->lx - b->lx) == 1) || (a->lx == b->lx && std::abs(a->ly - b->ly) == 1);
}

void GTagField::ShowEmptyBySelection() {
  if (!mEmpty) return;
  mEmpty->shown = AreNeighbours(mSelected, mEmpty);
  GBoardGameScene::ShowObject(mEmpty->tag, mEmpty->shown);
}

void GTagField::MarkSelected() {
  if (!mSelected || !mAnimations || mAnimations->empty()) return;
  TFxSpriteRef marker = mAnimations->front();
  mSelected->marker = marker;
  if (marker) marker->SetPosition(TVec3(mSelected->x, mSelected->y, 0));
  RunScript(marker, "gActive = true");
}

void GTagField::Select(GTagTile* tile) {
  if (mSelected) mSelected->selected = false;
  mSelected = tile;
  tile->selected = true;
  ShowEmptyBySelection();
  MarkSelected();
}

void GTagField::Slide() {
  Play(mSlideSound);
  int lx = mSelected->lx, ly = mSelected->ly;
  mSelected->lx = mEmpty->lx;
  mSelected->ly = mEmpty->ly;
  mSelected->targetX = float(mX) + float(mSelected->lx) * float(mCellWidth);
  mSelected->targetY = float(mY) + float(mSelected->ly) * float(mCellHeight);
  mSelected->moving = true;
  PlaceAtCell(mEmpty, lx, ly);
}

void GTagField::Turn(GTagTile* tile) {
  tile->rotation = tile->rotation + 1 == 4 ? 0 : tile->rotation + 1;
  PlaceObjects(tile);
  Play(mTurnSound);
}

void GTagField::OnClick(const TPoint& point) {
  for (GTagTile* tile : mTiles) {
    if (!Box(tile).Contains(point)) continue;
    if (tile->moving) return;
    if (!mSelected) {
      if (tile == mEmpty) {
        if (mAnimations && !mAnimations->empty()) RunScript(mAnimations->front(), "gActive = false");
        return;
      }
      Select(tile);
      return;
    }
    if (tile == mEmpty) {
      if (!AreNeighbours(mSelected, mEmpty)) continue;
      Slide();
      return;
    }
    if (tile == mSelected) {
      Turn(tile);
      return;
    }
    Select(tile);
    return;
  }
}

void GTagField::SetHighlight(GTagTile* tile, bool on) {
  tile->hover = on;
  if (GVObject* hilight = tile->tag ? tile->tag->GetChild("hilight") : nullptr)
    hilight->SetState(on ? TState::FromCStr("hilight") : kStateNormal, true);
}

void GTagField::Highlight(const TPoint& point) {
  for (GTagTile* tile : mTiles) {
    if (tile == mEmpty) continue;
    if (!Box(tile).Contains(point)) continue;
    if (mHovered && mHovered != tile) SetHighlight(mHovered, false);
    mHovered = tile;
    SetHighlight(tile, true);
    return;
  }
  if (mHovered) SetHighlight(mHovered, false);
}

void GTagField::Update() {
  for (GTagTile* tile : mTiles) {
    if (!tile->moving) continue;
    auto step = [&tile](float& value, float target) {
      if (std::abs(target - value) <= tile->speed)
        value = target;
      else
        value += target > value ? tile->speed : -tile->speed;
    };
    step(tile->y, tile->targetY);
    step(tile->x, tile->targetX);
    if (tile->x == tile->targetX && tile->y == tile->targetY) tile->moving = false;
    PlaceObjects(tile);
  }
}

bool GTagField::IsSolved() const {
  if (mTiles.empty()) return false;
  for (size_t i = 0; i + 1 < mTiles.size(); ++i) {
    const GTagTile* tile = mTiles[i];
    if (tile->lx != tile->ix || tile->ly != tile->iy || tile->rotation != tile->homeRotation) return false;
  }
  return true;
}

str GTagField::SavedFieldFault(TXmlNode* items) const {
  const int cells = mWidth * mHeight;
  const int count = items ? int(items->GetChildCount()) : 0;
  if (count != cells || cells == 0) return str::format("has %d tiles, not %d by %d", count, mWidth, mHeight);
  // Each tile's home and current cell: the cells of the field, each taken once.
  std::vector<int> homeAt(size_t(cells), -1), seen(size_t(cells), 0);
  for (int i = 0; i < count; ++i) {
    TXmlNode* item = items->GetChildAt(size_t(i));
    const int lx = Attr(item, "lx"), ly = Attr(item, "ly"), ix = Attr(item, "ix"), iy = Attr(item, "iy");
    auto inside = [this](int c, int r) { return c >= 0 && c < mWidth && r >= 0 && r < mHeight; };
    if (!inside(lx, ly) || !inside(ix, iy)) return str::format("puts tile %d outside the field", i + 1);
    const int at = ly * mWidth + lx, home = iy * mWidth + ix;
    if (homeAt[size_t(at)] >= 0 || seen[size_t(home)]++) return str::format("puts two tiles in one cell");
    homeAt[size_t(at)] = home;
    // The solved test passes over the last tile: it must be the empty one.
    if ((Attr(item, "e") == 1) != (i == count - 1)) return "has its empty cell elsewhere than last";
  }
  // Slides trade the empty cell with a neighbour, one swap each: a field is
  // reached from home only by as many swaps, counted mod 2, as the empty
  // cell lies steps from its own home.
  TXmlNode* last = items->GetChildAt(size_t(count - 1));
  const int steps =
      std::abs(Attr(last, "lx") - Attr(last, "ix")) + std::abs(Attr(last, "ly") - Attr(last, "iy"));
  int swaps = 0;
  std::vector<int> order = homeAt;
  for (int at = 0; at < cells; ++at)
    while (order[size_t(at)] != at) {
      std::swap(order[size_t(at)], order[size_t(order[size_t(at)])]);
      ++swaps;
    }
  bool reachable = swaps % 2 == steps % 2;
  // In a single row or column the tiles can never pass each other.
  if (reachable && (mWidth == 1 || mHeight == 1)) {
    int previous = -1;
    for (int at = 0; at < cells; ++at) {
      const int home = homeAt[size_t(at)];
      const bool isEmpty = home == Attr(last, "iy") * mWidth + Attr(last, "ix");
      if (isEmpty) continue;
      if (home < previous) reachable = false;
      previous = home;
    }
  }
  return reachable ? str() : str("is not one that slides can reach");
}

void GTagField::Restore(TXmlNode* node) {
  TXmlNode* items = node ? node->GetChild("items") : nullptr;
  // A field no slide can reach, or one with tiles missing or outside it,
  // could never be solved, and the exit would save it again as it is.
  const str fault = SavedFieldFault(items);
  if (!fault.empty()) {
    Report("minigame_registry: the saved tag field %s; a new one is shuffled", fault.c_str());
    NewGame();
    return;
  }
  Clear();
  bool placed = false;
  for (size_t i = 0; i < items->GetChildCount(); ++i) {
    TXmlNode* item = items->GetChildAt(i);
    const int lx = Attr(item, "lx"), ly = Attr(item, "ly");
    const float cellX = float(mX) + float(lx) * float(mCellWidth);
    const float cellY = float(mY) + float(ly) * float(mCellHeight);
    float x = item->GetAttribute("x").to_float(), y = item->GetAttribute("y").to_float();
    // A tile saved in its glide lies within a cell of its own; further off
    // it could be out of reach of every click.
    if (!(std::abs(x - cellX) <= float(mCellWidth)) || !(std::abs(y - cellY) <= float(mCellHeight))) {
      x = cellX;
      y = cellY;
      placed = true;
    }
    GTagTile* tile = MakeTile(Attr(item, "tag_s"), Attr(item, "sym_s"), Attr(item, "s"), Attr(item, "is"), x,
                              y, lx, ly, Attr(item, "ix"), Attr(item, "iy"));
    if (Attr(item, "e") == 1) MakeEmpty(tile);
    if (Attr(item, "h") == 1) {
      SetHighlight(tile, true);
      mHovered = tile;
    }
    if (Attr(item, "sel") == 1) {
      tile->selected = true;
      mSelected = tile;
    }
  }
  if (mSelected) {
    ShowEmptyBySelection();
    MarkSelected();
  } else if (mEmpty) {
    mEmpty->shown = false;
    GBoardGameScene::ShowObject(mEmpty->tag, false);
  }
  mState = Attr(node, "state");
  if (placed) Report("minigame_registry: a saved tag tile lies away from its cell; it is put back there");
}

void GTagField::Save(TXmlNode* node) const {
  TXmlNode* items = node->CreateChild("items");
  for (const GTagTile* tile : mTiles) {
    TXmlNode* item = items->CreateChild("items");
    SetAttr(item, "sel", tile->selected ? 1 : 0);
    SetAttr(item, "h", tile->hover ? 1 : 0);
    SetAttr(item, "e", tile->empty ? 1 : 0);
    SetAttr(item, "s", tile->rotation);
    SetAttr(item, "is", tile->homeRotation);
    SetAttr(item, "tag_s", tile->pictureNumber);
    SetAttr(item, "sym_s", tile->symbolNumber);
    SetAttr(item, "ix", tile->ix);
    SetAttr(item, "iy", tile->iy);
    SetAttr(item, "lx", tile->lx);
    SetAttr(item, "ly", tile->ly);
    item->SetAttribute("x", str::format("%f", tile->x));
    item->SetAttribute("y", str::format("%f", tile->y));
  }
  SetAttr(node, "state", mState);
}

void GTagField::Play(const TSoundRef& sound) {
  if (sound) sound->Play();
}
