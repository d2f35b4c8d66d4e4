#include "TStringTable.h"

#include <algorithm>
#include <cstdio>

#include "TPlatform.h"
#include "TReport.h"
#include "TXmlNode.h"

namespace {
const char* const kStringsRootTag = "strings";
const char* const kEntryTag = "s";
const char* const kStringsKeyAttr = "key";
}  // namespace

bool TStringTable::Load(const str& path) {
  const str full = TPlatform::ResolvePath(path);
  TXmlNode root;
  if (!root.ParseFile(full)) return false;
  if (root.GetName() != kStringsRootTag) {
    Report("%s: the root element is <%s>, not <%s>; no strings loaded", path.c_str(), root.GetName().c_str(),
           kStringsRootTag);
    return false;
  }
  mStrings.clear();
  for (size_t i = 0; i < root.GetChildCount(); ++i) {
    TXmlNode* s = root.GetChildAt(i);
    if (s->GetName() != kEntryTag) continue;
    bool found = false;
    str key = s->GetAttribute(kStringsKeyAttr, &found);
    if (!found || key.empty()) {
      Report("%s: a <%s> has no key; skipped", path.c_str(), kEntryTag);
      continue;
    }
    mStrings[key] = s->GetContent();
  }
  return true;
}

void TStringTable::Set(const str& key, const str& text) {
  mStrings[key] = text;
}

bool TStringTable::Has(const str& key) const {
  return mStrings.count(key) != 0;
}

str TStringTable::GetString(const str& key, const str& a1, const str& a2, const str& a3, const str& a4,
                            const str& a5) const {
  auto it = mStrings.find(key);
  if (it == mStrings.end()) return key;
  const str* args[] = {&a1, &a2, &a3, &a4, &a5};
  size_t next = 0;
  const str& text = it->second;
  str out;
  // The texts come from content, so they are never handed to printf as a
  // format: each conversion is checked and fed one argument of its own kind.
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    size_t j = i + 1;
    while (j < text.size() && str("-+ #0").find(text[j]) != str::npos) ++j;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
    if (j < text.size() && text[j] == '.') {
      ++j;
      while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
    }
    if (j >= text.size()) {
      out += text.substr(i);
      break;
    }
    const char conv = text[j];
    if (conv == '%' && j == i + 1) {
      out += '%';
      i = j;
      continue;
    }
    if (conv != 's' && conv != 'd' && conv != 'i' && conv != 'f') {
      out += text.substr(i, j - i + 1);
      i = j;
      continue;
    }
    const str spec = text.substr(i, j - i);  // "%" plus flags, width, precision
    // Width and precision are capped at two digits so content cannot ask for
    // a huge buffer.
    size_t run = 0, longest = 0;
    for (char c : spec) {
      run = (c >= '0' && c <= '9') ? run + 1 : 0;
      longest = std::max(longest, run);
    }
    if (longest > 2) {
      out += text.substr(i, j - i + 1);
      i = j;
      continue;
    }
    const str arg = next < 5 ? *args[next] : str();
    ++next;
    if (conv == 's')
      out += str::format((spec + "s").c_str(), arg.c_str());
    else if (conv == 'f')
      out += str::format((spec + "f").c_str(), double(arg.to_float()));
    else
      out += str::format((spec + "d").c_str(), arg.to_int());
    i = j;
  }
  return out;
}
