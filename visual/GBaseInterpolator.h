#pragma once
// Moves a sprite through a list of points at a fixed pace. Made from "ip"
// elements of scenes, particles and animations; the owner calls Update once
// per tick.

#include <utility>
#include <vector>

#include "sdk/TSprite.h"

class TXmlNode;

class GBaseInterpolator {
 public:
  explicit GBaseInterpolator(const TSpriteRef& target) : target(target) {}
  virtual ~GBaseInterpolator() = default;
  GBaseInterpolator(const GBaseInterpolator&) = delete;
  GBaseInterpolator& operator=(const GBaseInterpolator&) = delete;

  // A new interpolator for the node ("name" "spline"), or null.
  static GBaseInterpolator* Create(const TSpriteRef& target, const TXmlNode* node);

  // False once the path has run out.
  virtual bool Update() = 0;
  virtual void Reset() {
    elapsed = 0;
    quant = kDefaultQuant;
  }
  virtual void SetPosition(float x, float y);
  virtual bool Load(const TXmlNode* node) = 0;

  enum { kDefaultQuant = 16 };

  TSpriteRef target;
  unsigned time = 0;          // milliseconds for one pass
  int quant = kDefaultQuant;  // milliseconds per update
  int elapsed = 0;            // milliseconds
  int startDelay = 0;         // updates before the first move
  int delayCount = 0;
  bool loop = false;
};

// Despite the name, the path runs along straight segments between points.
class GSplineInterpolator : public GBaseInterpolator {
 public:
  typedef std::pair<int, int> Point;

  explicit GSplineInterpolator(const TSpriteRef& target) : GBaseInterpolator(target) {}

  bool Update() override;
  bool Load(const TXmlNode* node) override;
  // Re-aims the interpolator on a straight run from `from` to `to`.
  void SetLine(unsigned time, int startDelay, const TSpriteRef& target, const Point& from, const Point& to);

  const std::vector<Point>& GetPoints() const { return points; }

  std::vector<Point> points;
};
