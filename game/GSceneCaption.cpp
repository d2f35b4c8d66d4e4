#include "GSceneCaption.h"

#include "game/OGameConfig.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TStringTable.h"
#include "sdk/TText.h"
#include "sdk/TXmlNode.h"
#include "visual/GVDrawList.h"
#include "visual/GVXmlLoaders.h"

namespace {
const TXmlNode* ConfiguredLook() {
  TXmlNode* screen = OGameConfig::GetInstance()->GetGameScreen();
  return screen ? screen->GetChild("scene_caption") : nullptr;
}

uint8_t Channel(const TXmlNode* e, const char* name) {
  float v = e ? e->GetAttribute(name).to_float() : 1.f;
  v = v < 0 ? 0 : v > 1 ? 1 : v;
  return uint8_t(v * 255.f + 0.5f);
}
}  // namespace

OSceneCaption::OSceneCaption() {
  Build(ConfiguredLook());
}

OSceneCaption::OSceneCaption(const TXmlNode* look) {
  Build(look);
}

void OSceneCaption::Build(const TXmlNode* look) {
  SetWindowSize(800, 600);
  if (!look) Report("cfg/game_screen.xml: no element \"scene_caption\"; the caption has no frame");
  TColor32 colour(Channel(look, "c_r"), Channel(look, "c_g"), Channel(look, "c_b"), 255);
  int w = look ? look->GetAttribute("w").to_int() : 0;
  int h = look ? look->GetAttribute("h").to_int() : 0;
  int size = look ? look->GetAttribute("font_size").to_int() : 0;
  str font = look ? look->GetAttribute("font_name") : str();
  mTextWindow = new TText(false);
  mTextWindow->Create(str(), w, h, 0, font.empty() ? str("default") : font, size > 0 ? size : 16, colour);
  mTextWindow->SetName("text");
  if (look) {
    mLeft = LoadTextureFromXml(look->GetChild("left"));
    mMiddle = LoadTextureFromXml(look->GetChild("middle"));
    mRight = LoadTextureFromXml(look->GetChild("right"));
  }
  if (mLeft) mLeftW = mLeft->GetWidth(), mLeftH = mLeft->GetHeight();
  if (mMiddle) mMiddleW = mMiddle->GetWidth(), mMiddleH = mMiddle->GetHeight();
  if (mRight) mRightW = mRight->GetWidth(), mRightH = mRight->GetHeight();
}

OSceneCaption::~OSceneCaption() {
  if (mTextWindow && mTextWindow->GetParent()) mTextWindow->GetParent()->OrphanChild(mTextWindow);
  delete mTextWindow;
}

void OSceneCaption::SetText(const str& text) {
  mText = text;
  mTextWindow->SetText(text);
  mTextBounds = mTextWindow->GetTextBounds();
  // A missing middle piece has no width to divide by; and however narrow the
  // text, the frame keeps one middle piece.
  int count = 1;
  if (mMiddleW > 0) count = int((float(mTextBounds.Width()) - float(mLeftW) - 1.f) / float(mMiddleW)) + 1;
  mMiddleCount = count < 1 ? 1 : count;
  if (shown && !mText.empty()) Refresh();
}

void OSceneCaption::SetKey(const str& key) {
  SetText(key.empty() ? str() : TPlatform::GetInstance()->GetStringTable()->GetString(key));
}

void OSceneCaption::SetAnchor(int x, int y) {
  anchorX = x;
  anchorY = y;
}

void OSceneCaption::SetShown(bool value) {
  if (shown == value) return;
  shown = value;
  Refresh();
}

void OSceneCaption::Refresh() {
  bool adopted = mTextWindow->GetParent() == this;
  if (!shown) {
    if (adopted) OrphanChild(mTextWindow);
    return;
  }
  if (!adopted) AdoptChild(mTextWindow, true);
  mFrameWidth = mMiddleCount * mMiddleW + mRightW + mLeftW;
  mFrameHeight = mMiddleH;
  mFrameTop = anchorY;
  mFrameLeft = anchorX + kGap;
  // Near the right edge the caption goes to the left of the pointer.
  if (mFrameLeft + mFrameWidth > kRightLimit) mFrameLeft = anchorX - mFrameWidth - kGap;
  mTextPos = TPoint(float(mFrameWidth / 2 + mFrameLeft - mTextBounds.Width() / 2),
                    float(mFrameHeight / 2 + mFrameTop - mTextBounds.Height() / 2));
  mTextWindow->SetWindowPos(int(mTextPos.x), int(mTextPos.y));
}

void OSceneCaption::Draw() {
  TWindow::Draw();
  if (!shown || mText.empty()) return;
  End2dGuard guard;
  if (mLeft) mLeft->Draw(float(mFrameLeft + mLeftW / 2), float(mFrameTop + mLeftH / 2), 1, 1, 0, 0);
  if (mMiddle)
    for (int i = 0; i < mMiddleCount; ++i)
      mMiddle->Draw(float(mFrameLeft + mLeftW + (i + 0.5f) * mMiddleW), float(mFrameTop + mMiddleH / 2), 1, 1,
                    0, 0);
  if (mRight)
    mRight->Draw(float(mFrameLeft + mLeftW + mMiddleCount * mMiddleW + mRightW / 2),
                 float(mFrameTop + mRightH / 2), 1, 1, 0, 0);
}
