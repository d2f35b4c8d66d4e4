#pragma once
// Turns an action element into an action by its "type", compared with a
// fixed list; the first equal name decides. An element whose "type" is none
// of them is a passage when it has a "link", a variable assignment when it
// has both "flag_name" and "flag_value", and nothing otherwise.

class GMasksManager;
class IAction;
class TXmlNode;

namespace OActionFactory {
// Null for an element it cannot classify (or a null element). The element
// stays owned by its document; the caller owns the action.
IAction* CreateAction(TXmlNode* element, GMasksManager* owner);
// Builds the action, runs it once and deletes it; false when the element
// makes none (then nothing runs).
bool RunAction(TXmlNode* element, GMasksManager* owner);
}  // namespace OActionFactory
