#include "GWndMobile.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "GFlyEmitter.h"
#include "sdk/TTexture.h"
#include "sdk/TWindowStyle.h"

std::vector<float> ReadNumberList(const char* text) {
  std::vector<float> numbers;
  if (!text) return numbers;
  const size_t len = std::strlen(text);
  size_t pos = 0;
  // Text before the first number would otherwise read as a 0 of its own.
  char* end = nullptr;
  std::strtod(text, &end);
  if (end == text)
    while (pos < len && !std::isdigit(static_cast<unsigned char>(text[pos]))) ++pos;
  while (pos < len) {
    numbers.push_back(float(std::strtod(text + pos, nullptr)));
    while (pos < len && std::isdigit(static_cast<unsigned char>(text[pos]))) ++pos;
    while (pos < len && !std::isdigit(static_cast<unsigned char>(text[pos]))) ++pos;
  }
  return numbers;
}

void LineMove::Move(GSCanMove* mobile, float remaining) {
  float x, y;
  mobile->GetPosition(x, y);
  mobile->SetPosition(x, y);
}

void GArrayMove::Init(TWindowStyle& style) {
  const str image = style.GetString("image", "");
  if (!image.empty()) {
    TTextureRef texture = TTexture::Get(image, 0);
    uint32_t* pixels = nullptr;
    int pitch = 0;
    if (texture && texture->Lock(&pixels, &pitch)) {
      const int x = int(style.GetFloat("x", 0)), y = int(style.GetFloat("y", 0));
      const int w = texture->GetWidth(), h = texture->GetHeight();
      // Each vertical run of opaque pixels gives its top pixel.
      for (int i = 0; i < w; ++i) {
        bool opaqueAbove = false;
        for (int j = 0; j < h; ++j) {
          const bool opaque = (pixels[j * pitch + i] >> 24) > 80;
          if (opaque && !opaqueAbove) mPoints.push_back(Point{x + i, y + j});
          opaqueAbove = opaque;
        }
      }
      texture->Unlock();
    }
  } else {
    const std::vector<float> coords = ReadNumberList(style.GetString("coords", "").c_str());
    for (size_t i = 0; i + 1 < coords.size(); i += 2)
      mPoints.push_back(Point{int(coords[i]), int(coords[i + 1])});
  }
  mRandom = style.GetBool("random", false);
}

void GArrayMove::Move(GSCanMove* mobile, float remaining) {
  if (remaining > mLargest) mLargest = remaining;
  // With no points there is nowhere to go.
  if (mPoints.empty()) return;
  const int count = int(mPoints.size());
  if (mRandom) {
    const Point& p = mPoints[std::rand() % count];
    mobile->SetPosition(float(p.x), float(p.y));
    return;
  }
  const float pos = (mLargest - remaining) * float(count - 1) / mLargest;
  const int k = int(pos);
  const float f = pos - float(k);
  if (k < 0 || k + 1 >= count) return;
  const Point &a = mPoints[k], &b = mPoints[k + 1];
  mobile->SetPosition(a.x + f * float(b.x - a.x), a.y + f * float(b.y - a.y));
}

void GMoveSpline::Init(TWindowStyle& style) {
  // Only four control values per axis; further numbers are ignored.
  const std::vector<float> px = ReadNumberList(style.GetString("ParamX", "").c_str());
  const std::vector<float> py = ReadNumberList(style.GetString("ParamY", "").c_str());
  for (size_t i = 0; i < 4 && i < px.size(); ++i) mX[i] = px[i];
  for (size_t i = 0; i < 4 && i < py.size(); ++i) mY[i] = py[i];
  mMoveTime = style.GetFloat("move_time", 0);
}

namespace {

float CatmullRom(const float p[4], float t) {
  const float t2 = t * t, t3 = t2 * t;
  return 0.5f * ((2 - 5 * t2 + 3 * t3) * p[1] - t * (1 - t) * (1 - t) * p[0] +
                 t * (1 + 4 * t - 3 * t2) * p[2] - t2 * (1 - t) * p[3]) +
         0.5f;
}

}  // namespace

void GMoveSpline::Move(GSCanMove* mobile, float remaining) {
  const float t = mMoveTime / remaining;
  mobile->SetPosition(CatmullRom(mX, t), CatmullRom(mY, t));
}

GSMoveType* CreateMoveType(const char* name) {
  const str n = name ? name : "";
  if (n == "LineMove") return new LineMove();
  if (n == "ArrayMove") return new GArrayMove();
  if (n == "SplineMove") return new GMoveSpline();
  return nullptr;
}

void GWndMobile::SetPosition(float x, float y) {
  GSCanMove::SetPosition(x, y);
  if (mWindow) mWindow->MoveTo(int(x), int(y));
}

void GWndMobile::StartRun(GSMoveType* type, float steps) {
  mMoveType = type;
  mRemaining = steps;
}

void GWndMobile::Step() {
  if (mRemaining == 0) return;
  mRemaining -= 1;
  if (!mWindow) return;
  if (mRemaining != 0) {
    if (mMoveType) mMoveType->Move(this, mRemaining);
    return;
  }
  mFinishing = true;
  const bool end = !mListener || mListener->OnMoveFinished();
  mFinishing = false;
  if (!end) return;
  mWindow->SetFlags(0);
  mMoveType = nullptr;
}
