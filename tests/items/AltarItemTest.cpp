// The altar: its chain of images and its activation sprite tick by tick,
// the stones in their order, completion and activation by the held item's
// current name, the staged show and its end, and the altar as a rebuilt
// scene finds it.

#include "ItemsTestUtil.h"
#include "game/GGameWnd.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "items/OAltarItem.h"
#include "items/OItemFactory.h"
#include "sdk/TReport.h"

namespace {
std::unique_ptr<TXmlNode> Xml(const char* text) {
  std::unique_ptr<TXmlNode> node(new TXmlNode());
  EXPECT_TRUE(node->ParseString(text));
  return node;
}

// A game window that only notes the magic effects it is asked for.
class EffectRecorder : public GGameWnd {
 public:
  void ShowMagicEffect(TXmlNode* node, std::vector<IHint*>* hints) override {
    shown.push_back(node ? node->GetName() : str("none"));
    delete hints;
  }
  std::vector<str> shown;
};

class AltarItemTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    ReadyPointer();
    for (const char* name : {"shrine_mask", "grotto_mask"}) {
      masks.push_back(new OItemMask(name, nullptr, "", &manager.masks));
      manager.masks.AddMask(masks.back());
    }
  }
  void TearDown() override {
    manager.Clear();
    GMousePointer::DestroyInstance();
    ItemsTest::TearDown();
  }
  OAltarItem* Make(const char* name) {
    IItem* item = OItemFactory::CreateForScene(name, &manager);
    EXPECT_NE(item, nullptr);
    manager.AddItem(item);
    item->CreateObject();
    return static_cast<OAltarItem*>(item);
  }
  void Hold(const char* name) {
    IItem* item = OItemFactory::CreateForPointer(name, &manager);
    ASSERT_NE(item, nullptr) << name;
    item->CreateObject();
    GMousePointer::GetInstance()->HoldItem(item);
  }
  static str Held() {
    IItem* held = GMousePointer::GetInstance()->GetHeldItem();
    return held ? held->GetName() : str();
  }
  static str Flag(const char* name) { return OFlagsRegistry::GetInstance()->GetValue(name); }
  static str StateOf(IItem* item) { return item->GetMainObject()->GetState().ToStr(); }
  static void AddToGameScreen() {
    OGameConfig::GetInstance()->GetGameScreen()->AdoptChild(Xml("<magic_effects><health/></magic_effects>"));
  }

  RecordingItemsManager manager;
  std::vector<OItemMask*> masks;
};

// Images: one waiting a tick, then fading over the chain's 2; one of no
// fade at all; one whose empty "alpha_ticks" takes the chain's.
TEST_F(AltarItemTest, TheChainFadesEachImageInAfterItsWaitThenFinishes) {
  auto node =
      Xml("<c alpha_ticks='2'><a before_start_delay='1'/><b alpha_ticks='0'/><d alpha_ticks=''/></c>");
  OAlphaImageSequence chain(node.get());
  struct Step {
    size_t index;
    int32_t state;
    float a, b, d;
  } steps[] = {
      {0, OAlphaImageSequence::kRunning, 0, 0, 0},    {0, OAlphaImageSequence::kRunning, 0.5f, 0, 0},
      {1, OAlphaImageSequence::kRunning, 1, 0, 0},    {2, OAlphaImageSequence::kRunning, 1, 1, 0},
      {2, OAlphaImageSequence::kRunning, 1, 1, 0.5f}, {2, OAlphaImageSequence::kFinished, 1, 1, 1},
      {2, OAlphaImageSequence::kFinished, 1, 1, 1},
  };
  const std::vector<OAlphaImageSequence::Image>& images = chain.GetImages();
  ASSERT_EQ(images.size(), 3u);
  int tick = 0;
  for (const Step& s : steps) {
    chain.Step();
    ++tick;
    EXPECT_EQ(chain.GetIndex(), s.index) << tick;
    EXPECT_EQ(chain.GetState(), s.state) << tick;
    EXPECT_FLOAT_EQ(images[0].sprite->GetAlpha(), s.a) << tick;
    EXPECT_FLOAT_EQ(images[1].sprite->GetAlpha(), s.b) << tick;
    EXPECT_FLOAT_EQ(images[2].sprite->GetAlpha(), s.d) << tick;
  }
  chain.Reset();
  EXPECT_EQ(chain.GetIndex(), 0u);
  EXPECT_FALSE(chain.IsFinished());
  EXPECT_FLOAT_EQ(images[2].sprite->GetAlpha(), 0);

  OAlphaImageSequence empty(nullptr);
  empty.Step();
  EXPECT_TRUE(empty.IsFinished()) << "an empty chain finishes at once";
}

