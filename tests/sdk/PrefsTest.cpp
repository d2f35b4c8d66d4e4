#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "CoreTestUtil.h"
#include "sdk/TPrefs.h"
#include "sdk/TReport.h"

namespace {
void WriteAll(const str& path, const str& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}
}  // namespace

TEST(PrefsStore, EverySetIsOnDiskAndValuesRoundTripExactly) {
  CoreTempDir dir;
  const str saveDoc =
      "<?xml version=\"1.0\"?>\n<save_data>\n  <save slot=\"0\" name=\"A &amp; B\">\r\n"
      "    <flags>x<y</flags>\n  </save>\n</save_data>\n";
  const str odd[] = {"", "   ", " padded ", "\"quoted\" & <tagged>", "caf\xc3\xa9\ttab\r\n", saveDoc};
  {
    TPrefs prefs(dir.Path());
    EXPECT_EQ(prefs.GetPath(), dir.File("prefs.xml"));
    EXPECT_TRUE(Exists(prefs.GetPath()));  // created when missing
    prefs.SetInt("fullscreen", 1);
    prefs.SetStr("name", "Ann", 0);
    for (size_t i = 0; i < sizeof odd / sizeof odd[0]; ++i) {
      prefs.SetStr("v" + std::to_string(i), odd[i], 0);
      // Each Set is already in the file: a fresh reader sees it.
      TPrefs reader(dir.Path());
      EXPECT_EQ(reader.GetStr("v" + std::to_string(i), "default", 0), odd[i]);
    }
    prefs.SetStr("weird key <&>\"", "k", -1);
  }
  TPrefs prefs(dir.Path());
  EXPECT_EQ(prefs.GetInt("fullscreen", 0), 1);
  EXPECT_EQ(prefs.GetStr("name", "", 0), "Ann");
  EXPECT_EQ(prefs.GetStr("weird key <&>\"", ""), "k");
  for (size_t i = 0; i < sizeof odd / sizeof odd[0]; ++i)
    EXPECT_EQ(prefs.GetStr("v" + std::to_string(i), "default", 0), odd[i]) << i;
  EXPECT_EQ(prefs.GetInt("missing", 7), 7);
  EXPECT_EQ(prefs.GetStr("name", "dflt", -1), "dflt");  // globals and players are apart
}

TEST(PrefsStore, AValueTheFileCannotHoldIsRefusedAndTheOldOneStays) {
  CoreTempDir dir;
  TPrefs prefs(dir.Path());
  ASSERT_TRUE(prefs.SetStr("name", "Ann", 0));
  EXPECT_FALSE(prefs.SetStr("name", str("An\0n", 4), 0));
  EXPECT_FALSE(prefs.SetStr("name", str("\0", 1), 1));  // nor does it add a player
  EXPECT_EQ(prefs.GetNumUsers(), 1);
  EXPECT_EQ(TPrefs(dir.Path()).GetStr("name", "", 0), "Ann");
}

TEST(PrefsUsers, WriteAtTheEndAddsAPlayerAndFurtherIsIgnored) {
  CoreTempDir dir;
  TPrefs prefs(dir.Path());
  EXPECT_EQ(prefs.GetNumUsers(), 0);
  prefs.SetStr("name", "Ann", 0);
  prefs.SetStr("name", "Bo", 1);
  EXPECT_EQ(prefs.GetNumUsers(), 2);
  const size_t before = ReportCount();
  prefs.SetStr("name", "Cy", 5);
  prefs.SetInt("soundlevel", 3, -2);
  EXPECT_EQ(prefs.GetNumUsers(), 2);
  EXPECT_EQ(ReportCount(), before + 2);
  EXPECT_EQ(prefs.GetStr("name", "none", 5), "none");
  EXPECT_EQ(prefs.GetInt("soundlevel", 9, -2), 9);
  EXPECT_EQ(TPrefs(dir.Path()).GetNumUsers(), 2);
}

TEST(PrefsUsers, DeleteShiftsLaterPlayersAndIgnoresBadIndices) {
  CoreTempDir dir;
  TPrefs prefs(dir.Path());
  for (int i = 0; i < 4; ++i) prefs.SetStr("name", str("P") + std::to_string(i), i);
  for (int bad : {-1, -5, 4, 100}) {
    prefs.DeleteUser(bad);
    EXPECT_EQ(prefs.GetNumUsers(), 4) << bad;
  }
  prefs.DeleteUser(1);
  const struct {
    int index;
    const char* name;
  } expected[] = {{0, "P0"}, {1, "P2"}, {2, "P3"}};
  TPrefs reread(dir.Path());
  for (TPrefs* p : {&prefs, &reread}) {
    ASSERT_EQ(p->GetNumUsers(), 3);
    for (const auto& e : expected) EXPECT_EQ(p->GetStr("name", "", e.index), e.name);
  }
  prefs.DeleteUser(2);
  prefs.DeleteUser(0);
  prefs.DeleteUser(0);
  EXPECT_EQ(prefs.GetNumUsers(), 0);
  prefs.DeleteUser(0);
  EXPECT_EQ(TPrefs(dir.Path()).GetNumUsers(), 0);
}

