#include "OVethraAtmosphereAction.h"

#include "OIndicatorsManager.h"
#include "OTimersManager.h"

void OVethraAtmosphereAction::Execute() {
  if (ITimerController* air = OTimersManager::GetInstance()->GetController("vethra")) air->Stop();
  OIndicatorsManager::GetInstance()->EmptyIndicator("vethra");
}
