// The per-player save document and the mini-game registry.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ShellTestUtil.h"
#include "game/ONotices.h"
#include "sdk/TPrefs.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
class SaveDataTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    users = OUsersManager::Create();
    users->CreateNewUser("Ada");
    users->CreateNewUser("Bo");
    users->SetCurrentUser(0);
  }
  TPrefs* prefs() { return users->GetPrefs(); }
  str Pref(int user) { return prefs()->GetStr("save", "(unset)", user); }
  void Save(int slot, const str& name) {
    OSaveData::GetInstance()->CreateSave(slot, name);
    ASSERT_TRUE(OSaveData::GetInstance()->Store());
  }
  OUsersManager* users = nullptr;
};
}  // namespace

TEST_F(SaveDataTest, SavingASlotAgainMovesItToTheEnd) {
  Save(3, "first");
  Save(0, "Autosave");
  Save(3, "second");
  EXPECT_EQ(Compact(Pref(0)),
            "<save_data><save save_name=\"Autosave\" ind=\"0\"/><save save_name=\"second\" "
            "ind=\"3\"/></save_data>");
  EXPECT_EQ(OSaveData::GetInstance()->GetSaveNames(), (std::vector<str>{"Autosave", "", "", "second"}));
  ASSERT_NE(OSaveData::GetInstance()->FindSave(3), nullptr);
  EXPECT_EQ(OSaveData::GetInstance()->FindSave(3)->GetAttribute("save_name"), "second");
  EXPECT_EQ(OSaveData::GetInstance()->FindSave(1), nullptr);
}

TEST_F(SaveDataTest, SlotsThatCannotBeBelievedAreNeverLoadedNorReplaced) {
  const str odd =
      "<save save_name=\"blank\" ind=\"\"/><save save_name=\"huge\" ind=\"99999999\"/>"
      "<save save_name=\"neg\" ind=\"-2\"/><save save_name=\"word\" ind=\"x\"/>"
      "<save save_name=\"tail\" ind=\"1x\"/><save save_name=\"zero\" ind=\"01\"/>"
      "<save save_name=\"plus\" ind=\"+1\"/><save save_name=\"none\"/>";
  prefs()->SetStr("save", "<save_data>" + odd + "<save save_name=\"one\" ind=\"1\"/></save_data>", 0);
  EXPECT_EQ(OSaveData::GetInstance()->FindSave(0), nullptr) << "an empty ind is not slot 0";
  EXPECT_FALSE(OSaveData::HasSave(0));
  EXPECT_TRUE(OSaveData::HasSave(1));
  EXPECT_EQ(OSaveData::GetInstance()->GetSaveNames(), (std::vector<str>{"", "one"}));
  // What a load refuses, a save leaves alone.
  Save(0, "Autosave");
  Save(1, "quick");
  EXPECT_EQ(Compact(Pref(0)), "<save_data>" + odd +
                                  "<save save_name=\"Autosave\" ind=\"0\"/><save save_name=\"quick\" "
                                  "ind=\"1\"/></save_data>");
}

// A slot written by a later version or by hand, with names this version
// would not make: saves of other slots write it back as it was read.
TEST_F(SaveDataTest, AForeignSlotNeitherStopsSavesNorChanges) {
  const str foreign =
      "<save save_name=\"later\" ind=\"5\"><ext:data v=\"1\"><caf\xc3\xa9 "
      "\xc3\xa9t\xc3\xa9=\"x\"/></ext:data>"
      "<notes><![CDATA[ ]]><n/></notes></save>";
  prefs()->SetStr("save", "<save_data>" + foreign + "</save_data>", 0);
  Save(1, "quick");
  Save(0, "Autosave");
  TXmlNode stored;
  ASSERT_TRUE(stored.ParseString(Pref(0)));
  TXmlNode expected;
  ASSERT_TRUE(expected.ParseString(foreign));
  ASSERT_EQ(stored.GetChildCount(), 3u);
  EXPECT_TRUE(stored.GetChildAt(0)->SameTreeAs(expected)) << Pref(0);
  EXPECT_EQ(OSaveData::GetInstance()->GetSaveNames(),
            (std::vector<str>{"Autosave", "quick", "", "", "", "later"}));
}

TEST_F(SaveDataTest, APlayerChangeNeverWritesOnePlayersSlotsOverAnothers) {
  OSaveData::GetInstance()->Load();
  Save(1, "Ada's quick save");
  users->SetCurrentUser(1);
  EXPECT_EQ(OSaveData::GetInstance()->GetUserIndex(), 1);
  EXPECT_EQ(OSaveData::GetInstance()->FindSave(1), nullptr);
  Save(2, "Bo's");
  EXPECT_EQ(Compact(Pref(0)), "<save_data><save save_name=\"Ada's quick save\" ind=\"1\"/></save_data>");
  EXPECT_EQ(Compact(Pref(1)), "<save_data><save save_name=\"Bo's\" ind=\"2\"/></save_data>");

  // A save starts from what is stored, even when the preference changed
  // behind the loaded document.
  prefs()->SetStr("save", "<save_data><save save_name=\"elsewhere\" ind=\"5\"/></save_data>", 1);
  Save(2, "Bo's again");
  EXPECT_EQ(Compact(Pref(1)),
            "<save_data><save save_name=\"elsewhere\" ind=\"5\"/><save save_name=\"Bo's again\" ind=\"2\"/>"
            "</save_data>");
}

