#pragma once
// The altar: a composition whose stones go in one by one, the first only
// after the others, and which, once complete, an activation item sets off.
// The activation plays a staged show: actions, particle lists, a magic
// effect over the scene, the altar's own animation, a sprite that fades in,
// stays and fades out, and a chain of images that cross-fade one after
// another; when the chain has run (or the altar's visual reaches a named
// state) the activation finishes. Completion and activation are game
// variables, so they survive saving and scene changes.

#include <memory>
#include <utility>
#include <vector>

#include "items/OCompositionItem.h"
#include "sdk/TSprite.h"

// Images that cross-fade one after another, each over the one before: an
// image waits its "before_start_delay" ticks, then fades in over its
// "alpha_ticks".
class OAlphaImageSequence {
 public:
  enum { kRunning = 0, kFinished = 1 };
  struct Image {
    TSpriteRef sprite;
    int32_t beforeStartDelay = 0;
    int32_t alphaTicks = 0;
  };

  // The element's children, one image each; an image without its own
  // "alpha_ticks" takes the element's. Null gives an empty chain.
  explicit OAlphaImageSequence(TXmlNode* node);

  // One tick. An empty chain finishes at once; a fade of 0 ticks ends at
  // once.
  void Step();
  // The first image current, every image hidden, running.
  void Reset();
  // The last image shown whole.
  void SetFinished();
  // The image before the current one (while running), then the current.
  void Draw();

  int32_t GetState() const { return mState; }
  bool IsFinished() const { return mState == kFinished; }
  size_t GetIndex() const { return mIndex; }
  const std::vector<Image>& GetImages() const { return mImages; }

 private:
  int32_t mState = kRunning;
  int32_t mCounter = 0;
  size_t mIndex = 0;
  std::vector<Image> mImages;
};

// A sprite that waits, fades in, stays and fades out once.
class OAltarActivationEffect {
 public:
  enum { kIdle = 0, kWaiting = 1, kFadingIn = 2, kStaying = 3, kFadingOut = 4, kDone = 5 };

  // "activation_effect": the sprite, "start_delay_ticks", "alpha_ticks",
  // "stay_tics". Made idle and unseen.
  explicit OAltarActivationEffect(TXmlNode* node);

  // Waiting from now on.
  void Start();
  // One tick; a fade of 0 ticks ends at once.
  void Step();
  void Draw();

  int32_t GetState() const { return mState; }
  float GetAlpha() const { return mSprite ? mSprite->GetAlpha() : 0; }

 private:
  void Enter(int32_t state);

  int32_t mState = kIdle;
  int32_t mAlphaTicks = 0;
  int32_t mStartDelayTicks = 0;
  int32_t mStayTicks = 0;
  int32_t mCounter = 0;
  TSpriteRef mSprite;
};

class OAltarItem : public OCompositionItem {
 public:
  ~OAltarItem() override;

  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OAltarItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OAltarItem; }

  // The actions and particles of the states the visual enters, and the end
  // of the activation when it enters the activation state.
  void OnStateChange(GVObject* object, TState current, TState& requested) override;
  // The visual and the chain, then the altar as its variables say: the
  // activated altar shows only its hole, the complete one its look without
  // the stones.
  void CreateObject() override;
  // The chain under or over the visual while the activation runs or after
  // it; the activation sprite last.
  void Draw() override;
  void OnMaskEnter(IMask* mask) override;
  // Puts a stone in, completes the altar, or sets it off; true for the
  // altar's own mask.
  bool OnMaskClick(IMask* mask) override;
  void Update() override;
  // The first stone only after the second, third and fourth.
  bool AcceptPart(size_t index) override;

  bool IsActivationStarted() const { return mActivationStarted; }
  bool IsActivationFinished() const { return mActivationFinished; }
  OAlphaImageSequence* GetImageChain() const { return mChain.get(); }
  OAltarActivationEffect* GetActivationEffect() const { return mActivationEffect.get(); }

 private:
  using OCompositionItem::OCompositionItem;

  bool IsSet(const str& flag) const;
  void Set(const str& flag);
  void SetVisualState(const char* state);
  // The children of `list` as particle effects at their "x", "y".
  void StartParticles(TXmlNode* list);
  void HideParts();
  void Complete();
  void StartActivation();
  void FinishActivation();

  IAction* mNotAllStonesAction = nullptr;       // owned
  IAction* mInvalidActivationAction = nullptr;  // owned
  TXmlNode* mImageChainNode = nullptr;
  bool mActivationStarted = false;
  bool mActivationFinished = false;
  std::unique_ptr<OAlphaImageSequence> mChain;
  std::unique_ptr<OAltarActivationEffect> mActivationEffect;
  TXmlNode* mCompletedParticles = nullptr;
  TXmlNode* mActivationParticles = nullptr;
  TXmlNode* mAfterActivatedParticles = nullptr;
  std::vector<str> mActivationItems;
  bool mCompleted = false;
  str mActivatedFlag, mCompletedFlag;
  TXmlNode* mActivatedAction = nullptr;
  TXmlNode* mStartedActivateAction = nullptr;
  TXmlNode* mMagicEffectNode = nullptr;
  bool mImagesOnTop = false;
  str mSecondCaptionFlag, mSecondCaptionValue, mSecondCaption, mPostActivatedCaption;
  std::vector<std::pair<str, TXmlNode*>> mStateParticles, mStateActions;
  str mActivationState;
};
