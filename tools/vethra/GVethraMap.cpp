#include "GVethraMap.h"

#include <memory>

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/GScene.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "sdk/TImage.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "tools/vethra/GVethraGrid.h"
#include "visual/GVData.h"
#include "visual/GVXmlLoaders.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kGridScript = "scripts/vethra_grid.lua";
const char* const kWhere = "cfg/game_screen.xml: vethra_map";
const char* const kGridWhere = "cfg/game_screen.xml: vethra_map/map_grid";
const char* const kPartsWhere = "cfg/game_screen.xml: vethra_map/parts";
const int kMaxGridCells = 1000;

TXmlNode* MapConfig() {
  return OGameConfig::GetInstance()->GetGameScreenChild("vethra_map");
}

int ChildInt(TXmlNode* node, const char* child) {
  TXmlNode* c = node ? node->GetChild(child) : nullptr;
  return c ? c->GetContent().to_int() : 0;
}

void ReadPos(TXmlNode* node, const char* child, int* x, int* y) {
  TXmlNode* c = node ? node->GetChild(child) : nullptr;
  *x = GVReadCoordinate("x", c, kWhere);
  *y = GVReadCoordinate("y", c, kWhere);
}

// The window "map" of a part's script drawn into a texture; null (with a
// message) when the script builds none.
TTextureRef RenderPart(TXmlNode* part, size_t index) {
  str script = part->GetAttribute("script");
  std::unique_ptr<TWindow> window(LoadWindowFromScript(script.c_str(), "map"));
  if (!window) {
    Report("cfg/game_screen.xml: vethra_map part %d: \"%s\" builds no window \"map\"; the part shows nothing",
           int(index), script.c_str());
    return TTextureRef();
  }
  return RenderWindowToTexture(window.get());
}

void MapOrphan(TWindow* w) {
  if (w && w->GetParent()) w->GetParent()->OrphanChild(w);
}
}  // namespace

// ---- slides ----

GVethraMapSlides::GVethraMapSlides(const std::vector<TImage*>& pictures, int fadeTicks, TImage* marker,
                                   int x0, int y0, int dx, int dy)
    : mPictures(pictures),
      mMarker(marker),
      mFadeTicks(fadeTicks),
      mMarkerX0(x0),
      mMarkerY0(y0),
      mMarkerDx(dx),
      mMarkerDy(dy) {
  if (!mPictures.empty() && mPictures[0]) SetWindowSize(mPictures[0]->GetWidth(), mPictures[0]->GetHeight());
}

GVethraMapSlides::~GVethraMapSlides() {
  for (TImage* picture : mPictures) {
    MapOrphan(picture);
    delete picture;
  }
  MapOrphan(mMarker);
  delete mMarker;
}

bool GVethraMapSlides::IsValid(int index) const {
  if (index >= 0 && index < int(mPictures.size())) return true;
  Report("vethra map: part %d has no picture (%d parts); the map stays as it is", index,
         int(mPictures.size()));
  return false;
}

void GVethraMapSlides::OrphanPictures() {
  for (TImage* picture : mPictures) MapOrphan(picture);
}

void GVethraMapSlides::ShowSlide(int index) {
  if (!IsValid(index)) return;
  OrphanPictures();
  mCurrent = index;
  AdoptChild(mPictures[index]);
  mPictures[index]->SetAlpha(1);
  PlaceMarker();
  mSettled = true;
  mCount = 0;
}

void GVethraMapSlides::FadeToSlide(int index) {
  if (index == mCurrent || !IsValid(index)) return;
  OrphanPictures();
  if (mCurrent >= 0 && mCurrent < int(mPictures.size())) {
    mPictures[mCurrent]->SetAlpha(1);
    AdoptChild(mPictures[mCurrent]);
  }
  mCurrent = index;
  AdoptChild(mPictures[index]);
  mPictures[index]->SetAlpha(0);
  PlaceMarker();
  mSettled = false;
  mCount = 0;
}

