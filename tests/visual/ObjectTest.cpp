#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "VisualTestUtil.h"
#include "visual/GVFrame.h"
#include "visual/GVHitTester.h"
#include "visual/GVObject.h"
#include "visual/GVState.h"

namespace {

struct Event {
  char kind;  // 'c' change, 'e' end
  str state;
  uint32_t at;
};

class Recorder : public GVListener {
 public:
  void OnStateChange(GVObject*, TState, TState& requested) override {
    events.push_back({'c', requested.ToStr(), TPlatform::GetInstance()->Timer()});
    if (!rewriteTo.empty()) requested = TState::FromStr(rewriteTo);
  }
  void OnStateEnd(GVObject*, TState state) override {
    events.push_back({'e', state.ToStr(), TPlatform::GetInstance()->Timer()});
  }
  std::vector<Event> events;
  str rewriteTo;
};

class VisualObject : public VisualFactoryTest {};

}  // namespace

TEST_F(VisualObject, LoadsStatesAndStartsNormal) {
  auto o = Make("strip");
  ASSERT_TRUE(o);
  EXPECT_EQ(kStateNormal, o->GetState());
  EXPECT_TRUE(list.Contains(o.get()));
  ASSERT_NE(nullptr, o->GetCurrentFrame());
  EXPECT_EQ(0, o->GetCurrentFrame()->number);
  EXPECT_EQ("default", o->GetHitTester()->GetName());

  auto bad = ParseXml("<main id='x'><images><img name='strip.png'/></images></main>");
  GVObject empty;
  EXPECT_FALSE(empty.Load(bad.get(), nullptr));  // neither frames nor children
}

TEST_F(VisualObject, RunReachesNextStateAfterFourFrames) {
  auto o = Make("strip");
  Recorder rec;
  o->listener = &rec;
  uint32_t start = TPlatform::GetInstance()->Timer();
  EXPECT_EQ(400, o->SetState(TState::FromStr("run"), true));
  ASSERT_TRUE(o->HasTask());
  Advance(384);
  EXPECT_EQ(TState::FromStr("run"), o->GetState());
  EXPECT_EQ(3, o->GetFramePosition());
  Advance(16);
  EXPECT_EQ(TState::FromStr("done"), o->GetState());
  ASSERT_EQ(3u, rec.events.size());
  EXPECT_EQ('c', rec.events[0].kind);
  EXPECT_EQ('e', rec.events[1].kind);
  EXPECT_EQ("run", rec.events[1].state);
  EXPECT_EQ(400u, rec.events[1].at - start);
  EXPECT_EQ('c', rec.events[2].kind);
  EXPECT_EQ("done", rec.events[2].state);
}

TEST_F(VisualObject, UnknownStatesFallBackToAnyAndListenerMayRefuse) {
  auto o = Make("strip");
  EXPECT_EQ(0, o->SetState(TState::FromStr("nosuch"), true));
  EXPECT_EQ(kStateNormal, o->GetState());  // no "any" here: nothing changes

  auto withAny = ParseXml(
      "<main><images><img name='strip.png'/></images><framelist><frame w='10' h='10'/></framelist>"
      "<states><state id='any'/></states></main>");
  std::unique_ptr<GVObject> a(GVFactory::GetInstance()->CreateObject(withAny.get(), ""));
  ASSERT_TRUE(a);
  EXPECT_EQ(0, a->SetState(TState::FromStr("nosuch"), true));
  EXPECT_EQ(kStateAny, a->GetState());

  Recorder rec;
  rec.rewriteTo = "nosuch";
  o->listener = &rec;
  EXPECT_EQ(0, o->SetState(TState::FromStr("run"), true));
  EXPECT_EQ(kStateNormal, o->GetState());
}

