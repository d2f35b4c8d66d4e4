#include "GVObjectWrapper.h"

#include "GVFactory.h"
#include "GVObject.h"
#include "sdk/TWindowStyle.h"

void GVObjectWrapper::PostDraw() {
  if (client) client->DrawObjects(this);
  TWindow::PostDraw();
}

GVLuaObject::~GVLuaObject() {
  delete mObject;
  mObject = nullptr;
}

void GVLuaObject::PostChildrenInit(TWindowStyle& style) {
  str name = style.GetString("gvobject_name", "");
  str state = style.GetString("gvobject_state", "");
  int dx = style.GetInt("dx", 0), dy = style.GetInt("dy", 0);
  float degrees = style.GetFloat("rotation", 0);
  // The content's angles were tuned against this value of pi.
  mRotation = float(degrees * 3.14 / 180);
  GVFactory* factory = GVFactory::GetInstance();
  factory->drawList = &mDrawList;
  factory->imageFolder = "anim/";
  factory->descriptionFolder = "xml/";
  mObject = factory->CreateObject(nullptr, name, false, nullptr);
  if (!mObject) return;
  mObject->SetState(TState::FromStr(state), true, nullptr);
  mObject->visible = 1;
  mObject->changed = 1;
  mObject->deltaX = float(dx);
  mObject->deltaY = float(dy);
  mObject->changed = 1;
}

void GVLuaObject::PostDraw() {
  // Without an object there is nothing to draw.
  if (!mObject) return;
  mObject->rotate = mRotation;
  mObject->changed = 1;
  mDrawList.Draw();
}