TEST_F(SaveDataTest, ASaveThatWouldNotReadBackLeavesItsSlotAsItWas) {
  Save(0, "Autosave");
  Save(1, "old");
  str before = Pref(0);
  TXmlNode* save = OSaveData::GetInstance()->CreateSave(1, "bad");
  // A game variable whose name cannot be an element name.
  save->CreateChild("flags_registry")->CreateChild("2 words");
  size_t reports = ReportCount();
  EXPECT_FALSE(OSaveData::GetInstance()->Store());
  EXPECT_GT(ReportCount(), reports);
  EXPECT_EQ(Pref(0), before);
  // The document in memory is what is stored, not the save that failed.
  TXmlNode* doc = OSaveData::GetInstance()->GetDocument();
  ASSERT_EQ(doc->GetChildCount(), 2u);
  EXPECT_EQ(doc->GetChildAt(1)->GetAttribute("save_name"), "old");
}

TEST_F(SaveDataTest, ASaveThatDoesNotReachTheDiskFails) {
  // A folder where the temp file must go: no write can land.
  const str blocker = prefs()->GetPath() + ".tmp";
  ASSERT_EQ(mkdir(blocker.c_str(), 0755), 0);
  OSaveData::GetInstance()->CreateSave(1, "quick");
  EXPECT_FALSE(OSaveData::GetInstance()->Store());
  rmdir(blocker.c_str());
  Save(1, "quick");
}

TEST_F(SaveDataTest, ADamagedDocumentIsKeptAsideAtOnceAndEveryCopyStays) {
  const str texts[] = {"<save_data><save ind=\"1\"", "<other/>"};
  const str keys[] = {"save_damaged", "save_damaged.1"};
  for (int i = 0; i < 2; ++i) {
    OSaveData::DeleteInstance();
    ONotices::Clear();
    prefs()->SetStr("save", texts[i], 0);
    size_t reports = ReportCount();
    OSaveData::GetInstance()->Load();
    EXPECT_GT(ReportCount(), reports) << texts[i];
    EXPECT_EQ(OSaveData::GetInstance()->GetDocument()->GetChildCount(), 0u) << texts[i];
    EXPECT_EQ(prefs()->GetStr(keys[i], "", 0), texts[i]);
    EXPECT_EQ(Pref(0), OSaveData::kEmptyDocument);
    // The player is told where and under which key.
    ASSERT_EQ(ONotices::GetPendingCount(), 1u);
    const str notice = ONotices::PeekText();
    for (const str& part : {prefs()->GetPath(), keys[i]}) EXPECT_NE(notice.find(part), str::npos) << notice;
    Save(2, "fresh");
    EXPECT_EQ(Compact(Pref(0)), "<save_data><save save_name=\"fresh\" ind=\"2\"/></save_data>");
  }
  EXPECT_EQ(prefs()->GetStr(keys[0], "", 0), texts[0]);
  ONotices::Clear();
}

TEST_F(SaveDataTest, MinigameRegistryReachesOneSaveOnly) {
  OMinigameRegistry* reg = OMinigameRegistry::GetInstance();
  TXmlNode* fishing = reg->CreateNode("fishing");
  fishing->SetAttribute("rod_x", "12");
  fishing->CreateChild("fish")->SetAttribute("kind", "2");
  reg->CreateNode("tags");
  // Creating a node again replaces the old one and its content.
  reg->CreateNode("tags")->SetAttribute("visible_note", "1");
  EXPECT_EQ(reg->GetRoot()->GetChildCount(), 2u);

  TXmlNode first("save"), second("save");
  reg->Save(&first);
  reg->Save(&second);
  EXPECT_EQ(Compact(first.AsString()),
            "<save><minigame_registry><fishing rod_x=\"12\"><fish kind=\"2\"/></fishing>"
            "<tags visible_note=\"1\"/></minigame_registry></save>");
  EXPECT_EQ(Compact(second.AsString()), "<save><minigame_registry/></save>");

  reg->Load(&first);
  ASSERT_NE(reg->GetNode("fishing"), nullptr);
  EXPECT_EQ(reg->GetNode("fishing")->GetChild("fish")->GetAttribute("kind"), "2");
  reg->DeleteNode("fishing");
  reg->DeleteNode("fishing");
  EXPECT_EQ(reg->GetNode("fishing"), nullptr);
  reg->Load(nullptr);
  EXPECT_EQ(reg->GetRoot()->GetChildCount(), 0u);
}
