// The configuration store: flags, documents that are missing or broken,
// worlds with and without a default scene, common scenes and the state
// conditions.

#include <gtest/gtest.h>

#include "StartupTestUtil.h"
#include "sdk/TReport.h"

namespace {
typedef StartupTest GameConfigTest;

str ConfigWith(const str& extra) {
  str paths = "<layouts>layouts/</layouts>";
  for (int i = 0; i < OGameConfig::kDocumentCount; ++i) {
    str name = OGameConfig::GetDocumentName(OGameConfig::Document(i));
    paths += "<" + name + ">cfg/doc.xml</" + name + ">";
  }
  return "<config><path>" + paths + "</path>" + extra + "</config>";
}
}  // namespace

TEST_F(GameConfigTest, FlagsReadExactText) {
  struct Case {
    const char* extra;
    bool particles;
    bool recipes;
  } cases[] = {
      {"", true, false},
      {"<particles_enabled>true</particles_enabled><all_recipes_unlocked>true</all_recipes_unlocked>", true,
       true},
      {"<particles_enabled>false</particles_enabled><all_recipes_unlocked>True</all_recipes_unlocked>", false,
       false},
      {"<particles_enabled>FALSE</particles_enabled><all_recipes_unlocked>yes</all_recipes_unlocked>", true,
       false},
  };
  for (const Case& c : cases) {
    ScratchDir root;
    root.Write("cfg/config.xml", ConfigWith(c.extra));
    root.Write("cfg/doc.xml", "<doc/>");
    UseRoot(root.Path());
    OGameConfig* config = OGameConfig::GetInstance();
    EXPECT_EQ(config->AreParticlesEnabled(), c.particles) << c.extra;
    EXPECT_EQ(config->AreAllRecipesUnlocked(), c.recipes) << c.extra;
    EXPECT_EQ(config->GetLayoutsPath(), "layouts/");
    Reset();
  }
}

TEST_F(GameConfigTest, MissingOrBrokenDocumentsReadAsEmptyElementsWithOneMessageEach) {
  ScratchDir root;
  str config = ConfigWith("");
  config.replace_all("<drop_zones>cfg/doc.xml", "<drop_zones>cfg/missing.xml");
  config.replace_all("<mousepointercfg>cfg/doc.xml", "<mousepointercfg>cfg/broken.xml");
  config.replace_all("<game_screen>cfg/doc.xml", "<game_screen>cfg/screen.xml");
  root.Write("cfg/config.xml", config);
  root.Write("cfg/doc.xml", "<doc><x/></doc>");
  root.Write("cfg/broken.xml", "<mousepointercfg><pointer></mousepointercfg>");
  root.Write("cfg/screen.xml", "<game_screen><inventory cells=\"6\"/><popup/></game_screen>");
  UseRoot(root.Path());
  size_t before = ReportCount();
  OGameConfig* config_ = OGameConfig::GetInstance();
  EXPECT_EQ(ReportCount() - before, 2u);
  TXmlNode* zones = config_->GetDropZones();
  ASSERT_NE(zones, nullptr);
  EXPECT_EQ(zones->GetName(), "drop_zones");
  EXPECT_EQ(zones->GetChildCount(), 0u);
  ASSERT_NE(config_->GetMousePointerCfg(), nullptr);
  EXPECT_EQ(config_->GetMousePointerCfg()->GetName(), "mousepointercfg");
  EXPECT_EQ(config_->GetMousePointerCfg()->GetChildCount(), 0u);
  // The others loaded, each its own root.
  EXPECT_EQ(config_->GetDocument("themes"), config_->GetThemes());
  EXPECT_NE(config_->GetThemes()->GetChild("x"), nullptr);
  EXPECT_EQ(config_->GetDocument("no_such_document"), nullptr);
  EXPECT_EQ(config_->GetGameScreenChild("")->GetAttribute("cells"), "6");
  EXPECT_NE(config_->GetGameScreenChild("popup"), nullptr);
  EXPECT_EQ(config_->GetGameScreenChild("nothing"), nullptr);
}

TEST_F(GameConfigTest, PointerConfigIsTheRootOrItsChild) {
  struct Case {
    const char* doc;
    bool found;
  } cases[] = {
      {"<pointer_config><gvobject/></pointer_config>", true},
      {"<mousepointercfg><pointer_config><gvobject/></pointer_config></mousepointercfg>", true},
      {"<mousepointercfg><gvobject/></mousepointercfg>", false},
  };
  for (const Case& c : cases) {
    ScratchDir root;
    root.Write("cfg/config.xml", ConfigWith(""));
    root.Write("cfg/doc.xml", c.doc);
    UseRoot(root.Path());
    TXmlNode* pointer = OGameConfig::GetInstance()->GetPointerConfig();
    EXPECT_EQ(pointer && pointer->GetChild("gvobject"), c.found) << c.doc;
    Reset();
  }
}

TEST_F(GameConfigTest, WithoutAConfigurationEveryReaderStillFindsAnElement) {
  ScratchDir empty;
  UseRoot(empty.Path());
  size_t before = ReportCount();
  OGameConfig* config = OGameConfig::GetInstance();
  // One line, for the configuration itself.
  EXPECT_EQ(ReportCount() - before, 1u);
  for (int i = 0; i < OGameConfig::kDocumentCount; ++i) {
    TXmlNode* doc = config->GetDocument(OGameConfig::Document(i));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetName(), OGameConfig::GetDocumentName(OGameConfig::Document(i)));
  }
  EXPECT_EQ(config->GetGameScreenChild(""), nullptr);
  EXPECT_EQ(config->LoadWorld("worlds/none.xml"), "");
  EXPECT_TRUE(config->GetStateConditions().empty());
}

TEST_F(GameConfigTest, WorldsScenesAndStateConditions) {
  OGameConfig* config = OGameConfig::GetInstance();
  EXPECT_EQ(config->LoadWorld("worlds/forest.xml"), "path");
  // Two leading states with conditions; the third has none and ends the
  // list, so the fourth's are never read.
  const auto& conds = config->GetStateConditions();
  ASSERT_EQ(conds.size(), 2u);
  EXPECT_EQ(conds[0].at("door_open"), std::vector<str>{"true"});
  EXPECT_EQ(conds[0].at("lamp"), (std::vector<str>{"lit", "broken"}));
  EXPECT_EQ(conds[1].at("door_open"), std::vector<str>{"false"});

  // The first state has no conditions: an empty list.
  config->LoadScene("glade");
  EXPECT_TRUE(config->GetStateConditions().empty());
  EXPECT_NE(config->GetScene()->GetChild("states"), nullptr);

  // Listed by the world with a bad path, but the common entry wins.
  size_t before = ReportCount();
  config->LoadScene("cellar");
  EXPECT_NE(config->GetScene()->GetChild("common"), nullptr);
  EXPECT_EQ(ReportCount(), before);

  config->LoadScene("nowhere");
  EXPECT_EQ(config->GetScene()->GetChildCount(), 0u);
  EXPECT_GT(ReportCount(), before);

  EXPECT_EQ(config->LoadWorld("worlds/nodefault.xml"), "");
  EXPECT_EQ(config->GetScene()->GetChildCount(), 0u);
}