void GVethraMapSlides::FadeStep() {
  if (mSettled || mCurrent < 0 || mCurrent >= int(mPictures.size())) return;
  ++mCount;
  // Without fade ticks the new part is there at once.
  mPictures[mCurrent]->SetAlpha(mFadeTicks > 0 ? float(mCount) / float(mFadeTicks) : 1.0f);
}

void GVethraMapSlides::PlaceMarker() {
  if (!mMarker) return;
  MapOrphan(mMarker);
  std::unique_ptr<OVethraCoords> coords = OGame::GetInstance()->GetVethraSceneCoords();
  if (!coords || coords->part != mCurrent) return;
  AdoptChild(mMarker);
  mMarker->SetWindowPos(coords->column * mMarkerDx + mMarkerX0, coords->row * mMarkerDy + mMarkerY0);
}

// ---- map ----

GVethraMap::GVethraMap(GMasksManager* masks) : mMasks(masks) {
  SetWindowSize(800, 600);
  TPlatform::GetInstance()->AdoptTextureRefreshListener(this);
}

GVethraMap::~GVethraMap() {
  TPlatform::GetInstance()->OrphanTextureRefreshListener(this);
  MapOrphan(mFrame);
  delete mFrame;
  MapOrphan(mGrid);
  delete mGrid;
  MapOrphan(mSlides);
  delete mSlides;
}

void GVethraMap::Build() {
  TXmlNode* config = MapConfig();
  if (!config) Report("cfg/game_screen.xml: no \"vethra_map\"; the world map is empty");
  ReadPos(config, "hidden_pos", &mHiddenX, &mHiddenY);
  ReadPos(config, "shown_pos", &mShownX, &mShownY);
  mShowTicks = ChildInt(config, "num_show_ticks");
  mFadeTicks = ChildInt(config, "num_part_change_alpha_ticks");
  TXmlNode* grid = config ? config->GetChild("map_grid") : nullptr;
  if (grid) {
    mGridX = GVReadCoordinate("cells_x", grid, kGridWhere);
    mGridY = GVReadCoordinate("cells_y", grid, kGridWhere);
    mCellW = GVReadSize("w", grid, kGridWhere);
    mCellH = GVReadSize("h", grid, kGridWhere);
  }
  // Few enough that the grid's width and height, cells times cell size, stay
  // inside an int.
  int columns = GVReadRangedAttribute("num_x", grid, 0, kMaxGridCells, 0, kGridWhere);
  int rows = GVReadRangedAttribute("num_y", grid, 0, kMaxGridCells, 0, kGridWhere);

  std::vector<TImage*> pictures;
  TXmlNode* parts = config ? config->GetChild("parts") : nullptr;
  for (size_t i = 0; parts && i < parts->GetChildCount(); ++i) {
    TXmlNode* part = parts->GetChildAt(i);
    // A part whose script fails keeps its place, empty, so the parts after
    // it keep their indices.
    TImage* picture = new TImage(true);
    picture->SetTexture(RenderPart(part, i), 1);
    picture->SetWindowPos(GVReadCoordinate("x", part, kPartsWhere), GVReadCoordinate("y", part, kPartsWhere));
    pictures.push_back(picture);
  }
  mFrame = LoadImageFromXml(config ? config->GetChild("map_frame") : nullptr);
  TImage* marker = LoadImageFromXml(config ? config->GetChild("cur_pos_indicator") : nullptr);
  mGridRect = TRect(mGridX, mGridY, mGridX + mCellW * columns, mGridY + mCellH * rows);

  mSlides = new GVethraMapSlides(pictures, mFadeTicks, marker, mGridX, mGridY, mCellW, mCellH);
  AdoptChild(mSlides);

  mGrid = LoadWindowFromScript<GVethraGrid>(kGridScript, "vethra_grid");
  if (mGrid) {
    mGrid->Setup();
    mGrid->SetMap(this);
  } else {
    Report("%s builds no \"vethra_grid\"; the map offers no travel", kGridScript);
  }
  mGridActive = false;
  SetState(kHidden);
}

