#include "TPrefs.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "TReport.h"
#include "TXmlNode.h"

namespace {
const char* const kFileName = "prefs.xml";
const char* const kRootTag = "prefs";
const char* const kGlobalTag = "global";
const char* const kUserTag = "user";
const char* const kValueTag = "value";
const char* const kKeyAttr = "key";

bool MakeFolders(const str& path) {
  str sofar;
  size_t pos = 0;
  while (pos != str::npos) {
    size_t slash = path.find('/', pos + 1);
    sofar = path.substr(0, slash);
    if (!sofar.empty() && ::mkdir(sofar.c_str(), 0755) != 0 && errno != EEXIST) return false;
    pos = slash;
  }
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const str& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

// "" is the default folder; trailing slashes go.
str FolderPath(const str& folder) {
  str dir = folder.empty() ? TPrefs::DefaultFolder() : folder;
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

// Moves `from` to the first of `base`, `base`.1, `base`.2 ... that is free,
// never replacing one: an earlier damaged copy may be all that is left of a
// player's progress. Returns the new name, or "" (errno set) when the file
// could not be moved.
str MoveAside(const str& from, const str& base) {
  const int kMaxCopies = 100000;
  for (int n = 0; n < kMaxCopies; ++n) {
    const str to = n == 0 ? base : str(base + "." + std::to_string(n));
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return to;
    if (errno == EEXIST) continue;
    if (errno != EINVAL && errno != ENOSYS) return str();
    // A file system without the no-replace rename: a hard link refuses an
    // existing name just as well.
    if (::link(from.c_str(), to.c_str()) == 0) {
      ::unlink(from.c_str());
      return to;
    }
    if (errno != EEXIST) return str();
  }
  errno = EEXIST;
  return str();
}
}  // namespace

str TPrefs::DefaultFolder() {
  const char* own = std::getenv("TOLVANE_PREFS_DIR");
  if (own && *own) return own;
  const char* data = std::getenv("XDG_DATA_HOME");
  // The base directory rules ignore a relative XDG_DATA_HOME.
  if (data && *data == '/') return str(data) + "/tolvane";
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    const passwd* pw = ::getpwuid(::getuid());
    home = pw ? pw->pw_dir : nullptr;
  }
  return str(home && *home ? home : ".") + "/.local/share/tolvane";
}

TPrefs::TPrefs() : TPrefs(DefaultFolder()) {}

TPrefs::TPrefs(const str& folder) {
  str dir = FolderPath(folder);
  mPath = dir + "/" + kFileName;
  if (!MakeFolders(dir))
    Report("%s: cannot create the preferences folder (%s)", dir.c_str(), std::strerror(errno));
  Load();
}

TPrefs::TPrefs(const str& folder, ReadOnlyTag)
    : mPath(FolderPath(folder) + "/" + kFileName), mReadOnly(true) {
  std::ifstream in(mPath, std::ios::binary);
  std::ostringstream text;
  if (in) text << in.rdbuf();
  TXmlNode root;
  if (in && root.ParseStringQuietly(text.str()) && root.GetName() == kRootTag) ReadValues(root, false);
}

TPrefs TPrefs::ReadOnly(const str& folder) {
  return TPrefs(folder, ReadOnlyTag());
}

TPrefs::~TPrefs() = default;

void TPrefs::Load() {
  mGlobal.clear();
  mUsers.clear();
  // A temp file beside the real one is a write that never reached its
  // rename: the real file is the last complete state, so the temp is ignored
  // (the next write replaces it).
  if (!FileExists(mPath)) {
    Flush();
    return;
  }
  TXmlNode root;
  bool ok = root.ParseFile(mPath);
  if (ok && root.GetName() != kRootTag) {
    Report("%s: the root element is <%s>, not <%s>", mPath.c_str(), root.GetName().c_str(), kRootTag);
    ok = false;
  }
  if (!ok) {
    mDamagedCopy = MoveAside(mPath, mPath + ".damaged");
    const int err = errno;
    if (!mDamagedCopy.empty()) {
      mDamage = kMovedAside;
      Report("%s: damaged preferences moved to %s; starting with defaults", mPath.c_str(),
             mDamagedCopy.c_str());
      Flush();
    } else {
      // Left where it is, and never written over: it may be all that is
      // left of the players' progress.
      mDamage = kKeptInPlace;
      Report(
          "%s: damaged preferences could not be moved aside (%s); starting with defaults, and nothing is "
          "saved",
          mPath.c_str(), std::strerror(err));
    }
    return;
  }
  ReadValues(root, true);
}

void TPrefs::ReadValues(const TXmlNode& root, bool report) {
  auto readValues = [this, report](TXmlNode* from, Values& into) {
    for (size_t i = 0; i < from->GetChildCount(); ++i) {
      TXmlNode* v = from->GetChildAt(i);
      if (v->GetName() != kValueTag) continue;
      bool found = false;
      str key = v->GetAttribute(kKeyAttr, &found);
      if (!found) {
        if (report) Report("%s: a <%s> has no key; skipped", mPath.c_str(), kValueTag);
        continue;
      }
      into[key] = v->GetContent();
    }
  };
  for (size_t i = 0; i < root.GetChildCount(); ++i) {
    TXmlNode* c = root.GetChildAt(i);
    if (c->GetName() == kGlobalTag) {
      readValues(c, mGlobal);
    } else if (c->GetName() == kUserTag) {
      mUsers.emplace_back();
      readValues(c, mUsers.back());
    }
  }
}

bool TPrefs::Flush() {
  if (mReadOnly) return false;
  if (mDamage == kKeptInPlace) {
    if (!mRefusalReported)
      Report("%s: not written, so the damaged file stays as it is; move it away to save again",
             mPath.c_str());
    mRefusalReported = true;
    return false;
  }
  TXmlNode root(kRootTag);
  auto writeValues = [](TXmlNode* into, const Values& from) {
    for (const auto& kv : from) {
      TXmlNode* v = into->CreateChild(kValueTag);
      v->SetAttribute(kKeyAttr, kv.first);
      v->SetContent(kv.second);
    }
  };
  writeValues(root.CreateChild(kGlobalTag), mGlobal);
  for (const Values& u : mUsers) writeValues(root.CreateChild(kUserTag), u);
  return root.SaveFile(mPath);
}

const TPrefs::Values* TPrefs::Find(int user) const {
  if (user == -1) return &mGlobal;
  if (user < 0 || user >= int(mUsers.size())) return nullptr;
  return &mUsers[size_t(user)];
}

TPrefs::Values* TPrefs::FindForWrite(int user) {
  if (user == int(mUsers.size())) mUsers.emplace_back();
  if (user == -1) return &mGlobal;
  if (user < 0 || user >= int(mUsers.size())) {
    Report("preferences: no player %d (there are %d); value not stored", user, int(mUsers.size()));
    return nullptr;
  }
  return &mUsers[size_t(user)];
}

bool TPrefs::Has(const str& key, int user) const {
  const Values* v = Find(user);
  return v && v->count(key) != 0;
}

int TPrefs::GetInt(const str& key, int def, int user) const {
  const Values* v = Find(user);
  if (!v) return def;
  auto it = v->find(key);
  return it == v->end() ? def : it->second.to_int();
}

str TPrefs::GetStr(const str& key, const str& def, int user) const {
  const Values* v = Find(user);
  if (!v) return def;
  auto it = v->find(key);
  return it == v->end() ? def : it->second;
}

bool TPrefs::SetInt(const str& key, int value, int user, bool flush) {
  return SetStr(key, str(std::to_string(value)), user, flush);
}

bool TPrefs::SetStr(const str& key, const str& value, int user, bool flush) {
  // The file cannot hold a NUL: the value would come back cut short while
  // the caller believed it kept.
  if (value.find('\0') != std::string::npos) {
    Report("preferences: the value of \"%s\" holds a NUL character, which the file cannot keep; value not stored",
           key.c_str());
    return false;
  }
  Values* v = FindForWrite(user);
  if (!v) return false;
  (*v)[key] = value;
  return !flush || Flush();
}

void TPrefs::DeleteUser(int user) {
  if (user < 0 || user >= int(mUsers.size())) return;
  mUsers.erase(mUsers.begin() + user);
  Flush();
}
