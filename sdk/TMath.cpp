#include "TMath.h"

#include <algorithm>
#include <cmath>

void TMat3::SetIdentity() {
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) m[r][c] = r == c ? 1.f : 0.f;
}

TMat3& TMat3::Scale(float sx, float sy) {
  for (int c = 0; c < 3; ++c) {
    m[0][c] *= sx;
    m[1][c] *= sy;
  }
  return *this;
}

TMat3& TMat3::Rotate(float radians) {
  // Pre-multiplying by the rotation turns the local axes (rows 0 and 1) and
  // leaves the translation row alone.
  const float c = std::cos(radians), s = std::sin(radians);
  for (int k = 0; k < 3; ++k) {
    const float r0 = m[0][k], r1 = m[1][k];
    m[0][k] = c * r0 + s * r1;
    m[1][k] = -s * r0 + c * r1;
  }
  return *this;
}

TMat3& TMat3::Translate(float dx, float dy) {
  m[2][0] += dx;
  m[2][1] += dy;
  return *this;
}

TMat3 TMat3::operator*(const TMat3& o) const {
  TMat3 r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r.m[i][j] = m[i][0] * o.m[0][j] + m[i][1] * o.m[1][j] + m[i][2] * o.m[2][j];
  return r;
}

TMat3 TMat3::Inverse() const {
  const float a = m[0][0], b = m[0][1], c = m[0][2];
  const float d = m[1][0], e = m[1][1], f = m[1][2];
  const float g = m[2][0], h = m[2][1], k = m[2][2];
  const float A = e * k - f * h, B = -(d * k - f * g), C = d * h - e * g;
  const float det = a * A + b * B + c * C;
  TMat3 r;
  if (det == 0 || !std::isfinite(det)) return r;
  const float inv = 1.f / det;
  r.m[0][0] = A * inv;
  r.m[0][1] = -(b * k - c * h) * inv;
  r.m[0][2] = (b * f - c * e) * inv;
  r.m[1][0] = B * inv;
  r.m[1][1] = (a * k - c * g) * inv;
  r.m[1][2] = -(a * f - c * d) * inv;
  r.m[2][0] = C * inv;
  r.m[2][1] = -(a * h - b * g) * inv;
  r.m[2][2] = (a * e - b * d) * inv;
  return r;
}

TVec2 TMat3::Transform(const TVec2& p) const {
  float x = p.x * m[0][0] + p.y * m[1][0] + m[2][0];
  float y = p.x * m[0][1] + p.y * m[1][1] + m[2][1];
  const float w = p.x * m[0][2] + p.y * m[1][2] + m[2][2];
  if (w != 1 && w != 0) {
    x /= w;
    y /= w;
  }
  return {x, y};
}

TRect TRect::Intersect(const TRect& o) const {
  TRect r(std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom));
  if (r.IsEmpty()) return TRect();
  return r;
}

TDrawSpec TDrawSpec::Compose(const TDrawSpec& parent, const TDrawSpec& child) {
  TDrawSpec r = child;
  r.matrix = child.matrix * parent.matrix;
  r.color = TColor(child.color.r * parent.color.r, child.color.g * parent.color.g,
                   child.color.b * parent.color.b, child.color.a * parent.color.a);
  r.alpha = child.alpha * parent.alpha;
  // A mirrored parent mirrors its children's pictures too; where the picture
  // is anchored stays the child's own choice.
  r.flags = child.flags ^ (parent.flags & (kFlipH | kFlipV));
  if (r.blend == kBlendUnset) r.blend = parent.blend;
  return r;
}

TVec2 TDrawSpec::Anchor(int w, int h) const {
  if (flags & kOriginPoint) return point;
  // Whole-pixel centre: an odd-sized picture at a whole position stays on
  // the pixel grid, and children placed at integer halves line up with it.
  return TVec2((flags & kLeftOrigin) ? 0 : w / 2, h / 2);
}
