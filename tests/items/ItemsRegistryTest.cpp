#include <gtest/gtest.h>

#include "items/OItemsRegistry.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
typedef OItemsRegistry::States States;

struct RegistryTest : ::testing::Test {
  void SetUp() override { OItemsRegistry::DeleteInstance(); }
  void TearDown() override { OItemsRegistry::DeleteInstance(); }
  OItemsRegistry* reg() { return OItemsRegistry::GetInstance(); }
};

TEST_F(RegistryTest, SaveWritesEntriesInNameOrderAndLoadsThemBack) {
  reg()->SetStates("lamp", States{1, 2, -3});
  reg()->SetState("book", 0);
  TXmlNode save("save");
  reg()->Save(&save);
  TXmlNode* section = save.GetChild("items_registry");
  ASSERT_NE(section, nullptr);
  ASSERT_EQ(section->GetChildCount(), 2u);
  EXPECT_EQ(section->GetChildAt(0)->GetName(), "book");
  TXmlNode* lamp = section->GetChildAt(1);
  EXPECT_EQ(lamp->GetName(), "lamp");
  EXPECT_EQ(lamp->GetAttributeCount(), 3u);
  EXPECT_EQ(lamp->GetAttribute("a0"), "1");
  EXPECT_EQ(lamp->GetAttribute("a1"), "2");
  EXPECT_EQ(lamp->GetAttribute("a2"), "-3");

  reg()->SetState("stale", 4);
  reg()->Load(&save);
  EXPECT_EQ(reg()->GetStates("stale"), nullptr);  // loading replaces everything
  ASSERT_NE(reg()->GetStates("lamp"), nullptr);
  EXPECT_EQ(*reg()->GetStates("lamp"), (States{1, 2, -3}));
  EXPECT_EQ(*reg()->GetStates("book"), (States{0}));
}

TEST_F(RegistryTest, LoadTakesAttributesInDocumentOrderWhateverTheirNames) {
  TXmlNode save("save");
  ASSERT_TRUE(
      save.ParseString("<save><items_registry><gem x=\"4\" a0=\"5\"/><bare/></items_registry></save>"));
  reg()->Load(&save);
  EXPECT_EQ(*reg()->GetStates("gem"), (States{4, 5}));
  ASSERT_NE(reg()->GetStates("bare"), nullptr);
  EXPECT_TRUE(reg()->GetStates("bare")->empty());
}

TEST_F(RegistryTest, LoadWithoutSectionLeavesRegistryEmpty) {
  reg()->SetState("lamp", 1);
  TXmlNode save("save");
  reg()->Load(&save);
  EXPECT_TRUE(reg()->GetEntries().empty());
  reg()->Load(nullptr);
  EXPECT_TRUE(reg()->GetEntries().empty());
}

TEST_F(RegistryTest, SetStateReplacesAWholeList) {
  reg()->SetStates("box", States{3, 4, 5});
  reg()->SetState("box", 1);
  EXPECT_EQ(*reg()->GetStates("box"), (States{1}));
}

TEST_F(RegistryTest, GetStateIsBoundsChecked) {
  reg()->SetStates("box", States{7, 8});
  reg()->SetStates("empty", States{});
  int32_t v = -1;
  EXPECT_TRUE(reg()->GetState("box", 1, &v));
  EXPECT_EQ(v, 8);
  v = -1;
  EXPECT_FALSE(reg()->GetState("box", 2, &v));
  EXPECT_FALSE(reg()->GetState("empty", 0, &v));
  EXPECT_FALSE(reg()->GetState("none", 0, &v));
  EXPECT_EQ(v, -1);
}

TEST_F(RegistryTest, AKeyThatCannotBeAnElementNameIsReportedAndNotWritten) {
  reg()->SetState("lamp", 1);
  reg()->SetState("2 bad", 1);
  size_t before = ReportCount();
  TXmlNode save("save");
  reg()->Save(&save);
  EXPECT_EQ(ReportCount(), before + 1);
  TXmlNode back("x");
  ASSERT_TRUE(back.ParseString(save.AsString()));
  EXPECT_EQ(back.GetChild("items_registry")->GetChildCount(), 1u);
}
}  // namespace