TEST_F(VisualObject, QueuedStateEntersWhenRunEnds) {
  auto o = Make("pair");
  EXPECT_FALSE(o->HasTask());  // one entry, no listener: loops silently
  o->SetState(TState::FromStr("b"), false);
  EXPECT_EQ(kStateNormal, o->GetState());
  ASSERT_TRUE(o->HasTask());
  Advance(112);
  EXPECT_EQ(TState::FromStr("b"), o->GetState());
  // Entering at once replaced the queued name with the state's own next (none).
  EXPECT_TRUE(o->GetStates()->queued.IsEmpty());
}

TEST_F(VisualObject, ListenerMayDeleteObjectWhenRunEnds) {
  class Deleter : public GVListener {
   public:
    void OnStateEnd(GVObject* o, TState) override {
      delete o;
      ++ends;
    }
    int ends = 0;
  } deleter;
  GVObject* o = GVFactory::GetInstance()->CreateObject(nullptr, "strip");
  o->listener = &deleter;
  o->SetState(TState::FromStr("run"), true);
  Advance(480);
  EXPECT_EQ(1, deleter.ends);
  EXPECT_EQ(0u, list.Size());
}

TEST_F(VisualObject, ParentChangesReachChildrenByLink) {
  auto o = Make("family");
  ASSERT_TRUE(o);
  GVObject* a = o->GetChild("a");
  GVObject* b = o->GetChild("b");
  GVObject* c = o->GetChild("c");
  GVObject* d = o->GetChild("d");
  ASSERT_TRUE(a && b && c && d);
  list.Draw();
  float ax = a->GetEffective().deltaX, bx = b->GetEffective().deltaX;
  float cx = c->GetEffective().deltaX, dx = d->GetEffective().deltaX;
  o->deltaX += 10;
  o->changed = 1;
  list.Draw();
  EXPECT_EQ(ax, a->GetEffective().deltaX);
  EXPECT_EQ(bx + 10, b->GetEffective().deltaX);
  EXPECT_EQ(cx + 10, c->GetEffective().deltaX);
  EXPECT_EQ(dx + 10, d->GetEffective().deltaX);
}

TEST_F(VisualObject, ALinkThreeObjectPassesItsParentsMovesOnToItsChildren) {
  // root > "mid" (link 3, deltaX 9) > "leaf" (deltaX 4, each link in turn);
  // the root then moves by 10.
  const struct {
    int leafLink;
    float before, after;
  } cases[] = {{0, 4, 4}, {1, 4, 14}, {2, 13, 23}, {3, 13, 23}};
  for (const auto& c : cases) {
    const str frame = "<framelist centering='left'><frame w='20' h='20'/></framelist>";
    std::unique_ptr<GVObject> root =
        MakeFrom(str::format("<main><images><img name='block.png'/></images>%s<objects>"
                             "<obj id='mid' link='3' deltaX='9'>%s<objects>"
                             "<obj id='leaf' link='%d' deltaX='4'>%s</obj></objects></obj></objects></main>",
                             frame.c_str(), frame.c_str(), c.leafLink, frame.c_str()));
    ASSERT_TRUE(root);
    GVObject* mid = root->GetChild("mid");
    GVObject* leaf = mid ? mid->GetChild("leaf") : nullptr;
    ASSERT_TRUE(leaf);
    list.Draw();
    EXPECT_EQ(c.before, leaf->GetEffective().deltaX) << "leaf link " << c.leafLink;
    root->deltaX += 10;
    root->changed = 1;
    list.Draw();
    EXPECT_EQ(19, mid->GetEffective().deltaX) << "leaf link " << c.leafLink;
    EXPECT_EQ(c.after, leaf->GetEffective().deltaX) << "leaf link " << c.leafLink;
  }
}