TEST_F(AltarItemTest, TheActivationSpriteWaitsFadesInStaysAndFadesOut) {
  using E = OAltarActivationEffect;
  struct Case {
    const char* xml;
    std::vector<std::pair<int32_t, float>> steps;  // state and alpha after each tick
  } cases[] = {
      {"<e start_delay_ticks='1' alpha_ticks='2' stay_tics='1'/>",
       {{E::kWaiting, 0},
        {E::kFadingIn, 0},
        {E::kFadingIn, 0.5f},
        {E::kStaying, 1},
        {E::kStaying, 1},
        {E::kFadingOut, 1},
        {E::kFadingOut, 0.5f},
        {E::kDone, 0},
        {E::kDone, 0}}},
      // No delays and fades of no length: each stage ends on its first tick.
      {"<e/>", {{E::kFadingIn, 0}, {E::kStaying, 1}, {E::kFadingOut, 1}, {E::kDone, 0}}},
  };
  for (const Case& c : cases) {
    auto node = Xml(c.xml);
    E effect(node.get());
    EXPECT_EQ(effect.GetState(), E::kIdle);
    effect.Step();
    EXPECT_EQ(effect.GetState(), E::kIdle) << "idle until started";
    effect.Start();
    EXPECT_EQ(effect.GetState(), E::kWaiting);
    EXPECT_FLOAT_EQ(effect.GetAlpha(), 0);
    int tick = 0;
    for (const auto& step : c.steps) {
      effect.Step();
      ++tick;
      EXPECT_EQ(effect.GetState(), step.first) << c.xml << " tick " << tick;
      EXPECT_FLOAT_EQ(effect.GetAlpha(), step.second) << c.xml << " tick " << tick;
    }
  }
}

// Three parts: the first is refused while either other is missing; what
// lies past the list counts as present.
TEST_F(AltarItemTest, TheFirstStoneGoesInLastAndTheLastCompletesTheAltar) {
  OAltarItem* shrine = Make("shrine");
  OItemMask* mask = masks[0];
  EXPECT_FALSE(shrine->OnMaskClick(masks[1])) << "another mask";

  Hold("key");
  EXPECT_TRUE(shrine->OnMaskClick(mask));
  EXPECT_EQ(Flag("too_soon"), "true");
  EXPECT_EQ(Held(), "key") << "the first stone stays in the hand";
  EXPECT_FALSE(shrine->IsPartPresent(0));
  EXPECT_EQ(Flag("key_in"), "null");
  GMousePointer::PeekManager()->DeleteHeldItem();

  Hold("lamp");
  shrine->OnMaskClick(mask);
  EXPECT_EQ(StateOf(shrine), "half") << "the part's visual state";
  Hold("gem");
  shrine->OnMaskClick(mask);
  EXPECT_EQ(Flag("shrine_done"), "null");
  Hold("key");
  EXPECT_TRUE(shrine->OnMaskClick(mask));
  EXPECT_EQ(Held(), "");
  EXPECT_EQ(Flag("key_in"), "true") << "the part's own action";
  ASSERT_EQ(Flag("shrine_done"), "true");
  EXPECT_EQ(StateOf(shrine), "completed_anim");
  EXPECT_EQ(Registry("shrine"), "1,1,1");
  for (size_t i = 0; i < 3; ++i) EXPECT_FALSE(shrine->GetPartObject(i)->visible) << i;

  // Complete: an empty hand or another item does not set it off.
  EXPECT_TRUE(shrine->OnMaskClick(mask));
  EXPECT_EQ(Flag("not_set_off"), "true");
  EXPECT_FALSE(shrine->IsActivationStarted());
}

