#include <algorithm>
#include <functional>

#include "ItemsTestUtil.h"
#include "rules/hints/IHint.h"
#include "rules/hints/OHintsManager.h"

namespace {
typedef ItemsTest ItemsManagerTest;

std::vector<str> Names(const OItemsManager& m) {
  std::vector<str> names;
  for (IItem* item : m.GetItems()) names.push_back(item->GetName());
  return names;
}

TEST_F(ItemsManagerTest, InsertInSceneOrderGoesBeforeTheFirstItemOfGreaterRank) {
  struct Case {
    std::vector<str> list;
    str inserted;
    std::vector<str> expected;
  } cases[] = {
      // Order P, Q, R; X and Y are not listed (rank 0) and do not stop the walk.
      {{"R", "X", "P"}, "Q", {"Q", "R", "X", "P"}},
      {{"R", "X", "P"}, "P", {"P", "R", "X", "P"}},
      {{"R", "X", "P"}, "Y", {"Y", "R", "X", "P"}},
      {{"P", "X", "R"}, "Q", {"P", "X", "Q", "R"}},
      // Equal ranks keep the items already there in front.
      {{"P", "Q"}, "Q", {"P", "Q", "Q"}},
      // Nothing of greater rank: at the end.
      {{"X", "Q", "P"}, "R", {"X", "Q", "P", "R"}},
      {{}, "Q", {"Q"}},
  };
  for (const Case& c : cases) {
    RecordingItemsManager m;
    m.order = {"P", "Q", "R"};
    for (const str& name : c.list) m.AddItem(new ProbeItem(name, &m));
    m.InsertInSceneOrder(new ProbeItem(c.inserted, &m));
    EXPECT_EQ(Names(m), c.expected) << "inserting " << c.inserted;
  }
}

TEST_F(ItemsManagerTest, WithoutAnOrderEverythingGoesToTheEnd) {
  OItemsManager m(nullptr);
  m.AddItem(new ProbeItem("a", &m));
  m.InsertInSceneOrder(new ProbeItem("b", &m));
  EXPECT_EQ(Names(m), (std::vector<str>{"a", "b"}));
}

TEST_F(ItemsManagerTest, ClearKeepsOnlyExactParticleItemsAndDetachesAll) {
  ProbeItem::deleted = 0;
  OItemsManager m(nullptr);
  auto* simple = new ProbeItem("simple", &m, ItemTypeId::OSimpleItem);
  auto* particle = new ProbeItem("spark", &m, ItemTypeId::OParticleItem);
  auto* container = new ProbeItem("chest", &m, ItemTypeId::OContainerItem);
  auto* particle2 = new ProbeItem("smoke", &m, ItemTypeId::OParticleItem);
  for (ProbeItem* item : {simple, particle, container, particle2}) m.AddItem(item);
  m.Clear();
  EXPECT_EQ(Names(m), (std::vector<str>{"spark", "smoke"}));
  EXPECT_EQ(ProbeItem::deleted, 2);
  EXPECT_EQ(particle->detached, 1);
  EXPECT_EQ(particle2->detached, 1);
}

TEST_F(ItemsManagerTest, RemoveDetachesWithoutDeletingAndIgnoresStrangers) {
  ProbeItem stranger("x", nullptr);
  ProbeItem::deleted = 0;
  {
    OItemsManager m(nullptr);
    auto* a = new ProbeItem("a", &m);
    auto* b = new ProbeItem("b", &m);
    auto* c = new ProbeItem("c", &m);
    m.AddItem(a);
    m.AddItem(b);
    m.AddItem(c);
    m.RemoveItem(&stranger);
    EXPECT_EQ(stranger.detached, 0);
    m.RemoveItem(b);
    EXPECT_EQ(b->detached, 1);
    EXPECT_EQ(b->GetItemsManager(), &m);
    EXPECT_EQ(Names(m), (std::vector<str>{"a", "c"}));
    EXPECT_EQ(ProbeItem::deleted, 0);
    m.AddItem(new ProbeItem("a", &m));
    EXPECT_EQ(m.FindItem("a"), a);  // the first of that name
    EXPECT_EQ(m.FindItem("b"), nullptr);
    delete b;
    EXPECT_EQ(ProbeItem::deleted, 1);
  }
  EXPECT_EQ(ProbeItem::deleted, 4);  // the manager deleted the other three
}

// Writes every call it gets into one journal that the items of a test share.
class JournalItem : public ProbeItem {
 public:
  JournalItem(const str& name, IItemsManager* owner, bool inScene, std::vector<str>* journal)
      : ProbeItem(name, owner, ItemTypeId::OItem, inScene), mJournal(journal) {}
  void CreateObject() override { Note("create"); }
  void Draw() override { Note("draw"); }
  void Update() override { Note("update"); }
  void SaveState() override { Note("save"); }
  void OnSceneStart() override { Note("start"); }
  void ReleaseMask() override { Note("release"); }
  void ReleaseSceneLinks() override { Note("links"); }