void GVethraMap::SetState(int state) {
  mState = state;
  if (state != kShown) GMousePointer::GetInstance()->SetMapMode(false);
  mCounter = 0;
  if (state == kHidden || state == kShowing)
    SetWindowPos(mHiddenX, mHiddenY);
  else
    SetWindowPos(mShownX, mShownY);
}

void GVethraMap::Show() {
  if (mState != kShowing && mState != kShown) SetState(kShowing);
}

void GVethraMap::Hide() {
  if (mState != kHidden && mState != kHiding) SetState(kHiding);
}

void GVethraMap::ShowPart(int part) {
  mCurrentPart = part;
  if (mSlides) mSlides->ShowSlide(part);
  if (mGrid) mGrid->ClearChoice();
}

void GVethraMap::FadeToPart(int part) {
  mCurrentPart = part;
  if (mSlides) mSlides->FadeToSlide(part);
  if (mGrid) mGrid->ClearChoice();
}

void GVethraMap::SetGridActive(bool active) {
  mGridActive = active;
  if (mGrid) {
    if (active && !mGrid->GetParent())
      AdoptChild(mGrid);
    else if (!active)
      MapOrphan(mGrid);
  }
  // The frame lies over the pictures and the grid.
  MapOrphan(mFrame);
  if (mFrame) AdoptChild(mFrame);
}

void GVethraMap::TravelTo(int column, int row) {
  mTravelColumn = column;
  mTravelRow = row;
  SetState(kLeaving);
}

str GVethraMap::CellSceneId(int part, int column, int row) {
  return str::format("%d_%d_%d", part, column, row);
}

int GVethraMap::SlideCoord(int hidden, int shown, int counter, int ticks) {
  if (ticks <= 0) return shown;
  return hidden + (shown - hidden) * counter / ticks;
}

void GVethraMap::Tick() {
  switch (mState) {
    case kShowing:
      ++mCounter;
      SetWindowPos(SlideCoord(mHiddenX, mShownX, mCounter, mShowTicks),
                   SlideCoord(mHiddenY, mShownY, mCounter, mShowTicks));
      if (mCounter >= mShowTicks) SetState(kShown);
      break;
    case kHiding:
    case kLeaving: {
      ++mCounter;
      int left = mShowTicks - mCounter;
      SetWindowPos(SlideCoord(mHiddenX, mShownX, left, mShowTicks),
                   SlideCoord(mHiddenY, mShownY, left, mShowTicks));
      if (mCounter >= mShowTicks) {
        if (mState == kLeaving && mMasks) {
          str id = CellSceneId(mCurrentPart, mTravelColumn, mTravelRow);
          bool known = OGame::GetInstance()->HasScene(id);
          mMasks->GoToScene(id);
          // A cell with no scene is refused (with a message); the scene,
          // paused for the journey, must not stay paused with the map gone.
          if (!known && mMasks->GetScene()) mMasks->GetScene()->Resume();
        }
        SetState(kHidden);
      }
      break;
    }
    case kShown:
      if (mGridActive) {
        OMousePointerManager* pointer = GMousePointer::PeekManager();
        bool inside = pointer && mGridRect.Contains(pointer->GetX(), pointer->GetY());
        GMousePointer::GetInstance()->SetMapMode(inside);
      }
      break;
    default:
      break;
  }
  if (mSlides) mSlides->FadeStep();
  if (mGrid) mGrid->Tick();
}

bool GVethraMap::DoTask() {
  TXmlNode* config = MapConfig();
  TXmlNode* parts = config ? config->GetChild("parts") : nullptr;
  if (!parts || !mSlides) return true;
  const std::vector<TImage*>& pictures = mSlides->GetPictures();
  for (size_t i = 0; i < parts->GetChildCount() && i < pictures.size(); ++i) {
    TTextureRef texture = RenderPart(parts->GetChildAt(i), i);
    // Without a window the old texture stays: better a blank than nothing.
    if (texture) pictures[i]->SetTexture(texture, pictures[i]->GetAlpha());
  }
  return true;
}
