#include "OVethraAtmosphereAction.h"

#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimerIndicator.h"
#include "rules/timers/OTimersManager.h"

void OVethraAtmosphereAction::Execute() {
  OTimersManager::GetInstance()->GetController(OTimersManager::kVethra)->Stop();
  OIndicatorsManager::GetInstance()->GetVethra()->Empty();
}
