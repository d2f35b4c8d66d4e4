#pragma once
// What the hazard timers show over the scene: a picture that grows opaque as
// the time runs out, and a short text that can blink. The poison, Vethra
// and under-water indicators are three of these, owned by the indicators
// manager and driven by their controllers.

#include <cstdint>

#include "sdk/TMath.h"
#include "sdk/TSprite.h"
#include "sdk/str.h"

class TXmlNode;

class OTimerIndicator {
 public:
  // From an indicator element (`img` and `text` children); a null element,
  // or a missing child, leaves that part out.
  explicit OTimerIndicator(const TXmlNode* element);

  // Total time in milliseconds; the picture goes transparent, as for a full
  // time left.
  void SetTotalTime(int32_t ms);
  int32_t GetTotalTime() const { return mTotalTime; }
  // The picture's alpha: 1 - left / total, 0 while idle (total 0) or while
  // more is left than the total.
  void SetLeftTime(int32_t ms);
  // A string-table key, "" for none; the blinking starts over.
  void SetText(const str& key);
  const str& GetTextKey() const { return mTextKey; }
  // Ticks per half cycle of the blinking; 0 does not blink.
  void SetBlinkPeriod(uint32_t ticks) { mBlinkPeriod = ticks; }
  uint32_t GetBlinkPeriod() const { return mBlinkPeriod; }
  // One 16 ms tick of blinking.
  void BlinkTick();
  // Total 0, picture transparent, no text; the blink period stays.
  void Empty();
  void Draw();

  float GetAlpha() const;
  void SetAlpha(float alpha);
  // The blinking alpha of the text.
  float GetTextAlpha() const { return mTextColor.a; }

  // "iit", "alpha" (x 100, truncated), "text", "blink_ticks".
  void Save(TXmlNode* element) const;
  void Load(const TXmlNode* element);

  const TSpriteRef& GetImage() const { return mImage; }
  const boost::shared_ptr<TTextSprite>& GetTextSprite() const { return mTextSprite; }

 private:
  void ApplyTextColor();

  TSpriteRef mImage;
  boost::shared_ptr<TTextSprite> mTextSprite;
  // The picture's alpha when there is no picture, so that the saved state
  // is the same with or without one.
  float mAlphaWithoutImage = 0;
  int32_t mTotalTime = 0;
  TColor mTextColor;
  str mTextKey;
  uint32_t mBlinkCounter = 0;
  uint32_t mBlinkPeriod = 0;
};
