#pragma once
// The style a window is built from: a Lua table with the window's keys. With
// no table every key takes its default.

#include "TMath.h"
#include "TScript.h"
#include "str.h"

class TWindowStyle {
 public:
  TWindowStyle() = default;  // an empty style: every key takes its default
  explicit TWindowStyle(TLuaTableRef table) : mTable(table) {}

  bool Has(const str& key) const { return mTable && mTable->Has(key); }
  str GetString(const str& key, const str& def = str()) const;
  int GetInt(const str& key, int def = 0) const;
  float GetFloat(const str& key, float def = 0) const;
  bool GetBool(const str& key, bool def = false) const;
  // A colour given as a 0xAARRGGBB number or as {r, g, b[, a]} with each
  // part 0..255 (alpha 255 when left out).
  TColor32 GetColor(const str& key, TColor32 def) const;
  // A sub-table (for example pos_anim = {{x, y}, ...}), or null.
  TLuaTableRef GetTable(const str& key) const;
  TLuaTableRef GetTable() const { return mTable; }

 private:
  TLuaTableRef mTable;
};
