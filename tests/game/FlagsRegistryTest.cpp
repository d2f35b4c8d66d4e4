// Game variables: reading, announcing, saving and loading, and names that
// cannot be XML element names.

#include <gtest/gtest.h>

#include "StartupTestUtil.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
typedef StartupTest FlagsRegistryTest;

// Records each announcement with the value it sees at that moment.
struct Listener : IFlagsListener {
  str watched;
  std::vector<str> seen;
  void OnFlagChanged() override { seen.push_back(OFlagsRegistry::GetInstance()->GetValue(watched)); }
};
}  // namespace

TEST_F(FlagsRegistryTest, ChangesAreStoredThenAnnouncedToRulesAndListener) {
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  Listener listener;
  listener.watched = "door_open";
  flags->SetListener(&listener);

  EXPECT_EQ(flags->GetValue("door_open"), "null");
  EXPECT_TRUE(flags->GetValues().empty());  // reading adds nothing

  flags->SetValue("door_open", "true");
  flags->SetValue("door_open", "true");  // the same value is announced again
  flags->SetValueSilently("door_open", "false");
  EXPECT_EQ(listener.seen, (std::vector<str>{"true", "true"}));
  EXPECT_EQ(OMissionsManager::GetInstance()->GetAsked(),
            (std::vector<str>{"flag door_open=true", "flag door_open=true"}));
  EXPECT_EQ(flags->GetValue("door_open"), "false");

  flags->SetValue("set_to_null", "null");
  EXPECT_EQ(flags->GetValue("set_to_null"), flags->GetValue("never_set"));
  flags->SetListener(nullptr);
}

TEST_F(FlagsRegistryTest, SaveWritesNamesInOrderAndLoadReplacesTheStore) {
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  flags->SetValueSilently("zeta", "1");
  flags->SetValueSilently("quest_book_control_unlocked", "true");
  flags->SetValueSilently("__fire_magic_saved_item", "");
  TXmlNode save("save");
  flags->Save(&save);
  TXmlNode* section = save.GetChild("flags_registry");
  ASSERT_NE(section, nullptr);
  ASSERT_EQ(section->GetChildCount(), 3u);
  EXPECT_EQ(section->GetChildAt(0)->GetName(), "__fire_magic_saved_item");
  EXPECT_EQ(section->GetChildAt(1)->GetName(), "quest_book_control_unlocked");
  EXPECT_EQ(section->GetChildAt(1)->GetAttribute("value"), "true");

  flags->SetValueSilently("only_before_load", "x");
  size_t asked = OMissionsManager::GetInstance()->GetAsked().size();
  flags->Load(&save);
  EXPECT_EQ(flags->GetValue("only_before_load"), "null");
  EXPECT_EQ(flags->GetValue("zeta"), "1");
  EXPECT_EQ(OMissionsManager::GetInstance()->GetAsked().size(), asked);  // silent

  TXmlNode noSection("save");
  flags->Load(&noSection);
  EXPECT_TRUE(flags->GetValues().empty());
}

TEST_F(FlagsRegistryTest, NamesThatCannotBeElementsAreSkippedAndTheDocumentStaysReadable) {
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  const char* bad[] = {"has space", "1starts_with_digit", "", "a<b", "quote\"d"};
  for (const char* name : bad) flags->SetValueSilently(name, "v");
  flags->SetValueSilently("good", "<&\">");  // values are escaped, never skipped

  TXmlNode doc("save_data");
  TXmlNode* slot = doc.CreateChild("save");
  size_t before = ReportCount();
  flags->Save(slot);
  EXPECT_EQ(ReportCount() - before, sizeof bad / sizeof bad[0]);

  TXmlNode reread;
  ASSERT_TRUE(reread.ParseString(doc.AsString()));
  flags->Load(reread.GetChild("save"));
  EXPECT_EQ(flags->GetValues().size(), 1u);
  EXPECT_EQ(flags->GetValue("good"), "<&\">");
}
