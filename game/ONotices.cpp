#include "ONotices.h"

#include <deque>

#include "sdk/TModalWindow.h"
#include "sdk/TPlatform.h"
#include "sdk/TStringTable.h"
#include "sdk/TWindowManager.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kTitleKey = "notice_title";
const char* const kTitleFallback = "Saved data";

struct Notice {
  str key, fallback, a1, a2, a3;
};

std::deque<Notice>& Pending() {
  static std::deque<Notice> pending;
  return pending;
}

// The table's text, or the fallback formatted the same way.
str Text(const str& key, const str& fallback, const str& a1 = str(), const str& a2 = str(),
         const str& a3 = str()) {
  TStringTable* strings = TPlatform::GetInstance()->GetStringTable();
  if (strings->Has(key)) return strings->GetString(key, a1, a2, a3);
  TStringTable own;
  own.Set(key, fallback);
  return own.GetString(key, a1, a2, a3);
}
}  // namespace

const char* const ONotices::kScript = "scripts/notice.lua";
const char* const ONotices::kWindowName = "notice";

void ONotices::Push(const str& key, const str& fallback, const str& a1, const str& a2, const str& a3) {
  Pending().push_back({key, fallback, a1, a2, a3});
}

void ONotices::ShowPending() {
  if (Pending().empty()) return;
  TWindowManager* wm = TWindowManager::GetInstance();
  TModalWindow* top = wm->GetTopModalWindow();
  if (top && top->GetName() == kWindowName) return;
  const str body = PeekText();
  Pending().pop_front();
  // Taken before it is shown: a content tree without the script loses the
  // notice (its line on stderr stays) instead of trying on every tick.
  wm->DoLuaString(nullptr,
                  str::format("DisplayDialog{'%s', title=%s, body=%s}", kScript,
                              LuaQuoted(Text(kTitleKey, kTitleFallback)).c_str(), LuaQuoted(body).c_str()));
}

str ONotices::PeekText() {
  if (Pending().empty()) return str();
  const Notice& n = Pending().front();
  return Text(n.key, n.fallback, n.a1, n.a2, n.a3);
}

size_t ONotices::GetPendingCount() {
  return Pending().size();
}

void ONotices::Clear() {
  Pending().clear();
}
