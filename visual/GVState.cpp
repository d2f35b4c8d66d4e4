#include "GVState.h"

#include <cctype>

#include "GVEffect.h"
#include "GVObject.h"
#include "sdk/TXmlNode.h"

std::vector<int32_t> GVReadFrameList(const str& text, int n) {
  std::vector<int32_t> out;
  auto all = [n] {
    std::vector<int32_t> v;
    for (int i = 0; i < n; ++i) v.push_back(i);
    return v;
  };
  // A run of digits as a number; one beyond the int range reads as the
  // largest int, so it is out of range like any other too large number.
  auto number = [](const char*& p) {
    const char* start = p;
    while (isdigit((unsigned char)*p)) ++p;
    return str(start, size_t(p - start)).to_int();
  };
  int r = -1;  // the last number read; ranges start after it
  const char* p = text.c_str();
  while (*p) {
    if (p[0] == '.' && p[1] == '.') {
      p += 2;
      if (isdigit((unsigned char)*p)) {
        int m = number(p);
        // An upper bound past the list would name frames that do not exist.
        if (m > n - 1) m = n - 1;
        for (int v = r + 1; v <= m; ++v) out.push_back(v);
      } else if (!*p) {
        for (int v = r + 1; v < n; ++v) out.push_back(v);
      }
      continue;
    }
    if (isdigit((unsigned char)*p)) {
      int v = number(p);
      if (v >= n) break;
      out.push_back(v);
      r = v;
      continue;
    }
    ++p;
  }
  // An empty run would end at once, again and again: take every frame instead.
  if (out.empty()) return all();
  return out;
}

str GVPrintFrameList(const std::vector<int32_t>& f) {
  str out;
  size_t i = 0;
  while (i < f.size()) {
    size_t j = i;
    while (j + 1 < f.size() && f[j + 1] == f[j] + 1) ++j;
    if (!out.empty()) out += ",";
    if (j - i >= 2) {
      out += str::format("%d..%d", f[i], f[j]);
      i = j + 1;
    } else {
      out += str::format("%d", f[i]);
      ++i;
    }
  }
  return out;
}

GVState::~GVState() {
  delete effects;
}

bool GVState::Load(TXmlNode* e, GVBase* owner) {
  if (!GVData::Load(e, owner)) return false;
  GVStates* list = dynamic_cast<GVStates*>(owner);
  int n = list ? list->frameCount : 0;
  delay = GVReadRangedAttribute("defdelay", e, 0, kContentNumberLimit, 100);
  frames = GVReadFrameList(e->GetAttribute("framelist"), n);
  str idText = e->GetAttribute("id");
  if (idText.empty()) return false;
  id = TState::FromStr(idText);
  next = TState::FromStr(e->GetAttribute("nextstate"));
  if (e->GetChildCount() > 0) {
    effects = new GVCustomEffects;
    if (!effects->Load(e, this)) {
      delete effects;
      effects = nullptr;
    }
  }
  return true;
}

bool GVState::Save(TXmlNode* e) {
  if (!GVData::Save(e)) return false;
  GVWriteIntAttribute("defdelay", e, delay, 100);
  e->SetAttribute("id", id.ToStr());
  if (!frames.empty()) e->SetAttribute("framelist", GVPrintFrameList(frames));
  e->SetAttribute("nextstate", next.ToStr());
  if (effects) effects->Save(e);
  return true;
}

GVBase* GVState::CopyTo(GVBase* other) {
  GVState* o = dynamic_cast<GVState*>(other);
  if (!o) return nullptr;
  CopyValuesTo(*o);
  o->delay = delay;
  o->frames = frames;
  o->id = id;
  o->next = next;
  if (effects) {
    delete o->effects;
    o->effects = new GVCustomEffects;
    effects->CopyTo(o->effects);
    o->effects->SetOwner(o);
  }
  return o;
}

GVBase* GVStates::GetParent() const {
  return owner;
}

bool GVStates::SaveElement(TXmlNode* node, GVState* state) {
  if (!state->Save(node)) return false;
  str full = frameCount > 0 ? str::format("0..%d", frameCount - 1) : str();
  if (frameCount == 1 || node->GetAttribute("framelist") == full) node->SetAttribute("framelist", "");
  return true;
}

GVState* GVStates::CreateElement(TXmlNode* node) {
  GVState* s = new GVState;
  if (s->Load(node, this)) return s;
  delete s;
  return nullptr;
}

GVState* GVStates::CloneElement(GVState* item) {
  GVState* s = new GVState;
  if (item->CopyTo(s)) return s;
  delete s;
  return nullptr;
}

bool GVStates::LoadStates(TXmlNode* element, GVStates* states, GVObject* object) {
  states->Load(element, object);
  if (states->IndexOf(kStateNormal) < 0) {
    GVState* s = new GVState;
    s->id = kStateNormal;
    for (int i = 0; i < states->frameCount; ++i) s->frames.push_back(i);
    states->Add(s);
  }
  return true;
}

void GVStates::BindEffects(GVStates* states, GVObject* object) {
  if (!states) return;
  for (GVState* s : states->Elements())
    if (s->effects) GVEffects::BindAll(s->effects, object);
}