TEST(PrefsCrash, AWriteThatNeverReachedItsRenameLeavesTheOldFile) {
  CoreTempDir dir;
  {
    TPrefs prefs(dir.Path());
    prefs.SetStr("name", "Ann", 0);
    prefs.SetInt("curuser", 0);
  }
  const str good = ReadAll(dir.File("prefs.xml"));
  // The process died after writing part of the next version to the temp file.
  WriteAll(dir.File("prefs.xml.tmp"), "<?xml version=\"1.0\"?>\n<prefs>\n  <user><value key=\"name\">Bo");
  {
    TPrefs prefs(dir.Path());
    EXPECT_EQ(prefs.GetStr("name", "", 0), "Ann");
    EXPECT_EQ(prefs.GetInt("curuser", -1), 0);
    EXPECT_EQ(ReadAll(dir.File("prefs.xml")), good);  // reading does not rewrite it
    prefs.SetStr("name", "Cy", 0);                    // the next write replaces the stray temp
  }
  EXPECT_FALSE(Exists(dir.File("prefs.xml.tmp")));
  EXPECT_EQ(TPrefs(dir.Path()).GetStr("name", "", 0), "Cy");
}

TEST(PrefsCrash, OnlyATempFileMeansAFirstWriteThatNeverLanded) {
  CoreTempDir dir;
  WriteAll(dir.File("prefs.xml.tmp"), "<prefs><global><value key=\"curuser\">3</value></global></prefs>");
  TPrefs prefs(dir.Path());
  EXPECT_EQ(prefs.GetInt("curuser", -1), -1);
  EXPECT_EQ(prefs.GetNumUsers(), 0);
}

TEST(PrefsDamage, ADamagedFileIsMovedAsideAndTheStoreStartsEmpty) {
  const char* damaged[] = {
      "<prefs><user><value key=\"name\">Ann</value>",  // cut short
      "\x01\x02 binary junk", "",
      "<other><global/></other>",  // someone else's document
  };
  for (const char* text : damaged) {
    CoreTempDir dir;
    WriteAll(dir.File("prefs.xml"), text);
    const size_t before = ReportCount();
    testing::internal::CaptureStderr();
    TPrefs prefs(dir.Path());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_GE(ReportCount(), before + 1) << text;
    EXPECT_NE(err.find("prefs.xml.damaged"), std::string::npos) << err;
    EXPECT_EQ(prefs.GetNumUsers(), 0);
    EXPECT_EQ(prefs.GetInt("fullscreen", 1), 1);
    EXPECT_EQ(ReadAll(dir.File("prefs.xml.damaged")), text);  // kept for the player
    EXPECT_EQ(prefs.GetDamage(), TPrefs::kMovedAside);
    EXPECT_EQ(prefs.GetDamagedCopy(), dir.File("prefs.xml.damaged"));
    prefs.SetStr("name", "New", 0);
    EXPECT_EQ(TPrefs(dir.Path()).GetStr("name", "", 0), "New");
  }
}

TEST(PrefsDamage, AnEarlierDamagedFileIsNotOverwritten) {
  CoreTempDir dir;
  WriteAll(dir.File("prefs.xml"), "<first");
  { TPrefs prefs(dir.Path()); }
  WriteAll(dir.File("prefs.xml"), "<second");
  { TPrefs prefs(dir.Path()); }
  EXPECT_EQ(ReadAll(dir.File("prefs.xml.damaged")), "<first");
  EXPECT_EQ(ReadAll(dir.File("prefs.xml.damaged.1")), "<second");
}

TEST(PrefsDamage, NoDamagedCopyIsEverReplaced) {
  CoreTempDir dir;
  const str base = dir.File("prefs.xml.damaged");
  for (int n = 0; n < 1000; ++n)
    WriteAll(n ? str(base + "." + std::to_string(n)) : base, "old " + std::to_string(n));
  WriteAll(dir.File("prefs.xml"), "<new");
  TPrefs prefs(dir.Path());
  EXPECT_EQ(prefs.GetDamage(), TPrefs::kMovedAside);
  EXPECT_EQ(prefs.GetDamagedCopy(), base + ".1000");
  EXPECT_EQ(ReadAll(base + ".1000"), "<new");
  EXPECT_EQ(ReadAll(base + ".999"), "old 999");
  EXPECT_EQ(ReadAll(base), "old 0");
}

