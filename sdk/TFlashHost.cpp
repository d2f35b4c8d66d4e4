#include "TFlashHost.h"

#include <sys/stat.h>

#include <cstdio>

#include "TPlatform.h"

namespace {
// Four digits make the name; more frames than that are not looked for.
const int kMaxFrames = 9999;

bool IsFile(const str& relative) {
  struct stat info;
  return stat(TPlatform::ResolvePath(relative).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
}  // namespace

str TFlashHost::FramePath(const str& flashFile, int index) {
  str stem = flashFile;
  size_t dot = stem.rfind('.');
  size_t slash = stem.rfind('/');
  if (dot != str::npos && (slash == str::npos || dot > slash)) stem = stem.substr(0, dot);
  char number[24];
  snprintf(number, sizeof number, "_%04d.png", index + 1);
  return stem + number;
}

TFlashHost::TFlashHost(const str& flashFile) : mFile(flashFile) {
  // Probed once: a missing frame would otherwise be a message on every draw.
  if (mFile.empty()) return;
  while (mTotal < kMaxFrames && IsFile(FramePath(mFile, mTotal))) ++mTotal;
}

void TFlashHost::Start(bool loop, bool visible, bool paused) {
  mPlaying = true;
  mLoop = loop;
  mVisible = visible;
  mHeld = paused;
  mStoppedFrame = 0;
  mStartMs = TPlatform::GetInstance()->Timer();
}

void TFlashHost::Stop() {
  if (!mPlaying) return;
  mStoppedFrame = GetFrameNum();
  mPlaying = false;
}

int TFlashHost::GetFrameNum() const {
  if (mTotal == 0) return 0;
  if (!mPlaying || mHeld) return mStoppedFrame;
  // Unsigned subtraction survives the clock wrapping.
  uint32_t elapsed = TPlatform::GetInstance()->Timer() - mStartMs;
  uint32_t frame = elapsed / kFrameMs;
  if (mLoop) return int(frame % uint32_t(mTotal));
  return frame >= uint32_t(mTotal) ? mTotal - 1 : int(frame);
}

void TFlashHost::Draw() {
  if (!mVisible || mTotal == 0) return;
  int frame = GetFrameNum();
  if (frame != mLoadedFrame) {
    mTexture = TTexture::Get(FramePath(mFile, frame));
    mLoadedFrame = frame;
  }
  if (!mTexture || mTexture->IsEmpty()) return;
  mTexture->Draw(mTexture->GetWidth() / 2.0f, mTexture->GetHeight() / 2.0f);
}
