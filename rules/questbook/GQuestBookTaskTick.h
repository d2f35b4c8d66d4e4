#pragma once
// A tick that a quest-book page's script places in the page: it stays only
// when the task named by its style's "task" is complete. It decides once,
// as it is built; the page is then rendered into a texture.

#include "sdk/TImage.h"

class GQuestBookTaskTick : public TImage {
  TWINDOW_CLASS(GQuestBookTaskTick, TImage)
 public:
  void PostChildrenInit(TWindowStyle& style) override;
};

// Takes a tick that does not stay out of the page at once, and deletes it
// once the page's building has returned.
void RemoveQuestBookTick(TWindow* tick);
