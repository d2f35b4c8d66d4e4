#include "GZInterpolator.h"

#include <cctype>
#include <cstdlib>

#include "LuaUtils.h"
#include "sdk/TRandom.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
std::vector<str> SplitList(const str& text) {
  std::vector<str> out;
  const std::string s = text.c_str();
  size_t start = 0;
  while (start <= s.size()) {
    size_t comma = s.find(',', start);
    if (comma == std::string::npos) comma = s.size();
    if (comma > start) out.push_back(str(s.substr(start, comma - start).c_str()));
    start = comma + 1;
  }
  return out;
}

std::vector<float> ReadFloats(const str& text) {
  std::vector<float> out;
  for (const str& word : SplitList(text)) out.push_back(word.to_float());
  return out;
}

bool StartsNumber(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.';
}

// Numbers taken alternately as x and y; anything that cannot start a number
// separates them.
std::vector<std::pair<float, float>> ReadCoords(const str& text) {
  std::vector<float> numbers;
  const char* p = text.c_str();
  while (*p) {
    char* end = nullptr;
    float value = std::strtof(p, &end);
    if (end != p) {
      numbers.push_back(value);
      p = end;
    } else {
      ++p;
    }
    while (*p && !StartsNumber(*p)) ++p;
  }
  std::vector<std::pair<float, float>> out;
  for (size_t i = 0; i + 1 < numbers.size(); i += 2)
    out.push_back(std::make_pair(numbers[i], numbers[i + 1]));
  return out;
}

// The value `elapsed` milliseconds into a run of `duration` over the keys.
// A run of no time is over at once; a run of unknown length does not move.
bool Interpolate(const std::vector<float>& keys, int elapsed, int duration, float* out) {
  size_t m = keys.size();
  if (m < 2 || duration < 0) return false;
  float pos = duration > 0 ? float(elapsed) * float(m - 1) / float(duration) : float(m - 1);
  if (pos < 0) return false;
  size_t k = size_t(pos);
  if (k + 1 >= m) {
    *out = keys.back();
    return true;
  }
  float f = pos - float(k);
  *out = keys[k] + f * (keys[k + 1] - keys[k]);
  return true;
}
}  // namespace

GZInterpolator::~GZInterpolator() {
  delete mObject;
  mObject = nullptr;
  for (State* s : mStates) delete s;
  mStates.clear();
  DeleteSharedRandom();
}

bool GZInterpolator::Load(const TXmlNode* node, GVObject* object) {
  if (!node || !object) return false;
  std::vector<State*> states;
  bool needsMain = false;
  for (size_t i = 0; i < node->GetChildCount(); ++i) {
    const TXmlNode* e = node->GetChildAt(i);
    if (e->GetName() != "state") continue;
    State* s = new State;
    s->id = e->GetAttribute("id");
    s->coords = ReadCoords(e->GetAttribute("coords"));
    s->nextIds = SplitList(e->GetAttribute("next_id"));
    s->scale = ReadFloats(e->GetAttribute("scale"));
    s->rotate = ReadFloats(e->GetAttribute("rotate"));
    s->alpha = ReadFloats(e->GetAttribute("alpha"));
    s->visualState = e->GetAttribute("vstate");
    s->loops = e->GetAttribute("loops").to_int();
    s->quant = e->GetAttribute("quant").to_int();
    if (s->quant == 0) s->quant = 16;
    for (const str& word : SplitList(e->GetAttribute("time"))) s->time.push_back(word.to_int());
    if (s->time.empty()) needsMain = true;
    states.push_back(s);
  }
  GVObject* main = object->GetChild("main");
  if (needsMain && !main) {
    // Such a state could never end; the whole animation is refused.
    Report("animation: a state without \"time\" needs a child \"main\" in its object; animation skipped");
    for (State* s : states) delete s;
    return false;
  }
  mObject = object;
  mStates.swap(states);
  if (needsMain) main->listener = this;
  SetState(node->GetAttribute("default"));
  return true;
}

void GZInterpolator::SetOffset(float x, float y) {
  mOffsetX = x;
  mOffsetY = y;
}

const GZInterpolator::State* GZInterpolator::GetCurrentState() const {
  return mCurrent >= 0 && size_t(mCurrent) < mStates.size() ? mStates[mCurrent] : nullptr;
}

void GZInterpolator::SetState(const str& id) {
  mCurrent = -1;
  for (size_t i = 0; i < mStates.size(); ++i) {
    if (mStates[i]->id == id) {
      mCurrent = int(i);
      break;
    }
  }
  if (mCurrent < 0) return;
  State& s = *mStates[mCurrent];
  s.elapsed = 0;
  if (s.time.empty())
    s.duration = -1;
  else if (s.time.size() == 1)
    s.duration = s.time[0];
  else
    s.duration = GetSharedRandom()->RandRange(s.time[0], s.time[1]);
  if (mObject && !s.visualState.empty()) mObject->SetState(TState::FromStr(s.visualState), true, nullptr);
  ApplyFirstValues(s);
}

void GZInterpolator::ApplyFirstValues(const State& s) {
  if (!mObject) return;
  if (!s.coords.empty()) {
    mObject->deltaX = mOffsetX + s.coords[0].first;
    mObject->deltaY = s.coords[0].second + mOffsetY;
    mObject->changed = 1;
  }
  if (!s.scale.empty()) {
    mObject->scaling = s.scale[0];
    mObject->changed = 1;
  }
  if (!s.rotate.empty()) {
    mObject->rotate = s.rotate[0];
    mObject->changed = 1;
  }
  if (!s.alpha.empty()) {
    mObject->alpha = s.alpha[0];
    mObject->changed = 1;
  }
}

void GZInterpolator::EnterNext() {
  State& s = *mStates[mCurrent];
  if (s.nextIds.empty()) {
    mCurrent = -1;
    return;
  }
  int pick = GetSharedRandom()->RandRange(0, int(s.nextIds.size()) - 1);
  if (pick < 0 || size_t(pick) >= s.nextIds.size()) pick = 0;
  // A copy: entering the next state must not read through a reference into
  // the list it came from.
  str next = s.nextIds[pick];
  SetState(next);
}

bool GZInterpolator::Update() {
  if (mCurrent < 0 || !mObject) return true;
  State& s = *mStates[mCurrent];
  s.elapsed += s.quant;
  float value = 0;
  if (s.coords.size() >= 2) {
    std::vector<float> xs, ys;
    for (const auto& c : s.coords) {
      xs.push_back(c.first);
      ys.push_back(c.second);
    }
    float x = 0, y = 0;
    if (Interpolate(xs, s.elapsed, s.duration, &x) && Interpolate(ys, s.elapsed, s.duration, &y)) {
      mObject->deltaX = x + mOffsetX;
      mObject->deltaY = y + mOffsetY;
      mObject->changed = 1;
    }
  }
  if (Interpolate(s.scale, s.elapsed, s.duration, &value)) {
    mObject->scaling = value;
    mObject->changed = 1;
  }
  if (Interpolate(s.rotate, s.elapsed, s.duration, &value)) {
    mObject->rotate = value;
    mObject->changed = 1;
  }
  if (Interpolate(s.alpha, s.elapsed, s.duration, &value)) {
    mObject->alpha = value;
    mObject->changed = 1;
  }
  if (s.duration == -1 || s.elapsed < s.duration) return true;
  EnterNext();
  return true;
}

void GZInterpolator::OnStateEnd(GVObject* object, TState state) {
  if (mCurrent < 0) return;
  if (mStates[mCurrent]->duration != -1) return;
  EnterNext();
}
