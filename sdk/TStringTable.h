#pragma once
#include <map>

#include "str.h"

// Texts by key from the content's string table (strings/strings.xml: <strings>
// <s key="...">text with printf-style %s/%d</s></strings>). An unknown key
// gives the key itself.
class TStringTable {
public:
  bool Load(const str& path);
  void Set(const str& key, const str& text);
  bool Has(const str& key) const;
  // Arguments are substituted in order as text; %d, %s, %i, %f take one each.
  str GetString(const str& key, const str& a1 = str(), const str& a2 = str(), const str& a3 = str(),
                const str& a4 = str(), const str& a5 = str()) const;

private:
  std::map<str, str> mStrings;
};
