#pragma once
// Stand-in for the action factory until the game rules land: it knows no
// action yet, so every node yields null; it records the "type" (or "link",
// or "flag_name") of each node it was given.

#include <vector>

#include "sdk/str.h"

class GMasksManager;
class IAction;
class TXmlNode;

class OActionFactory {
 public:
  static IAction* CreateAction(TXmlNode* node, GMasksManager* owner);
  static const std::vector<str>& GetAsked();
  static void ClearAsked();
};