 private:
  void Note(const char* what) { mJournal->push_back(str(what) + " " + GetName()); }
  std::vector<str>* mJournal;
};

TEST_F(ItemsManagerTest, DrawsOnlyItemsInTheSceneAndBroadcastsInOrder) {
  std::vector<str> journal;
  OItemsManager m(nullptr);
  // Added out of alphabetical order, so the list's order is the only one.
  m.AddItem(new JournalItem("c", &m, true, &journal));
  m.AddItem(new JournalItem("held", &m, false, &journal));
  m.AddItem(new JournalItem("a", &m, true, &journal));
  const struct {
    const char* name;
    std::function<void()> call;
    std::vector<str> expected;
  } cases[] = {
      {"DrawItems", [&] { m.DrawItems(); }, {"draw c", "draw a"}},
      {"CreateObjects", [&] { m.CreateObjects(); }, {"create c", "create held", "create a"}},
      {"Update", [&] { m.Update(); }, {"update c", "update held", "update a"}},
      {"SaveItems", [&] { m.SaveItems(); }, {"save c", "save held", "save a"}},
      {"OnSceneStart", [&] { m.OnSceneStart(); }, {"start c", "start held", "start a"}},
      {"ReleaseMasks", [&] { m.ReleaseMasks(); }, {"release c", "release held", "release a"}},
      {"ReleaseSceneLinks", [&] { m.ReleaseSceneLinks(); }, {"links c", "links held", "links a"}},
  };
  for (const auto& c : cases) {
    journal.clear();
    c.call();
    EXPECT_EQ(journal, c.expected) << c.name;
  }
}

TEST_F(ItemsManagerTest, TheHealthCuresEvenWithoutAnEffectAndSaysSoAtOnce) {
  // No scene, so no panel and no game window to play the effect in: the
  // cure still happens, and its hint goes straight to the queue.
  ITimerController* poison = OTimersManager::GetInstance()->GetController("poison");
  poison->StartWithTime(10);
  OItemsManager m(nullptr);
  m.ShowHealthEffect();
  EXPECT_EQ(poison->GetState(), ITimerController::kStopped);
  ASSERT_EQ(OHintsManager::GetInstance()->GetQueue().size(), 1u);
  EXPECT_TRUE(OHintsManager::GetInstance()->GetQueue()[0]->IsDeleteAfterShowing());
  OHintsManager::DestroyInstance();
}

TEST_F(ItemsManagerTest, SceneServicesWithoutASceneDoNothing) {
  OItemsManager m(nullptr);
  TXmlNode node("scene_get");
  EXPECT_FALSE(m.AddParticleEffect(&node, 1, 2, false));
  EXPECT_FALSE(m.AddParticleEffect(nullptr, 1, 2, true));
  EXPECT_EQ(m.GetMasksManager(), nullptr);
  EXPECT_FALSE(m.IsItemAvailable("lamp"));
  m.ShowFrontItem(nullptr);
  m.ClearFrontItem();
  m.ShowHealthEffect();
  m.DeactivateParticles();
}
}  // namespace
