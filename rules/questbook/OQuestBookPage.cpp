#include "OQuestBookPage.h"

#include "IPagesContainer.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TWindow.h"
#include "sdk/TXmlNode.h"
#include "visual/GVXmlLoaders.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kContentWindow = "container";

void StopEmitting(const TFxSpriteRef& sprite) {
  if (!sprite) return;
  if (TScript* script = sprite->GetScript()) script->DoLuaString("gActive = false;");
}
}  // namespace

// ---- content reveal ----

OContentAppearEffect::OContentAppearEffect(const TSpriteRef& content,
                                           const std::vector<TFxSpriteRef>& effects, int ticks, int riderX,
                                           int riderY)
    : mTicks(ticks), mContent(content), mEffects(effects), mRiderX(riderX), mRiderY(riderY) {
  if (!mContent) return;
  TTextureRef texture = mContent->GetTexture();
  mFullHeight = texture ? texture->GetHeight() : 0;
  mStartX = int(mContent->GetPosition().x);
  mStartY = int(mContent->GetPosition().y);
  mContent->SetDrawnSize(texture ? texture->GetWidth() : 0, 0);
  mContent->SetVisible(true);
}

void OContentAppearEffect::Step() {
  if (mState != kRunning) return;
  ++mCounter;
  // Compared before dividing: a reveal of 0 ticks ends on its first step.
  if (mContent && mCounter < mTicks) {
    int height = int(double(mCounter) / double(mTicks) * double(mFullHeight));
    mContent->SetDrawnSize(mContent->GetDrawnWidth(), height);
    for (const TFxSpriteRef& effect : mEffects)
      if (effect) effect->SetPosition(TVec3(float(mRiderX), float(mRiderY + height), 0));
    return;
  }
  SetState(kEnded);
}

void OContentAppearEffect::SetState(int state) {
  mState = state;
  mCounter = 0;
  if (state != kEnded) return;
  if (mContent) {
    mContent->SetDrawnSize(mContent->GetDrawnWidth(), mFullHeight);
    TVec3 position = mContent->GetPosition();
    position.y = float(mStartY);
    mContent->SetPosition(position);
  }
  for (const TFxSpriteRef& effect : mEffects) StopEmitting(effect);
}

// ---- the sheet ----

OQuestBookPage::OQuestBookPage(IPagesContainer* container, TXmlNode* description,
                               const TTextureRef& defaultFront, const TTextureRef& defaultBack, int frontX,
                               int frontY, int backX, int backY)
    : mContainer(container), mDescription(description) {
  mFaces[kFrontFace].element = "front";
  mFaces[kFrontFace].defaultTexture = defaultFront;
  mFaces[kFrontFace].x = frontX;
  mFaces[kFrontFace].y = frontY;
  mFaces[kBackFace].element = "back";
  mFaces[kBackFace].defaultTexture = defaultBack;
  mFaces[kBackFace].x = backX;
  mFaces[kBackFace].y = backY;
  TPlatform::GetInstance()->AdoptTextureRefreshListener(this);
}

OQuestBookPage::~OQuestBookPage() {
  for (Face& face : mFaces) delete face.window;
  TPlatform::GetInstance()->OrphanTextureRefreshListener(this);
  delete mAppear;
}

void OQuestBookPage::SetTurning(int ticks, double maxSkew) {
  // A negative count is read as none: the turn then ends on its first tick.
  mTicks = ticks > 0 ? ticks : 0;
  mMaxSkew = maxSkew;
}

void OQuestBookPage::LoadOffsets() {
  for (Face& face : mFaces) {
    TXmlNode* node = GetFaceNode(face);
    if (!node) continue;
    str x = node->GetAttribute("x"), y = node->GetAttribute("y");
    if (!x.empty()) face.x = x.to_int();
    if (!y.empty()) face.y = y.to_int();
  }
}

void OQuestBookPage::SetContentVisible(bool front, bool back) {
  mFaces[kFrontFace].contentVisible = front;
  mFaces[kBackFace].contentVisible = back;
  if (!mBuilt) return;
  for (Face& face : mFaces) ApplyContentVisible(face);
}

TXmlNode* OQuestBookPage::GetFaceNode(const Face& face) const {
  return mDescription ? mDescription->GetChild(face.element) : nullptr;
}

str OQuestBookPage::GetContentScript(const Face& face) const {
  TXmlNode* node = GetFaceNode(face);
  TXmlNode* content = node ? node->GetChild("content") : nullptr;
  return content ? content->GetAttribute("file") : str();
}

// ---- building ----