// A folder path so long that prefs.xml and its temp file fit in a path but
// prefs.xml.damaged does not: the one way to make the move fail for root.
TEST(PrefsDamage, AFileThatCannotBeMovedAsideIsNeverWrittenOver) {
  CoreTempDir dir;
  str folder = dir.Path();
  const size_t kLength = 4080;  // + "/prefs.xml.tmp" < 4096 <= + "/prefs.xml.damaged"
  while (folder.size() < kLength) {
    folder += "/" + str(std::min<size_t>(200, kLength - folder.size() - 1), 'd');
    ASSERT_TRUE(mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST) << folder.size();
  }
  ASSERT_EQ(folder.size(), kLength);
  const str path = folder + "/prefs.xml";
  WriteAll(path, "<prefs><user><value key=\"name\">Ann");
  TPrefs prefs(folder);
  EXPECT_EQ(prefs.GetDamage(), TPrefs::kKeptInPlace);
  EXPECT_EQ(prefs.GetDamagedCopy(), "");
  EXPECT_FALSE(prefs.SetStr("name", "New", 0));
  EXPECT_FALSE(prefs.SetInt("curuser", 0));
  EXPECT_FALSE(prefs.Flush());
  EXPECT_EQ(ReadAll(path), "<prefs><user><value key=\"name\">Ann");
}

TEST(PrefsFolder, DefaultFolderFollowsTheEnvironment) {
  const char* names[] = {"TOLVANE_PREFS_DIR", "XDG_DATA_HOME", "HOME"};
  str saved[3];
  bool had[3];
  for (int i = 0; i < 3; ++i) {
    const char* v = std::getenv(names[i]);
    had[i] = v != nullptr;
    saved[i] = v ? v : "";
  }
  const struct {
    const char *own, *xdg, *home, *expected;
  } cases[] = {
      {"/p/own", "/x/data", "/h/me", "/p/own"},
      {"", "/x/data", "/h/me", "/x/data/tolvane"},
      {nullptr, "/x/data", "/h/me", "/x/data/tolvane"},
      {nullptr, "relative/data", "/h/me", "/h/me/.local/share/tolvane"},
      {nullptr, nullptr, "/h/me", "/h/me/.local/share/tolvane"},
  };
  for (const auto& c : cases) {
    const char* values[] = {c.own, c.xdg, c.home};
    for (int i = 0; i < 3; ++i)
      if (values[i])
        setenv(names[i], values[i], 1);
      else
        unsetenv(names[i]);
    EXPECT_EQ(TPrefs::DefaultFolder(), c.expected);
  }
  for (int i = 0; i < 3; ++i)
    if (had[i])
      setenv(names[i], saved[i].c_str(), 1);
    else
      unsetenv(names[i]);
}

TEST(PrefsFolder, MissingFoldersAreCreated) {
  CoreTempDir dir;
  const str nested = dir.File("a/b/tolvane/");
  TPrefs prefs(nested);
  prefs.SetInt("curuser", 2);
  EXPECT_TRUE(Exists(dir.File("a/b/tolvane/prefs.xml")));
  EXPECT_EQ(TPrefs(nested).GetInt("curuser", 0), 2);
}

// A look at the file leaves every state of it as it was: a missing folder or
// file is not made, a damaged file is not moved aside, and a value set on
// the look is never written.
TEST(PrefsReadOnly, LooksWithoutChangingAnything) {
  const char* const kGood = "<prefs><global><value key=\"curuser\">2</value></global></prefs>";
  const struct {
    const char* folder;  // under the scratch folder
    const char* text;    // the file's text, null for no file
    int curuser;         // what the look reads
  } cases[] = {
      {"gone", nullptr, -1}, {".", nullptr, -1}, {".", "<prefs><global>", -1},
      {".", "<other/>", -1}, {".", kGood, 2},
  };
  for (const auto& c : cases) {
    CoreTempDir dir;
    const str folder = dir.File(c.folder);
    if (c.text) WriteAll(folder + "/prefs.xml", c.text);
    const size_t reports = ReportCount();
    TPrefs look = TPrefs::ReadOnly(folder);
    EXPECT_EQ(look.GetInt("curuser", -1), c.curuser) << c.folder << " " << (c.text ? c.text : "no file");
    look.SetInt("curuser", 5);
    EXPECT_EQ(ReportCount(), reports);
    EXPECT_EQ(Exists(folder), strcmp(c.folder, ".") == 0);
    EXPECT_EQ(Exists(folder + "/prefs.xml"), c.text != nullptr);
    if (c.text) {
      EXPECT_EQ(ReadAll(folder + "/prefs.xml"), c.text);
    }
    EXPECT_FALSE(Exists(folder + "/prefs.xml.damaged"));
  }
}
