#include <gtest/gtest.h>

#include "CoreTestUtil.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {

// Structural equality, content and attribute order included.
void ExpectSameTree(const TXmlNode& a, const TXmlNode& b) {
  EXPECT_EQ(a.GetName(), b.GetName());
  EXPECT_EQ(a.GetContent(), b.GetContent()) << "in <" << a.GetName() << ">";
  ASSERT_EQ(a.GetAttributeCount(), b.GetAttributeCount());
  TXmlNode& ma = const_cast<TXmlNode&>(a);
  TXmlNode& mb = const_cast<TXmlNode&>(b);
  ma.ResetAttributes();
  mb.ResetAttributes();
  str na, va, nb, vb;
  while (ma.GetNextAttribute(&na, &va)) {
    ASSERT_TRUE(mb.GetNextAttribute(&nb, &vb));
    EXPECT_EQ(na, nb);
    EXPECT_EQ(va, vb);
  }
  ASSERT_EQ(a.GetChildCount(), b.GetChildCount());
  for (size_t i = 0; i < a.GetChildCount(); ++i) ExpectSameTree(*a.GetChildAt(i), *b.GetChildAt(i));
}
}  // namespace

TEST(XmlParse, FailureIsReportedAndLeavesTheNodeEmpty) {
  const char* bad[] = {"", "   ", "<a>", "<a></b>", "just text", "<a x=1/>", "<a/><b/>", "<a>t</a>trailing"};
  for (const char* text : bad) {
    TXmlNode node("old");
    node.SetAttribute("k", "v");
    node.CreateChild("c");
    const size_t before = ReportCount();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(node.ParseString(text, "cfg/broken.xml")) << '"' << text << '"';
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(ReportCount(), before + 1) << '"' << text << '"';
    EXPECT_EQ(err.rfind("tolvane: cfg/broken.xml: ", 0), 0u) << err;
    EXPECT_EQ(node.GetName(), "");
    EXPECT_EQ(node.GetChildCount(), 0u);
    EXPECT_EQ(node.GetAttributeCount(), 0u);
  }
}

TEST(XmlParse, NestingIsBounded) {
  auto nested = [](int depth) {
    str text;
    for (int i = 0; i < depth; ++i) text += "<a>";
    for (int i = 0; i < depth; ++i) text += "</a>";
    return text;
  };
  TXmlNode node;
  EXPECT_TRUE(node.ParseString(nested(200)));
  const size_t before = ReportCount();
  EXPECT_FALSE(node.ParseString(nested(100000), "save"));  // would overflow the stack
  EXPECT_EQ(ReportCount(), before + 1);
  EXPECT_EQ(node.GetChildCount(), 0u);
}

TEST(XmlParse, MissingFileIsReportedByName) {
  TXmlNode node;
  const size_t before = ReportCount();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(node.ParseFile("/nonexistent/dir/items.xml"));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(ReportCount(), before + 1);
  EXPECT_NE(err.find("/nonexistent/dir/items.xml"), std::string::npos) << err;
}

TEST(XmlParse, ChildrenAndAttributesInDocumentOrder) {
  TXmlNode root;
  ASSERT_TRUE(root.ParseString(
      "<?xml version='1.0'?><!-- c --><world z='1' a='2' m='3'>\n"
      "  <scene name='b'/>\n  <item>lamp</item>\n  <scene name='a'><![CDATA[<raw>]]></scene>\n</world>"));
  EXPECT_EQ(root.GetName(), "world");
  EXPECT_EQ(root.GetContent(), "");  // layout between children is not content
  str name, value, order;
  root.ResetAttributes();
  while (root.GetNextAttribute(&name, &value)) order += name + value;
  EXPECT_EQ(order, "z1a2m3");

  TXmlNode* child = nullptr;
  order.clear();
  root.ResetChildren();
  while (root.GetNextChild(&name, &child)) order += name + "(" + child->GetAttribute("name") + ")";
  EXPECT_EQ(order, "scene(b)item()scene(a)");
  EXPECT_EQ(root.GetChild("scene")->GetAttribute("name"), "b");
  EXPECT_EQ(root.GetChildContent("item"), "lamp");
  EXPECT_EQ(root.GetChildAt(2)->GetContent(), "<raw>");
  EXPECT_EQ(root.GetChild("none"), nullptr);
  EXPECT_EQ(root.GetChildContent("none"), "");

  bool found = true;
  EXPECT_EQ(root.GetAttribute("missing", &found), "");
  EXPECT_FALSE(found);
  EXPECT_FALSE(root.HasAttribute("missing"));
  EXPECT_TRUE(root.HasAttribute("a"));
}