void OQuestBookPage::BuildStep() {
  int stage = mBuildStage++;
  switch (stage) {
    case 0:
    case 3:
      BuildPicture(mFaces[stage / 3]);
      return;
    case 1:
    case 4:
      BuildContentWindow(mFaces[stage / 3]);
      return;
    case 2:
    case 5:
      BuildContentSprite(mFaces[stage / 3]);
      return;
    default:
      break;
  }
  if (mBuilt) return;
  mBuilt = true;
  for (Face& face : mFaces) {
    ApplyContentVisible(face);
    // Both faces start at rest, so neither is ever drawn where it was made.
    Rest(face);
  }
  SetTurnState(mPendingState);
}

void OQuestBookPage::BuildPicture(Face& face) {
  TXmlNode* node = GetFaceNode(face);
  TXmlNode* texture = node ? node->GetChild("texture") : nullptr;
  face.sprite = texture ? LoadSpriteFromXml(texture) : TSprite::Create(0, face.defaultTexture);
  face.sprite->SetLayer(0);
  TTextureRef picture = face.sprite->GetTexture();
  face.width = picture ? picture->GetWidth() : 0;
  face.height = picture ? picture->GetHeight() : 0;
}

void OQuestBookPage::BuildContentWindow(Face& face) {
  str script = GetContentScript(face);
  if (script.empty()) return;
  face.window = LoadWindowFromScript(script.c_str(), kContentWindow);
  if (!face.window)
    Report("%s: page script makes no window \"%s\"; the page is shown without it", script.c_str(),
           kContentWindow);
}

void OQuestBookPage::BuildContentSprite(Face& face) {
  // A script that made no window leaves a face without content, which never
  // renders nor refreshes anything.
  if (!face.window) return;
  TTextureRef texture = RenderWindowToTexture(face.window);
  delete face.window;
  face.window = nullptr;
  face.content = TSprite::Create(1, texture);
  // Drawn from its top-left corner, laid on the face's top-left corner.
  face.content->SetDrawFlags(TDrawSpec::kLeftOrigin | TDrawSpec::kOriginPoint);
  face.content->SetPosition(TVec3(float(-(face.width / 2)), float(-(face.height / 2)), 1));
  face.content->SetDrawnSize(texture->GetWidth(), texture->GetHeight());
  face.sprite->AddChild(face.content);
}

void OQuestBookPage::ApplyContentVisible(Face& face) {
  if (face.content) face.content->SetVisible(face.contentVisible);
}

// ---- turning ----

void OQuestBookPage::Rest(Face& face) {
  if (!face.sprite) return;
  face.sprite->SetMatrix(TMat3::Identity());
  face.sprite->SetPosition(TVec3(float(face.x + face.width / 2), float(face.y + face.height / 2), 0));
}

void OQuestBookPage::SetTurnState(int state) {
  if (!mBuilt) {
    mPendingState = state;
    return;
  }
  if (state < kFront || state > kTurningBack) return;
  int old = mTurnState;
  mTurnState = state;
  if (state == kFront || state == kTurningForward) {
    Face& front = mFaces[kFrontFace];
    mStep = 0;
    Rest(front);
    if (state == kTurningForward && mContainer) {
      // The top corner of the free edge.
      int x = front.x + front.width, y = front.y;
      mTurningParticle = mContainer->CreateTurningParticle(x, y);
      if (mTurningParticle) mTurningParticle->SetPosition(TVec3(float(x), float(y), 0));
    }
  } else {
    Face& back = mFaces[kBackFace];
    mStep = mTicks;
    Rest(back);
    if (state == kTurningBack && mContainer) {
      mTurningParticle = mContainer->CreateTurningParticle(back.x, back.y);
      if (mTurningParticle) mTurningParticle->SetPosition(TVec3(float(back.x), float(back.y), 0));
    }
  }
  if (state != old && mContainer) mContainer->OnPageTurned();
}

void OQuestBookPage::Animate() {
  if (!mBuilt) {
    BuildStep();
    return;
  }
  if (mTurnState == kTurningForward || mTurnState == kTurningBack) TurnStep();
  UpdateContentAppear();
}

void OQuestBookPage::TurnStep() {
  const int half = mTicks / 2;
  bool frontPhase = false;
  if (mTurnState == kTurningForward) {
    ++mStep;
    if (mStep < half)
      frontPhase = true;
    else if (mStep > mTicks) {
      SetTurnState(kBack);
      StopEmitting(mTurningParticle);
      return;
    }
  } else {
    --mStep;
    if (mStep >= 0 && mStep < half)
      frontPhase = true;
    else if (mStep < half || mStep >= mTicks) {
      SetTurnState(kFront);
      StopEmitting(mTurningParticle);
      return;
    }
  }
  // Both phases lie strictly inside 0 < N here, so t never divides by 0.
  double t = double(mStep) / double(mTicks);
  double r = CubicBezierY({0, 0}, {0, mMaxSkew}, {double(mTicks), mMaxSkew}, {double(mTicks), 0}, t);
  if (frontPhase)
    Fold(kFrontFace, double(mTicks - 2 * mStep) / double(mTicks), r);
  else
    Fold(kBackFace, double(2 * mStep - mTicks) / double(mTicks), r);
}

