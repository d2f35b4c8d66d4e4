#include "TWindowStyle.h"

#include <cmath>

namespace {

uint8_t ColourPart(double v) {
  if (std::isnan(v) || v <= 0) return 0;
  if (v >= 255) return 255;
  return uint8_t(v);
}

}  // namespace

str TWindowStyle::GetString(const str& key, const str& def) const {
  return mTable ? mTable->GetString(key, def) : def;
}

int TWindowStyle::GetInt(const str& key, int def) const {
  return mTable ? mTable->GetInt(key, def) : def;
}

float TWindowStyle::GetFloat(const str& key, float def) const {
  return mTable ? float(mTable->GetNumber(key, def)) : def;
}

bool TWindowStyle::GetBool(const str& key, bool def) const {
  return mTable ? mTable->GetBool(key, def) : def;
}

TColor32 TWindowStyle::GetColor(const str& key, TColor32 def) const {
  if (!mTable) return def;
  if (TLuaTableRef parts = mTable->GetTable(key)) {
    if (parts->GetSize() < 3) return def;
    return TColor32(ColourPart(parts->GetNumber(1)), ColourPart(parts->GetNumber(2)),
                    ColourPart(parts->GetNumber(3)), ColourPart(parts->GetNumber(4, 255)));
  }
  double v = mTable->GetNumber(key, -1);
  if (std::isnan(v) || v < 0 || v > double(0xFFFFFFFFu)) return def;
  return TColor32(uint32_t(v));
}

TLuaTableRef TWindowStyle::GetTable(const str& key) const {
  return mTable ? mTable->GetTable(key) : TLuaTableRef();
}
