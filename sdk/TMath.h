#pragma once
// Small value types of the drawing layer. Matrices use row vectors: a point p
// maps to p * M, and the translation sits in the third row.

#include <cstdint>

struct TVec2 {
  float x = 0, y = 0;
  TVec2() = default;
  TVec2(float ax, float ay) : x(ax), y(ay) {}
  TVec2 operator+(const TVec2& o) const { return {x + o.x, y + o.y}; }
  TVec2 operator-(const TVec2& o) const { return {x - o.x, y - o.y}; }
  TVec2 operator*(float s) const { return {x * s, y * s}; }
  bool operator==(const TVec2& o) const { return x == o.x && y == o.y; }
};

struct TVec3 {
  float x = 0, y = 0, z = 0;
  TVec3() = default;
  TVec3(float ax, float ay, float az = 0) : x(ax), y(ay), z(az) {}
  bool operator==(const TVec3& o) const { return x == o.x && y == o.y && z == o.z; }
};

typedef TVec2 TPoint;

struct TMat3 {
  float m[3][3];
  TMat3() { SetIdentity(); }
  void SetIdentity();
  static TMat3 Identity() { return TMat3(); }
  // Scale and Rotate act in the local space, before the transform already held,
  // so the translation row is left where it is.
  TMat3& Scale(float s) { return Scale(s, s); }
  TMat3& Scale(float sx, float sy);
  TMat3& Rotate(float radians);
  TMat3& Translate(float dx, float dy);   // adds to the translation row
  TMat3 operator*(const TMat3& o) const;  // this applied first, then o
  TMat3 Inverse() const;                  // identity when singular
  TVec2 Transform(const TVec2& p) const;  // p * M
  float& Tx() { return m[2][0]; }
  float& Ty() { return m[2][1]; }
  float Tx() const { return m[2][0]; }
  float Ty() const { return m[2][1]; }
};

// Integer rectangle; left and top inclusive, right and bottom exclusive.
struct TRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  TRect() = default;
  TRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(const TPoint& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  TRect Intersect(const TRect& o) const;
  TRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  bool operator==(const TRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct TURect {
  uint32_t left = 0, top = 0, right = 0, bottom = 0;
};

// Colour as floats 0..1.
struct TColor {
  float r = 1, g = 1, b = 1, a = 1;
  TColor() = default;
  TColor(float ar, float ag, float ab, float aa = 1) : r(ar), g(ag), b(ab), a(aa) {}
};

// Colour as ARGB bytes in one 32-bit word (0xAARRGGBB).
struct TColor32 {
  uint32_t argb = 0xFFFFFFFF;
  TColor32() = default;
  TColor32(uint32_t v) : argb(v) {}
  TColor32(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
      : argb((uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b) {}
  uint8_t Alpha() const { return argb >> 24; }
  uint8_t Red() const { return (argb >> 16) & 0xFF; }
  uint8_t Green() const { return (argb >> 8) & 0xFF; }
  uint8_t Blue() const { return argb & 0xFF; }
  TColor ToColor() const { return {Red() / 255.f, Green() / 255.f, Blue() / 255.f, Alpha() / 255.f}; }
};

// How one textured rectangle is drawn.
//
// For a source rectangle of size (w, h) (the whole texture when src is empty), a
// source pixel p measured from the rectangle's top-left lands on the screen at
//   (p' - a) * matrix
// where p' is p mirrored by the flip flags (bit 0 horizontal: x -> w - x,
// bit 1 vertical: y -> h - y) and a is the anchor: the point of the picture
// that lands on the matrix's translation and that the picture turns and
// scales about. With flag bit 3 (value 8) the anchor is `point`, in pixels
// from the rectangle's top-left, so flags 12 with point (0, 0) place the
// picture by its top-left corner; without it the anchor is the centre
// (w/2, h/2), its x moved to 0 by flag bit 2 (value 4), and `point` is not
// read. Screen coordinates are relative to the renderer's current origin
// (the window being drawn).
struct TDrawSpec {
  enum { kFlipH = 1, kFlipV = 2, kLeftOrigin = 4, kOriginPoint = 8 };
  enum { kBlendUnset = -1, kBlendNormal = 0, kBlendAdd = 2, kBlendSubtract = 3, kBlendMultiply = 4 };

  TMat3 matrix;
  TVec2 point;
  TColor color;
  float alpha = 1;
  TRect src;  // empty: the whole texture
  int32_t flags = 0;
  int32_t blend = kBlendUnset;

  // Applies a parent's spec to a child's: matrices multiply (child first),
  // alpha and colour multiply, the parent's flips toggle the child's, the
  // anchor (bits 4, 8 and the point) and the source rectangle are the
  // child's, and an unset blend takes the parent's. A parent's anchor places
  // only its own picture, never its children.
  static TDrawSpec Compose(const TDrawSpec& parent, const TDrawSpec& child);
  // The anchor of a w x h picture drawn with this spec (see above).
  TVec2 Anchor(int w, int h) const;
};