void OQuestBookPage::Fold(Side side, double sx, double r) {
  Face& face = mFaces[side];
  if (!face.sprite) return;
  const double w = face.width;
  // The spine is the front's left edge and the back's right edge: it keeps
  // its place and height while the free edge moves and rises.
  double x = side == kFrontFace ? face.x + 0.5 * sx * w : face.x + w - 0.5 * sx * w;
  double y = face.y + face.height / 2 - 0.5 * r * w;
  TMat3 m;
  m.m[0][0] = float(sx);
  m.m[0][1] = float(side == kFrontFace ? -r : r);
  face.sprite->SetMatrix(m);
  face.sprite->SetPosition(TVec3(float(x), float(y), 0));
  if (!mTurningParticle) return;
  double cornerX = side == kFrontFace ? face.x + sx * w : face.x + w - sx * w;
  mTurningParticle->SetPosition(TVec3(float(cornerX), float(face.y - r * w), 0));
}

TSpriteRef OQuestBookPage::GetCurrentSprite() const {
  const int half = mTicks / 2;
  switch (mTurnState) {
    case kFront:
      return mFaces[kFrontFace].sprite;
    case kBack:
      return mFaces[kBackFace].sprite;
    case kTurningForward:
    case kTurningBack:
      if (mStep >= 0 && mStep < half) return mFaces[kFrontFace].sprite;
      if (mStep >= half && mStep <= mTicks) return mFaces[kBackFace].sprite;
      return TSpriteRef();
    default:
      return TSpriteRef();
  }
}

bool OQuestBookPage::IsFrontShown() const {
  // A sheet not built yet lies where its first state will put it.
  int state = mBuilt ? mTurnState : mPendingState;
  switch (state) {
    case kBack:
      return false;
    case kTurningForward:
    case kTurningBack:
      return mStep < mTicks / 2;
    default:
      return true;
  }
}

void OQuestBookPage::Draw() {
  if (!mBuilt) return;
  TSpriteRef sprite = GetCurrentSprite();
  if (!sprite) return;
  T2dScope pass;
  sprite->Draw(TDrawSpec(), -1);
}

// ---- content reveal and refresh ----

void OQuestBookPage::StartContentAppear() {
  std::vector<TFxSpriteRef> effects;
  int ticks = 0;
  if (mContainer) {
    effects = mContainer->CreateContentAppearEffects(0, 0);
    ticks = mContainer->GetContentAppearTicks();
  }
  const Face& face = mFaces[mTurnState == kFront ? kFrontFace : kBackFace];
  delete mAppear;
  mAppear = new OContentAppearEffect(face.content, effects, ticks, face.x, face.y);
  mAppear->SetState(OContentAppearEffect::kRunning);
}

void OQuestBookPage::UpdateContentAppear() {
  if (!mAppear) return;
  mAppear->Step();
  if (mAppear->GetState() == OContentAppearEffect::kRunning) return;
  delete mAppear;
  mAppear = nullptr;
  if (mTurnState != kFront && mTurnState != kBack) return;
  Face& face = mFaces[mTurnState == kFront ? kFrontFace : kBackFace];
  face.contentVisible = true;
  if (face.content) face.content->SetVisible(true);
}

bool OQuestBookPage::DoTask() {
  for (Face& face : mFaces) {
    if (!face.content) continue;
    str script = GetContentScript(face);
    if (script.empty()) continue;
    TWindow* window = LoadWindowFromScript(script.c_str(), kContentWindow);
    // Without a window the old texture stays: better a blank than nothing.
    if (!window) continue;
    face.content->SetTexture(RenderWindowToTexture(window));
    delete window;
  }
  return true;
}

// ---- shared helpers ----

double CubicBezierY(const TBezierPoint& p0, const TBezierPoint& p1, const TBezierPoint& p2,
                    const TBezierPoint& p3, double t) {
  double u = 1 - t;
  return p0.y + t * (3 * u * (u * (p1.y - p0.y) + t * (p2.y - p0.y)) + t * t * (p3.y - p0.y));
}

std::vector<size_t> PageStackOrder(const std::vector<OQuestBookPage*>& sheets) {
  size_t split = sheets.size();
  for (size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i] && sheets[i]->IsFrontShown()) {
      split = i;
      break;
    }
  }
  std::vector<size_t> order;
  for (size_t i = 0; i < split; ++i)
    if (sheets[i]) order.push_back(i);
  for (size_t i = sheets.size(); i > split; --i)
    if (sheets[i - 1]) order.push_back(i - 1);
  return order;
}

void DrawPageStack(const std::vector<OQuestBookPage*>& sheets) {
  for (size_t i : PageStackOrder(sheets)) sheets[i]->Draw();
}