TEST_F(VisualObject, ParentFlipAndFadeAreNotStickyInChildren) {
  auto o = Make("family");
  GVObject* c = o->GetChild("c");
  list.Draw();
  o->flags = GVData::kFlipH;
  o->changed = 1;
  list.Draw();
  EXPECT_EQ(GVData::kFlipH, c->GetEffective().flags & GVData::kFlipH);
  o->deltaX = 3;  // another change while flipped keeps the flip as it is
  o->changed = 1;
  list.Draw();
  EXPECT_EQ(GVData::kFlipH, c->GetEffective().flags & GVData::kFlipH);

  for (float alpha : {0.f, 1.f}) {
    o->alpha = alpha;
    o->changed = 1;
    list.Draw();
  }
  EXPECT_EQ(1.f, c->GetEffective().alpha);
  o->scaling = 0;
  o->changed = 1;
  list.Draw();
  o->scaling = 1;
  o->changed = 1;
  list.Draw();
  EXPECT_EQ(1.f, c->GetEffective().scaling);
  EXPECT_EQ(1.f, c->scaling);  // the child's own values are never rewritten
}

TEST_F(VisualObject, FindObjectAtSearchesSelfThenChildren) {
  auto o = Make("nested");
  ASSERT_TRUE(o);
  list.Draw();
  GVObject* b = o->GetChild("b");
  GVObject* inner = b->GetChild("inner");
  ASSERT_TRUE(inner);
  // The root covers (0..10, 0..10); "inner" sits at x 2..12, y 3..13.
  EXPECT_EQ(o.get(), o->FindObjectAt(-1, TPoint(5, 5)));
  EXPECT_EQ(inner, o->FindObjectAt(-1, TPoint(11, 12)));
  EXPECT_EQ(nullptr, o->FindObjectAt(0, TPoint(11, 12)));
  EXPECT_EQ(nullptr, o->FindObjectAt(1, TPoint(11, 12)));
}

