#pragma once
// Step-by-step movement of a fly emitter: a mobile counts down the steps of a
// run and asks its move type for the position of each step; when the steps
// run out it asks its listener whether the run may end.

#include <vector>

class GFlyEmitter;
class TLuaParticleSystem;
class TWindowStyle;
class particle_layer;

class GSCanMove {
 public:
  virtual ~GSCanMove() = default;
  virtual void SetPosition(float x, float y) {
    mX = x;
    mY = y;
  }
  virtual void GetPosition(float& x, float& y) const {
    x = mX;
    y = mY;
  }

 protected:
  float mX = 0, mY = 0;
};

class GSMoveType {
 public:
  virtual ~GSMoveType() = default;
  virtual void Init(TWindowStyle& style) {}
  virtual void Move(GSCanMove* mobile, float remaining) = 0;
};

// Stays where it is: only the run's steps pass.
class LineMove : public GSMoveType {
 public:
  void Move(GSCanMove* mobile, float remaining) override;
};

// Walks a list of points (from an image's opaque pixels or from "coords"), or
// jumps between them at random.
class GArrayMove : public GSMoveType {
 public:
  void Init(TWindowStyle& style) override;
  void Move(GSCanMove* mobile, float remaining) override;
  struct Point {
    int x, y;
  };
  const std::vector<Point>& GetPoints() const { return mPoints; }

 private:
  std::vector<Point> mPoints;
  bool mRandom = false;
  float mLargest = -1;
};

// A Catmull-Rom segment through four control values per axis.
class GMoveSpline : public GSMoveType {
 public:
  void Init(TWindowStyle& style) override;
  void Move(GSCanMove* mobile, float remaining) override;

 private:
  float mMoveTime = 0;
  float mX[4] = {0, 0, 0, 0};
  float mY[4] = {0, 0, 0, 0};
};

// Made by name from the style's "mover"; null for a name it does not know.
GSMoveType* CreateMoveType(const char* name);

class GFinishMobileLstnr {
 public:
  virtual ~GFinishMobileLstnr() = default;
  virtual void Advance(int step) = 0;
  // True lets the run end.
  virtual bool OnMoveFinished() = 0;
  virtual TLuaParticleSystem* GetParticleSystem() = 0;
  // The layer the listener is attached to is being destroyed.
  virtual void OnLayerDestroyed(particle_layer* layer) {}
};

class GWndMobile : public GSCanMove {
 public:
  void SetPosition(float x, float y) override;
  // One step of the run (nothing when no steps remain).
  void Step();
  void StartRun(GSMoveType* type, float steps);
  float GetRemaining() const { return mRemaining; }
  bool IsFinishing() const { return mFinishing; }

  GSMoveType* mMoveType = nullptr;
  float mRemaining = 0;
  GFlyEmitter* mWindow = nullptr;
  GFinishMobileLstnr* mListener = nullptr;

 private:
  bool mFinishing = false;
};

// Numbers read from the start of `text`: each one where the last ended, then
// past its digits and past whatever is not a digit.
std::vector<float> ReadNumberList(const char* text);