TEST(XmlTree, RemovingBehindTheCursorSkipsNothing) {
  TXmlNode root("r");
  TXmlNode* a = root.CreateChild("a");
  root.CreateChild("b");
  root.CreateChild("c");
  str name, seen;
  TXmlNode* child;
  root.ResetChildren();
  ASSERT_TRUE(root.GetNextChild(&name, &child));
  ASSERT_TRUE(root.GetNextChild(&name, &child));
  EXPECT_TRUE(root.RemoveChild(a));
  while (root.GetNextChild(&name, &child)) seen += name;
  EXPECT_EQ(seen, "c");
  EXPECT_FALSE(root.RemoveChild(a = new TXmlNode("x")));  // not a child
  delete a;

  std::unique_ptr<TXmlNode> copy = root.Clone();
  root.GetChildAt(0)->SetAttribute("k", "changed");
  EXPECT_EQ(copy->GetChildAt(0)->GetAttribute("k"), "");
  EXPECT_EQ(copy->GetChildCount(), 2u);
  EXPECT_EQ(copy->GetChildAt(1)->GetParent(), copy.get());
}

TEST(XmlWrite, ValuesRoundTripExactly) {
  const char* texts[] = {
      "plain",
      "  leading and trailing  ",
      "   ",
      "a & b < c > d \"q\" 'a'",
      "line1\nline2\r\nline3\rend",
      "tab\there ]]> end",
      "<save_data><save slot=\"1\">x &amp; y</save></save_data>",
      "ctrl\x01\x1f end",
      "caf\xc3\xa9",
  };
  for (const char* text : texts) {
    TXmlNode root("save_data");
    root.SetAttribute("note", text);
    TXmlNode* leaf = root.CreateChild("save");
    leaf->SetContent(text);
    leaf->SetAttribute("slot", "1");
    root.CreateChild("empty");
    TXmlNode* mixed = root.CreateChild("mixed");
    mixed->SetContent(text);
    mixed->CreateChild("inner")->CreateChild("deep")->SetContent("d");

    TXmlNode back;
    ASSERT_TRUE(back.ParseString(root.AsString(true))) << root.AsString();
    ExpectSameTree(root, back);
    EXPECT_TRUE(root.RoundTrips()) << text;
  }
  // Blanks read from a CDATA section beside a child are text, not layout.
  TXmlNode read;
  ASSERT_TRUE(read.ParseString("<a><![CDATA[ \t ]]><b/></a>"));
  EXPECT_EQ(read.GetContent(), " \t ");
  TXmlNode back;
  ASSERT_TRUE(back.ParseString(read.AsString()));
  ExpectSameTree(read, back);
}

TEST(XmlWrite, UnwritableNamesAreLeftOutSoTheDocumentStaysReadable) {
  TXmlNode root("root");
  root.CreateChild("good")->SetContent("kept");
  root.CreateChild("9bad");
  root.CreateChild("has space");
  root.SetAttribute("ok", "1");
  root.SetAttribute("no=", "2");
  const size_t before = ReportCount();
  const str text = root.AsString();
  EXPECT_EQ(ReportCount(), before + 3);
  TXmlNode back;
  ASSERT_TRUE(back.ParseString(text)) << text;
  EXPECT_EQ(back.GetChildCount(), 1u);
  EXPECT_EQ(back.GetChildContent("good"), "kept");
  EXPECT_EQ(back.GetAttributeCount(), 1u);
  EXPECT_FALSE(root.RoundTrips());
  EXPECT_TRUE(back.RoundTrips());
}

TEST(XmlWrite, SaveFileReplacesAtomically) {
  CoreTempDir dir;
  const str path = dir.File("doc.xml");
  TXmlNode a("doc");
  a.SetAttribute("v", "1");
  ASSERT_TRUE(a.SaveFile(path));
  a.SetAttribute("v", "2");
  ASSERT_TRUE(a.SaveFile(path));
  EXPECT_FALSE(Exists(path + ".tmp"));
  TXmlNode back;
  ASSERT_TRUE(back.ParseFile(path));
  EXPECT_EQ(back.GetAttribute("v"), "2");
  EXPECT_EQ(ReadAll(path).rfind("<?xml", 0), 0u);

  const size_t before = ReportCount();
  EXPECT_FALSE(a.SaveFile(dir.File("no/such/folder/doc.xml")));
  EXPECT_EQ(ReportCount(), before + 1);
}

TEST(XmlNames, IsValidName) {
  const struct {
    const char* name;
    bool valid;
  } cases[] = {
      {"item", true}, {"_x", true},   {"a-b.c_9", true}, {"Save2", true}, {"xmlThing", true},
      {"", false},    {"9a", false},  {"-a", false},     {".a", false},   {"a b", false},
      {"a<b", false}, {"a&b", false}, {"a=", false},     {"a/b", false},  {"a\"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(TXmlNode::IsValidName(c.name), c.valid) << '"' << c.name << '"';
}