// The empty flask sets the shrine off by its current name, "flask_empty".
TEST_F(AltarItemTest, TheActivationRunsItsChainThenFinishes) {
  AddToGameScreen();
  EffectRecorder* game = new EffectRecorder();
  OFlagsRegistry::GetInstance()->SetValue("shrine_done", "true");
  OAltarItem* shrine = Make("shrine");
  EXPECT_EQ(StateOf(shrine), "completed");
  Hold("phial");
  EXPECT_TRUE(shrine->OnMaskClick(masks[0]));
  EXPECT_EQ(Held(), "phial") << "the activation item is not taken";
  EXPECT_EQ(Flag("shrine_active"), "true");
  EXPECT_EQ(StateOf(shrine), "activated_anim");
  EXPECT_TRUE(shrine->IsActivationStarted());
  EXPECT_EQ(game->shown, std::vector<str>{"health"});
  shrine->Update();
  EXPECT_EQ(Flag("shrine_lit"), "null");
  shrine->Update();
  EXPECT_EQ(Flag("shrine_lit"), "true") << "on the tick the last light has risen";
  EXPECT_TRUE(shrine->IsActivationFinished());
  // Once set off, a click does nothing.
  OFlagsRegistry::GetInstance()->SetValue("shrine_lit", "again");
  EXPECT_TRUE(shrine->OnMaskClick(masks[0]));
  shrine->Update();
  EXPECT_EQ(Flag("shrine_lit"), "again");
  delete game;
}

TEST_F(AltarItemTest, ARebuiltSceneFindsTheAltarAsItsVariablesSay) {
  OItemsRegistry::GetInstance()->SetStates("shrine", {1, 0, 1});
  OAltarItem* shrine = Make("shrine");
  EXPECT_EQ(StateOf(shrine), "normal");
  EXPECT_TRUE(shrine->IsPartPresent(0) && !shrine->IsPartPresent(1) && shrine->IsPartPresent(2));
  manager.RemoveItem(shrine);
  delete shrine;

  OFlagsRegistry::GetInstance()->SetValue("shrine_done", "true");
  OFlagsRegistry::GetInstance()->SetValue("shrine_active", "true");
  shrine = Make("shrine");
  EXPECT_EQ(StateOf(shrine), "hole");
  EXPECT_EQ(Flag("hole_seen"), "true") << "entering a state runs its actions";
  EXPECT_FALSE(shrine->IsPartPresent(0)) << "no stones are shown";
  EXPECT_TRUE(shrine->IsActivationFinished());
  EXPECT_TRUE(shrine->GetImageChain()->IsFinished());
  EXPECT_FLOAT_EQ(shrine->GetImageChain()->GetImages().back().sprite->GetAlpha(), 1);
  shrine->Update();
  EXPECT_EQ(Flag("shrine_lit"), "null") << "the activation does not run again";
}

// The grotto has no chain and no actions; only its visual entering "hole"
// finishes its activation.
TEST_F(AltarItemTest, WithAnActivationStateOnlyThatStateFinishesIt) {
  OFlagsRegistry::GetInstance()->SetValue("grotto_done", "true");
  OAltarItem* grotto = Make("grotto");
  EXPECT_TRUE(grotto->OnMaskClick(masks[1])) << "without its action an empty hand runs nothing";
  EXPECT_FALSE(grotto->IsActivationStarted());
  Hold("key");
  size_t reports = ReportCount();
  EXPECT_TRUE(grotto->OnMaskClick(masks[1]));
  EXPECT_EQ(ReportCount(), reports) << "no game window: no magic effect";
  for (int i = 0; i < 5; ++i) grotto->Update();
  EXPECT_FALSE(grotto->IsActivationFinished()) << "its empty chain is over, but that does not count";
  grotto->GetObject()->SetState(TState::FromCStr("hole"), true);
  EXPECT_TRUE(grotto->IsActivationFinished());
}
}  // namespace
