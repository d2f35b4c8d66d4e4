#pragma once
// The Vethra world map that the Vethra scene slides onto the screen. It
// shows one of the four parts of the world at a time as a picture, marks the
// scene the player stands in, and in travel mode lets the player pick a cell
// of its grid; it then slides away and moves the game to that cell's scene
// ("part_column_row").

#include <vector>

#include "sdk/TTask.h"
#include "sdk/TWindow.h"

class GMasksManager;
class GVethraGrid;
class TImage;

// The strip of part pictures with the cross-fade between two of them, and
// the marker of the player's scene.
class GVethraMapSlides : public TWindow {
  TWINDOW_CLASS(GVethraMapSlides, TWindow)
 public:
  GVethraMapSlides() = default;
  // Takes the pictures and the marker over. The marker goes to
  // (column * dx + x0, row * dy + y0).
  GVethraMapSlides(const std::vector<TImage*>& pictures, int fadeTicks, TImage* marker, int x0, int y0,
                   int dx, int dy);
  ~GVethraMapSlides() override;

  void ShowSlide(int index);
  void FadeToSlide(int index);
  void PlaceMarker();
  // One tick of the cross-fade.
  void FadeStep();

  int GetCurrent() const { return mCurrent; }
  bool IsSettled() const { return mSettled; }
  const std::vector<TImage*>& GetPictures() const { return mPictures; }
  TImage* GetMarker() const { return mMarker; }

 private:
  bool IsValid(int index) const;
  void OrphanPictures();

  std::vector<TImage*> mPictures;  // owned
  TImage* mMarker = nullptr;       // owned
  int mCurrent = 0;
  int mCount = 0;
  int mFadeTicks = 0;
  bool mSettled = true;
  int mMarkerX0 = 0, mMarkerY0 = 0, mMarkerDx = 0, mMarkerDy = 0;
};

class GVethraMap : public TWindow, public TTask {
  TWINDOW_CLASS(GVethraMap, TWindow)
 public:
  enum { kHidden = 0, kShowing = 1, kShown = 2, kHiding = 3, kLeaving = 4 };

  GVethraMap() : GVethraMap(nullptr) {}
  // The masks manager (not owned) is the scene's: it changes the scene.
  explicit GVethraMap(GMasksManager* masks);
  ~GVethraMap() override;

  // Reads game_screen/vethra_map and builds the pictures, slides and grid.
  void Build();
  void SetState(int state);
  void Show();
  void Hide();
  void ShowPart(int part);
  void FadeToPart(int part);
  void SetGridActive(bool active);
  void TravelTo(int column, int row);
  void Tick();

  int GetState() const { return mState; }
  int GetCurrentPart() const { return mCurrentPart; }
  bool IsGridActive() const { return mGridActive; }
  int GetCounter() const { return mCounter; }
  GVethraGrid* GetGrid() const { return mGrid; }
  GVethraMapSlides* GetSlides() const { return mSlides; }
  TImage* GetFrame() const { return mFrame; }

  // The scene id of a cell of a part: "part_column_row".
  static str CellSceneId(int part, int column, int row);

  // One coordinate of the window at `counter` ticks of a slide: hidden +
  // (shown - hidden) * counter / ticks, truncated toward zero; the shown
  // place at once when the slide has no ticks.
  static int SlideCoord(int hidden, int shown, int counter, int ticks);

  // The platform's texture refresh: the part pictures are rendered again.
  bool DoTask() override;

 private:
  int mState = kHidden;
  int mHiddenX = 0, mHiddenY = 0;
  int mShownX = 0, mShownY = 0;
  int mShowTicks = 0;
  int mFadeTicks = 0;
  TImage* mFrame = nullptr;  // owned
  int mCounter = 0;
  int mCurrentPart = 0;
  int mGridX = 0, mGridY = 0, mCellW = 0, mCellH = 0;
  GVethraGrid* mGrid = nullptr;         // owned
  GVethraMapSlides* mSlides = nullptr;  // owned, adopted
  GMasksManager* mMasks = nullptr;
  int mTravelColumn = 0, mTravelRow = 0;
  TRect mGridRect;
  bool mGridActive = false;
};
