#pragma once
// Free-form attributes of an object's "params" element, kept as text.

#include <cstdint>
#include <map>
#include <vector>

#include "GVBase.h"
#include "sdk/str.h"

class GVParams : public GVBase {
 public:
  enum { kInt = 1, kFloat = 2, kText = 3 };
  struct Entry {
    int32_t kind = kText;
    int32_t intValue = 0;
    float floatValue = 0;
    str text;
  };

  GVParams() : GVBase(kParams) {}
  bool LoadAttributes(TXmlNode* element);
  int Set(const str& name, const str& value);
  bool Save(TXmlNode* element) override;

  bool IsEmpty() const { return mEntries.empty(); }
  size_t Size() const { return mEntries.size(); }
  // The text of a parameter, or `def` when it is absent.
  str Get(const str& name, const str& def = str()) const;
  bool Has(const str& name) const { return mIndex.count(name) != 0; }

 private:
  std::map<str, int> mIndex;
  std::vector<Entry> mEntries;
};
