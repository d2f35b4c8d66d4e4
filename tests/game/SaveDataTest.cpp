// The per-player save document and the mini-game registry.

#include <gtest/gtest.h>

#include "ShellTestUtil.h"
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

TEST_F(SaveDataTest, SlotsThatCannotBeBelievedAreNeverLoaded) {
  prefs()->SetStr("save",
                  "<save_data><save save_name=\"blank\" ind=\"\"/><save save_name=\"huge\" ind=\"99999999\"/>"
                  "<save save_name=\"neg\" ind=\"-2\"/><save save_name=\"word\" ind=\"x\"/>"
                  "<save save_name=\"one\" ind=\"1\"/></save_data>",
                  0);
  EXPECT_EQ(OSaveData::GetInstance()->FindSave(0), nullptr) << "an empty ind is not slot 0";
  EXPECT_FALSE(OSaveData::HasSave(0));
  EXPECT_TRUE(OSaveData::HasSave(1));
  EXPECT_EQ(OSaveData::GetInstance()->GetSaveNames(), (std::vector<str>{"", "one"}));
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

TEST_F(SaveDataTest, ADocumentThatWouldNotReadBackIsNotStored) {
  Save(0, "Autosave");
  str before = Pref(0);
  TXmlNode* save = OSaveData::GetInstance()->CreateSave(1, "bad");
  // A game variable whose name cannot be an element name.
  save->CreateChild("flags_registry")->CreateChild("2 words");
  size_t reports = ReportCount();
  EXPECT_FALSE(OSaveData::GetInstance()->Store());
  EXPECT_GT(ReportCount(), reports);
  EXPECT_EQ(Pref(0), before);
}

TEST_F(SaveDataTest, ADamagedDocumentReadsEmptyAndIsKeptAsideAtTheNextSave) {
  const str damaged = "<save_data><save ind=\"1\"";
  for (const str& text : {damaged, str("<other/>")}) {
    OSaveData::DeleteInstance();
    prefs()->SetStr("save", text, 0);
    prefs()->SetStr("save_damaged", "", 0);
    size_t reports = ReportCount();
    OSaveData::GetInstance()->Load();
    EXPECT_GT(ReportCount(), reports) << text;
    EXPECT_EQ(OSaveData::GetInstance()->GetDocument()->GetChildCount(), 0u) << text;
    EXPECT_EQ(Pref(0), text) << "loading changes nothing stored";
    Save(2, "fresh");
    EXPECT_EQ(prefs()->GetStr("save_damaged", "", 0), text);
    EXPECT_EQ(Compact(Pref(0)), "<save_data><save save_name=\"fresh\" ind=\"2\"/></save_data>");
  }
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
