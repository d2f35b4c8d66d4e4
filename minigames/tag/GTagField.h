#pragma once
// The sliding-tile puzzle of the tag game: a grid of tiles, one of them the
// empty cell, each tile showing a numbered symbol that turns in quarter
// turns. It shuffles, takes clicks, glides the slid tile and saves itself;
// the scene around it decides when the game ends.

#include <functional>
#include <vector>

#include "sdk/TMath.h"
#include "sdk/TRandom.h"
#include "sdk/TSound.h"
#include "visual/GVObject.h"
#include "visual/TFxSprite.h"

class TXmlNode;

struct GTagTile {
  GTagTile() = default;
  GTagTile(const GTagTile&) = delete;
  GTagTile& operator=(const GTagTile&) = delete;
  ~GTagTile();

  GVObject* tag = nullptr;     // owned: the tile picture, child "hilight"
  GVObject* symbol = nullptr;  // owned: the symbol, turned by the rotation
  TFxSpriteRef marker;         // the selection marker while the tile had it
  bool shown = false;
  bool moving = false;
  bool empty = false;
  bool hover = false;
  bool selected = false;
  float x = 0, y = 0;              // centre, pixels
  float targetX = 0, targetY = 0;  // where a glide ends
  float speed = 5;                 // pixels per tick of a glide
  int width = 0, height = 0;
  int lx = 0, ly = 0;  // current cell
  int ix = 0, iy = 0;  // home cell
  int homeRotation = 0;
  int rotation = 0;  // quarter turns, 0 to 3
  int symbolNumber = 0;
  int pictureNumber = 1;
};

class GTagField : public GVListener {
 public:
  // Makes an object of a description name; the scene's makes it into its
  // draw list from the game's folders.
  typedef std::function<GVObject*(const str& path)> ObjectMaker;

  GTagField() = default;
  GTagField(const GTagField&) = delete;
  GTagField& operator=(const GTagField&) = delete;
  ~GTagField() override;

  void SetObjectMaker(const ObjectMaker& maker) { mMakeObject = maker; }
  // The scene's animations; the first one marks the selected tile.
  void SetAnimations(std::vector<TFxSpriteRef>* animations) { mAnimations = animations; }

  // The grid from `field` and its `cells` child, and the sounds.
  void Load(TXmlNode* field);
  // Every tile home, symbols turned at random, then shuffled by slides of
  // the empty cell.
  void NewGame();
  // The field saved into `node` ("tags") by Save; a saved field the game
  // cannot reach is reported and a new one shuffled.
  void Restore(TXmlNode* node);
  void Save(TXmlNode* node) const;
  void OnClick(const TPoint& point);
  void Highlight(const TPoint& point);
  // One tick of the gliding tiles.
  void Update();
  bool IsSolved() const;
  void PlayDoneSound() const { Play(mDoneSound); }

  // The tile next to the empty one that the shuffle draws next.
  GTagTile* ChooseNeighbour();
  const std::vector<GTagTile*>& GetTiles() const { return mTiles; }
  GTagTile* GetEmptyTile() const { return mEmpty; }
  GTagTile* GetSelectedTile() const { return mSelected; }
  GTagTile* GetHoveredTile() const { return mHovered; }
  TRandom& GetRandom() { return mRandom; }
  int GetWidth() const { return mWidth; }
  int GetHeight() const { return mHeight; }
  int GetState() const { return mState; }

  static bool AreNeighbours(const GTagTile* a, const GTagTile* b);

 private:
  void Clear();
  // Why the saved tiles are not a field of this size that slides reach
  // from home; empty when they are.
  str SavedFieldFault(TXmlNode* items) const;
  GTagTile* MakeTile(int pictureNumber, int symbolNumber, int rotation, int homeRotation, float x, float y,
                     int lx, int ly, int ix, int iy);
  void MakeEmpty(GTagTile* tile);
  GTagTile* TileAt(int lx, int ly) const;
  void PlaceAtCell(GTagTile* tile, int lx, int ly);
  void PlaceObjects(GTagTile* tile);
  void SetHighlight(GTagTile* tile, bool on);
  void ShowEmptyBySelection();
  void MarkSelected();
  void Select(GTagTile* tile);
  void Slide();
  void Turn(GTagTile* tile);
  static void Play(const TSoundRef& sound);

  TRandom mRandom;
  std::vector<GTagTile*> mTiles;  // owned
  GTagTile* mEmpty = nullptr;
  GTagTile* mSelected = nullptr;
  GTagTile* mHovered = nullptr;
  int mState = 0;
  int mWidth = 0, mHeight = 0;
  int mCellWidth = 0, mCellHeight = 0;
  int mX = 0, mY = 0;  // centre of the top-left cell
  int mMixIterations = 50;
  TSoundRef mTurnSound, mSlideSound, mDoneSound;
  ObjectMaker mMakeObject;
  std::vector<TFxSpriteRef>* mAnimations = nullptr;  // not owned
};
