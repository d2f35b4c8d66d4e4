#include "GQuestBookTaskTick.h"

#include "rules/events/OMissionTask.h"
#include "rules/events/OMissionsManager.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"

void RemoveQuestBookTick(TWindow* tick) {
  if (tick->GetParent()) tick->GetParent()->OrphanChild(tick);
  TWindowManager::GetInstance()->DeleteLater(tick);
}

void GQuestBookTaskTick::PostChildrenInit(TWindowStyle& style) {
  TImage::PostChildrenInit(style);
  OMissionTask* task = OMissionsManager::GetInstance()->FindTask(style.GetString("task"));
  if (!task || !task->IsCompleted()) RemoveQuestBookTick(this);
}
