#include "OVethraAtmosphereAction.h"

#include "OIndicatorsManager.h"
#include "OTimerIndicator.h"
#include "OTimersManager.h"

void OVethraAtmosphereAction::Execute() {
  OTimersManager::GetInstance()->GetController(OTimersManager::kVethra)->Stop();
  OIndicatorsManager::GetInstance()->GetVethra()->Empty();
}
