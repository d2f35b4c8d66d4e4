#pragma once
// One leaf of a book: a sheet with a front face, seen while it lies on the
// right-hand stack, and a back face, seen once it has been turned over onto
// the left-hand stack. Each face is a picture with an optional content
// window, built by a Lua script and rendered into a texture laid over the
// face. The sheet builds its faces a stage per tick, turns by folding about
// the spine with a vertical shear, reveals a face's content from its top
// edge down, and renders its contents again after the platform lost its
// textures (the only use it makes of being a task). It knows its book only
// through IPagesContainer.

#include <vector>

#include "sdk/TSprite.h"
#include "sdk/TTask.h"
#include "sdk/TTexture.h"
#include "sdk/str.h"
#include "visual/TFxSprite.h"

class IPagesContainer;
class TWindow;
class TXmlNode;

// The reveal of one face's content: its drawn height grows from 0 to the
// content's height over a number of ticks while particle effects ride the
// edge of the revealed part.
class OContentAppearEffect {
 public:
  enum { kIdle = 0, kRunning = 1, kEnded = 2 };

  // `content` may be null (a face without content: the reveal ends on its
  // first step). The rider point is the face's top-left corner.
  OContentAppearEffect(const TSpriteRef& content, const std::vector<TFxSpriteRef>& effects, int ticks,
                       int riderX, int riderY);
  // Lets go of the effect objects; they end in the scene that plays them.
  ~OContentAppearEffect() = default;
  OContentAppearEffect(const OContentAppearEffect&) = delete;
  OContentAppearEffect& operator=(const OContentAppearEffect&) = delete;

  void Step();
  // kEnded draws the whole content and stops the effect objects emitting.
  void SetState(int state);
  int GetState() const { return mState; }
  int GetCounter() const { return mCounter; }

 private:
  int mState = kIdle;
  int mCounter = 0;
  int mTicks;
  TSpriteRef mContent;
  std::vector<TFxSpriteRef> mEffects;
  int mFullHeight = 0;
  int mStartX = 0, mStartY = 0;
  int mRiderX, mRiderY;
};

class OQuestBookPage : public TTask {
 public:
  // Turn states; kUnset until building ends and the first state is applied.
  enum { kUnset = -1, kFront = 0, kTurningForward = 1, kBack = 2, kTurningBack = 3 };
  enum Side { kFrontFace = 0, kBackFace = 1 };
  // Build stages: three per face (picture, content window, rendered content),
  // then the stage that ends building.
  enum { kBuildStages = 7 };

  // `description` belongs to the configuration document; the positions are
  // the book's defaults for the faces' top-left corners.
  OQuestBookPage(IPagesContainer* container, TXmlNode* description, const TTextureRef& defaultFront,
                 const TTextureRef& defaultBack, int frontX, int frontY, int backX, int backY);
  ~OQuestBookPage() override;
  OQuestBookPage(const OQuestBookPage&) = delete;
  OQuestBookPage& operator=(const OQuestBookPage&) = delete;

  // Ticks a turn takes (N; a turn runs N + 1 ticks) and the largest shear.
  void SetTurning(int ticks, double maxSkew);
  // "x" and "y" of "front" and "back" that are not empty replace the defaults.
  void LoadOffsets();
  // Whether each face shows its content once built (and at once if built).
  void SetContentVisible(bool front, bool back);

  // On a sheet not yet built the state is only remembered until building ends.
  void SetTurnState(int state);
  // One tick: a build stage while the sheet is not built; else the turn
  // step in states 1 and 3, then the content reveal in every state.
  void Animate();
  void BuildStep();
  void Draw();

  TSpriteRef GetCurrentSprite() const;
  bool IsFrontShown() const;

  // Starts the reveal of the face at rest: the front in state 0, else the back.
  void StartContentAppear();
  void UpdateContentAppear();
  bool IsContentAppearing() const { return mAppear != nullptr; }

  // The texture refresh: the contents are rendered again from their scripts.
  bool DoTask() override;

  int GetTurnState() const { return mTurnState; }
  int GetStep() const { return mStep; }
  bool IsBuilt() const { return mBuilt; }
  int GetBuildStage() const { return mBuildStage; }
  const TSpriteRef& GetSprite(Side side) const { return mFaces[side].sprite; }
  const TSpriteRef& GetContentSprite(Side side) const { return mFaces[side].content; }
  bool IsContentVisible(Side side) const { return mFaces[side].contentVisible; }
  int GetFaceX(Side side) const { return mFaces[side].x; }
  int GetFaceY(Side side) const { return mFaces[side].y; }
  int GetFaceWidth(Side side) const { return mFaces[side].width; }
  int GetFaceHeight(Side side) const { return mFaces[side].height; }
  const TFxSpriteRef& GetTurningParticle() const { return mTurningParticle; }

 private:
  struct Face {
    const char* element;  // "front" or "back"
    TTextureRef defaultTexture;
    int x, y;
    int width = 0, height = 0;
    TWindow* window = nullptr;  // owned between two build stages
    TSpriteRef sprite;
    TSpriteRef content;  // a child of `sprite`; null without content
    bool contentVisible = true;
  };

  TXmlNode* GetFaceNode(const Face& face) const;
  // The script of the face's "content", "" when it has none.
  str GetContentScript(const Face& face) const;
  void BuildPicture(Face& face);
  void BuildContentWindow(Face& face);
  void BuildContentSprite(Face& face);
  void ApplyContentVisible(Face& face);
  // Identity transform, centred on the face.
  void Rest(Face& face);
  void TurnStep();
  // The face drawn shrunk to `sx` of its width from the spine and its free
  // edge raised by `r` of its width.
  void Fold(Side side, double sx, double r);

  IPagesContainer* mContainer;
  TXmlNode* mDescription;
  Face mFaces[2];
  int mTurnState = kUnset;
  int mPendingState = kUnset;
  int mStep = 0;
  int mTicks = 0;
  double mMaxSkew = 0;
  int mBuildStage = 0;
  bool mBuilt = false;
  TFxSpriteRef mTurningParticle;
  OContentAppearEffect* mAppear = nullptr;  // owned
};

// The y coordinate at t of the cubic Bezier curve through the control points
// p0 .. p3 (the x coordinates take no part).
struct TBezierPoint {
  double x, y;
};
double CubicBezierY(const TBezierPoint& p0, const TBezierPoint& p1, const TBezierPoint& p2,
                    const TBezierPoint& p3, double t);

// The order in which a book draws its sheets (index 0 the book's first;
// null entries, sheets not made yet, are left out): the left stack from the
// first sheet up, the most recently turned on top, then the right stack
// from the last sheet down. A sheet still showing its front while it turns
// comes last of all.
std::vector<size_t> PageStackOrder(const std::vector<OQuestBookPage*>& sheets);
void DrawPageStack(const std::vector<OQuestBookPage*>& sheets);
