#include "GVData.h"

#include <cmath>
#include <cstdlib>

#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

float GVReadFloatAttribute(const char* name, const TXmlNode* element, float def) {
  str text = element ? element->GetAttribute(name) : str();
  if (text.empty()) return def;
  // A number too large for a float would poison every sum it enters.
  float v = text.to_float();
  return std::isfinite(v) ? v : def;
}

int GVReadIntAttribute(const char* name, const TXmlNode* element, int def) {
  str text = element ? element->GetAttribute(name) : str();
  return text.empty() ? def : text.to_int();
}

int GVReadRangedAttribute(const char* name, const TXmlNode* element, int low, int high, int def,
                          const char* where) {
  str text = element ? element->GetAttribute(name) : str();
  if (text.empty()) return def;
  // to_int holds a longer number to the int range; that too is outside.
  int value = text.to_int();
  if (value >= low && value <= high) return value;
  int used = value < low ? low : high;
  str place = where ? str(where) : "<" + element->GetName() + ">";
  Report("%s: %s \"%s\" is outside %d..%d; %d is used", place.c_str(), name, text.c_str(), low, high, used);
  return used;
}

int GVReadCoordinate(const char* name, const TXmlNode* element, const char* where, int def) {
  return GVReadRangedAttribute(name, element, -kContentNumberLimit, kContentNumberLimit, def, where);
}

int GVReadSize(const char* name, const TXmlNode* element, const char* where, int def) {
  return GVReadRangedAttribute(name, element, 0, kContentNumberLimit, def, where);
}

unsigned GVReadUIntAttribute(const char* name, const TXmlNode* element, unsigned def) {
  str text = element ? element->GetAttribute(name) : str();
  return text.empty() ? def : unsigned(strtoul(text.c_str(), nullptr, 0));
}

bool GVReadBoolAttribute(const char* name, const TXmlNode* element) {
  str text = element ? element->GetAttribute(name) : str();
  return text.empty() ? true : text.to_int() != 0;
}

void GVWriteIntAttribute(const char* name, TXmlNode* element, int value, int def) {
  element->SetAttribute(name, value == def ? str() : str::format("%d", value));
}

void GVWriteFloatAttribute(const char* name, TXmlNode* element, float value, float def) {
  element->SetAttribute(name, value == def ? str() : str::format("%f", value));
}

void GVData::SetDefaults() {
  deltaX = deltaY = deltaZ = 0;
  visible = 1;
  alpha = 1;
  flags = 0;
  blend = kBlendNormal;
  rotate = 0;
  scaling = 1;
  changed = 1;
}

bool GVData::Load(TXmlNode* e, GVBase* owner) {
  if (!e) return false;
  deltaX = GVReadFloatAttribute("deltaX", e, 0);
  deltaY = GVReadFloatAttribute("deltaY", e, 0);
  deltaZ = GVReadFloatAttribute("deltaZ", e, 0);
  alpha = GVReadFloatAttribute("alpha", e, 1);
  visible = GVReadBoolAttribute("visible", e) ? 1 : 0;
  str flip = e->GetAttribute("flip");
  flags = 0;
  if (flip.find('V') != str::npos) flags |= kFlipV;
  if (flip.find('H') != str::npos) flags |= kFlipH;
  str b = e->GetAttribute("blend");
  if (b.find("add") != str::npos)
    blend = kBlendAdd;
  else if (b.find("sub") != str::npos)
    blend = kBlendSub;
  else if (b.find("mul") != str::npos)
    blend = kBlendMul;
  else
    blend = kBlendNormal;
  rotate = GVReadFloatAttribute("rotate", e, 0);
  scaling = GVReadFloatAttribute("scaling", e, 1);
  changed = 1;
  return true;
}

bool GVData::Save(TXmlNode* e) {
  if (!e) return false;
  GVWriteFloatAttribute("deltaX", e, deltaX, 0);
  GVWriteFloatAttribute("deltaY", e, deltaY, 0);
  GVWriteFloatAttribute("deltaZ", e, deltaZ, 0);
  GVWriteFloatAttribute("alpha", e, alpha, 1);
  e->SetAttribute("visible", visible ? "" : "0");
  str flip;
  if (flags & kFlipV) flip += "V";
  if (flags & kFlipH) flip += "H";
  e->SetAttribute("flip", flip);
  const char* b = blend == kBlendAdd ? "add" : blend == kBlendSub ? "sub" : blend == kBlendMul ? "mul" : "";
  e->SetAttribute("blend", b);
  GVWriteFloatAttribute("rotate", e, rotate, 0);
  GVWriteFloatAttribute("scaling", e, scaling, 1);
  return true;
}

void GVData::CopyValuesTo(GVData& o) const {
  o.deltaX = deltaX;
  o.deltaY = deltaY;
  o.deltaZ = deltaZ;
  o.visible = visible;
  o.alpha = alpha;
  o.flags = flags;
  o.blend = blend;
  o.rotate = rotate;
  o.scaling = scaling;
  o.changed = 1;
}

GVBase* GVData::CopyTo(GVBase* other) {
  GVData* o = dynamic_cast<GVData*>(other);
  if (!o) return nullptr;
  CopyValuesTo(*o);
  return o;
}

void GVData::Compose(const GVData& o) {
  deltaX += o.deltaX;
  deltaY += o.deltaY;
  deltaZ += o.deltaZ;
  rotate += o.rotate;
  alpha *= o.alpha;
  scaling *= o.scaling;
  visible = int8_t((int(visible) + int(o.visible)) / 2);
  flags ^= o.flags;
  // The later block decides the blend, even when it is normal.
  blend = o.blend;
  changed = 1;
}

GVData GVData::MakeDifference(const GVData& current, const GVData& previous) {
  GVData d;
  d.deltaX = current.deltaX - previous.deltaX;
  d.deltaY = current.deltaY - previous.deltaY;
  d.deltaZ = current.deltaZ - previous.deltaZ;
  d.rotate = current.rotate - previous.rotate;
  d.alpha = previous.alpha != 0 ? current.alpha / previous.alpha : 1;
  // A zero scale has no ratio to recover; treat it like alpha does.
  d.scaling = previous.scaling != 0 ? current.scaling / previous.scaling : 1;
  d.visible =
      current.visible == previous.visible ? current.visible : int8_t(current.visible - previous.visible + 1);
  d.flags = current.flags;
  d.blend = current.blend;
  d.changed = current.changed;
  return d;
}
