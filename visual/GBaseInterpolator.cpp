#include "GBaseInterpolator.h"

#include <cctype>
#include <cstdlib>

#include "game/GMousePointer.h"
#include "game/OMousePointerManager.h"
#include "sdk/TXmlNode.h"

namespace {
// Whole numbers taken from the text: a minus sign counts only in front of
// the first one, since anything that is not a digit separates numbers.
std::vector<int> ReadWholeNumbers(const str& text) {
  std::vector<int> out;
  const char* s = text.c_str();
  const char* p = s;
  while (*p) {
    char* end = nullptr;
    long value = std::strtol(p, &end, 10);
    if (end != p) {
      out.push_back(int(value));
      p = end;
    } else if (*p) {
      ++p;
    }
    while (*p && !std::isdigit(static_cast<unsigned char>(*p))) ++p;
  }
  return out;
}
}  // namespace

GBaseInterpolator* GBaseInterpolator::Create(const TSpriteRef& target, const TXmlNode* node) {
  if (!node || node->GetAttribute("name") != "spline") return nullptr;
  GSplineInterpolator* ip = new GSplineInterpolator(target);
  ip->elapsed = 0;
  ip->delayCount = 0;
  int time = node->GetAttribute("time").to_int();
  ip->time = time > 0 ? unsigned(time) : 0;
  ip->quant = node->GetAttribute("quant").to_int();
  ip->startDelay = node->GetAttribute("start").to_int();
  ip->loop = node->GetAttribute("loop").to_int() == 1;
  if (ip->quant == 0) ip->quant = kDefaultQuant;
  if (!ip->Load(node)) {
    delete ip;
    return nullptr;
  }
  return ip;
}

void GBaseInterpolator::SetPosition(float x, float y) {
  if (target) target->SetPosition(TVec3(x, y, 0));
}

bool GSplineInterpolator::Load(const TXmlNode* node) {
  points.clear();
  if (node->GetAttribute("from_current") == "true") {
    if (target) points.push_back(Point(int(target->GetPosition().x), int(target->GetPosition().y)));
  } else if (node->GetAttribute("from_pointer") == "true") {
    GMousePointer* pointer = GMousePointer::PeekInstance();
    OMousePointerManager* manager = pointer ? pointer->GetManager() : nullptr;
    points.push_back(manager ? Point(manager->GetX(), manager->GetY()) : Point(0, 0));
  }
  std::vector<int> numbers = ReadWholeNumbers(node->GetAttribute("coords"));
  for (size_t i = 0; i + 1 < numbers.size(); i += 2) points.push_back(Point(numbers[i], numbers[i + 1]));
  // The target stands on the path from the start.
  Update();
  return true;
}

void GSplineInterpolator::SetLine(unsigned runTime, int delay, const TSpriteRef& sprite, const Point& from,
                                  const Point& to) {
  points.clear();
  points.push_back(from);
  points.push_back(to);
  target = sprite;
  SetPosition(float(from.first), float(from.second));
  elapsed = 0;
  quant = kDefaultQuant;
  startDelay = delay;
  delayCount = 0;
  time = runTime;
  loop = false;
}

bool GSplineInterpolator::Update() {
  if (points.empty()) return false;
  if (startDelay > 0 && delayCount < startDelay) {
    ++delayCount;
    return true;
  }
  elapsed += quant;
  size_t n = points.size();
  // A run of no time is over at once: it stands on its last point.
  float pos = time > 0 ? float(elapsed) * float(n - 1) / float(time) : float(n - 1);
  if (pos >= 0) {
    size_t k = size_t(pos);
    float f = pos - float(k);
    if (k + 1 < n) {
      const Point& a = points[k];
      const Point& b = points[k + 1];
      SetPosition(a.first + f * (b.first - a.first), a.second + f * (b.second - a.second));
      return true;
    }
  }
  if (loop) elapsed = 0;
  SetPosition(float(points.back().first), float(points.back().second));
  return false;
}
