#include "controls/SajatCom.h"

#include "framework/ClassRegistry.h"
#include "framework/UnitTrace.h"

void SajatComUnitStart() {
  TClassRegistry& r = TClassRegistry::Instance();
  r.Register(TTmrCombo::StaticClassInfo());
  r.Register(TTmrDrawGrid::StaticClassInfo());
  r.Register(TTmrEdit::StaticClassInfo());
  r.Register(TTmrSpinEdit::StaticClassInfo());
  UnitTrace("SajatCom: started");
}
