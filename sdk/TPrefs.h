#pragma once
// Preferences: global values (user -1) and one set per player, kept in one XML
// file (prefs.xml) under $TOLVANE_PREFS_DIR, else $XDG_DATA_HOME/tolvane, else
// ~/.local/share/tolvane. Every Set writes the whole file atomically (temp
// file, fsync, rename), so a crash leaves the old file or the new one. A file
// that does not parse is moved aside to the first free name of
// prefs.xml.damaged, prefs.xml.damaged.1, ... with a message on stderr, and
// the store starts empty. When it cannot be moved, it stays where it is and
// the store never writes over it.

#include <map>
#include <vector>

#include "str.h"

class TXmlNode;

class TPrefs {
 public:
  TPrefs();                            // the default folder
  explicit TPrefs(const str& folder);  // "" is the default folder too
  ~TPrefs();
  // The file in `folder` as it stands, for looking only: no folder or file
  // is made, a missing or damaged file reads as empty and stays as it is,
  // nothing is reported, and nothing set on the result is ever written.
  static TPrefs ReadOnly(const str& folder);

  // What the file was found to be when the store was made.
  enum Damage { kReadable, kMovedAside, kKeptInPlace };

  bool Has(const str& key, int user = -1) const;
  int GetInt(const str& key, int def, int user = -1) const;
  str GetStr(const str& key, const str& def, int user = -1) const;
  // A write at index GetNumUsers() adds a player; beyond that it is ignored.
  // False when the value was not stored, or (with flush) did not reach the
  // disk.
  bool SetInt(const str& key, int value, int user = -1, bool flush = true);
  bool SetStr(const str& key, const str& value, int user = -1, bool flush = true);
  int GetNumUsers() const { return int(mUsers.size()); }
  // Later players move down one index; a bad index is ignored.
  void DeleteUser(int user);
  bool Flush();

  const str& GetPath() const { return mPath; }
  Damage GetDamage() const { return mDamage; }
  // Where a damaged file was moved; "" unless it was.
  const str& GetDamagedCopy() const { return mDamagedCopy; }
  static str DefaultFolder();

 private:
  typedef std::map<str, str> Values;
  struct ReadOnlyTag {};
  TPrefs(const str& folder, ReadOnlyTag);

  str mPath;
  Damage mDamage = kReadable;
  str mDamagedCopy;
  bool mRefusalReported = false;
  Values mGlobal;
  std::vector<Values> mUsers;
  bool mReadOnly = false;
  void Load();
  // Takes the values under a <prefs> root; `report` says whether what is
  // skipped is reported.
  void ReadValues(const TXmlNode& root, bool report);
  const Values* Find(int user) const;
  Values* FindForWrite(int user);
};