TEST_F(VisualObject, AlphaHitTestFollowsRowsAndColumns) {
  auto o = Make("ring");
  ASSERT_TRUE(o);
  list.Draw();
  ASSERT_EQ("alpha", o->GetHitTester()->GetName());
  struct Case {
    int x, y;
    bool hit;
  } cases[] = {
      {0, 10, false}, {2, 10, true},   {10, 10, true},  // the hole: its row and column both reach past it
      {17, 10, true}, {18, 10, false}, {10, 2, true},  {10, 0, false}, {25, 10, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.hit, o->HitTestSelf(TPoint(c.x, c.y))) << c.x << "," << c.y;
}

TEST_F(VisualObject, AlphaThresholdAndTexturesOutOfReach) {
  auto e = ParseXml(
      "<main hit_test='alpha'><images><img name='alpha.png'/></images><framelist centering='left'>"
      "<frame x='0' y='0' w='1' h='1'/><frame x='1' y='0' w='1' h='1'/><frame x='0' y='0' w='6' h='3'/>"
      "<frame x='0' y='0' w='1' h='1' img='4'/></framelist></main>");
  std::unique_ptr<GVObject> o(GVFactory::GetInstance()->CreateObject(e.get(), ""));
  ASSERT_TRUE(o);
  auto* t = dynamic_cast<GVAlphaHitTester*>(o->GetHitTester().get());
  ASSERT_TRUE(t);
  GVFrames* f = o->GetFrames().get();
  EXPECT_FALSE(t->HitTest(0, 0, f->Get(0)));  // alpha 80
  EXPECT_TRUE(t->HitTest(0, 0, f->Get(1)));   // alpha 81
  // A rectangle reaching past the 2x1 texture reads nothing beyond it.
  EXPECT_TRUE(t->HitTest(1, 0, f->Get(2)));
  EXPECT_FALSE(t->HitTest(4, 0, f->Get(2)));
  EXPECT_FALSE(t->HitTest(1, 2, f->Get(2)));
  EXPECT_FALSE(t->HitTest(0, 0, f->Get(3)));  // no such texture
}

TEST_F(VisualObject, CopySharesFramesAndEntersCurrentState) {
  auto o = Make("strip");
  o->SetState(TState::FromStr("done"), true);
  GVObject copy;
  ASSERT_EQ(&copy, o->CopyTo(&copy));
  EXPECT_EQ(o->GetFrames(), copy.GetFrames());
  EXPECT_EQ(TState::FromStr("done"), copy.GetState());
  TXmlNode out("main");
  out.CreateChild("states");
  out.CreateChild("images");
  ASSERT_TRUE(o->Save(&out));
  EXPECT_EQ(nullptr, out.GetChild("states"));
  EXPECT_NE(nullptr, out.GetChild("images"));
  EXPECT_EQ("strip", out.GetAttribute("id"));
}

TEST_F(VisualObject, APlacedCopyOwnsCopiesOfTheChildrenAndLeavesTheOriginalsAlone) {
  auto original = Make("nested");
  auto exporter = Make("exporter");
  ASSERT_TRUE(original && exporter);
  for (GVObject* o : {original.get(), exporter.get()}) {
    SCOPED_TRACE(o->GetId().c_str());
    std::unique_ptr<GVObject> copy(new GVObject);
    ASSERT_EQ(copy.get(), o->CopyTo(copy.get()));
    copy->Attach(&list, nullptr, true);
    GVObject* child = o->GetChildren()->Get(0);
    GVObject* copied = copy->GetChildren()->Get(0);
    EXPECT_NE(child, copied);
    EXPECT_EQ(o, child->GetParentObject());
    EXPECT_EQ(copy.get(), copied->GetParentObject());
    EXPECT_TRUE(list.Contains(copied));
    TXmlNode out("obj");
    EXPECT_EQ(o->GetChildren()->SaveChild(&out, child), copy->GetChildren()->SaveChild(&out, copied));

    // Moving the copy moves only its own children.
    list.Draw();
    const float x = child->GetEffective().deltaX;
    copy->deltaX += 50;
    copy->changed = 1;
    list.Draw();
    EXPECT_EQ(x, child->GetEffective().deltaX);
    EXPECT_EQ(x + 50, copied->GetEffective().deltaX);
    // Deleting the copy frees only what it owns (the sanitizer build checks).
    copy.reset();
    EXPECT_FALSE(list.Contains(copied));
    EXPECT_TRUE(list.Contains(child));
  }
  GVObject* inner = original->GetChild("b")->GetChild("inner");
  ASSERT_TRUE(inner);
  EXPECT_EQ(original->GetChild("b"), inner->GetParentObject());
}

TEST_F(VisualObject, EmptyRunsAndFramesPastTheListAreSafe) {
  auto o = Make("strip");
  Recorder rec;
  o->listener = &rec;
  GVState* done = o->GetStates()->Find(TState::FromStr("done"));
  done->frames = {99};  // names no frame: the last one is shown
  o->SetState(TState::FromStr("done"), true);
  ASSERT_NE(nullptr, o->GetCurrentFrame());
  EXPECT_EQ(3, o->GetCurrentFrame()->number);

  // A ring of states without entries ends within bounds and keeps running.
  GVState* run = o->GetStates()->Find(TState::FromStr("run"));
  run->frames.clear();
  done->frames.clear();
  done->next = TState::FromStr("run");
  o->SetState(TState::FromStr("run"), true);
  Advance(200);
  EXPECT_LT(rec.events.size(), 200u);
}

TEST_F(VisualObject, ScaledObjectsAreHitWhereTheyAreDrawn) {
  auto e = ParseXml(
      "<main deltaX='100' deltaY='100' scaling='2'><images><img name='strip.png'/></images>"
      "<framelist centering='left'><frame w='10' h='10'/></framelist></main>");
  std::unique_ptr<GVObject> o(GVFactory::GetInstance()->CreateObject(e.get(), ""));
  ASSERT_TRUE(o);
  list.Draw();
  GVRectF r = o->GetFrameRect();
  EXPECT_EQ(120.f, r.right);
  EXPECT_TRUE(o->HitTestSelf(TPoint(119, 119)));
  EXPECT_FALSE(o->HitTestSelf(TPoint(125, 105)));  // beyond the drawn 20 pixels
}
