#pragma once
// What a completed task, mission or guide hint does: each child of its
// `results` element is run once, by its "type". Results keep no state.

class TXmlNode;

namespace OMissionResults {

// Runs one result; a "type" outside the list does nothing. The element stays
// owned by its document.
void Execute(TXmlNode* result);

void UnlockPage(TXmlNode* result);
void UnlockMagic(TXmlNode* result);
void UnlockWorld(TXmlNode* result);
void LockWorld(TXmlNode* result);
void SetFlag(TXmlNode* result);
void QueueHint(TXmlNode* result);
// Refused silently while a hazard timer is about to run out or in a scene
// listed under game_screen/autosave_cfg/locked_scenes.
void Autosave();
void UnlockPanelBook();
void MissionCompleteIndication();
void TaskCompleteIndication();
void GreeceCatapultScrollQuest(TXmlNode* result);
void SetActiveRecipe(TXmlNode* result);

}  // namespace OMissionResults
