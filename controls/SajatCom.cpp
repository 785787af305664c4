#include "controls/SajatCom.h"

#include "framework/ClassRegistry.h"

void SajatComUnitStart() {
  TClassRegistry& r = TClassRegistry::Instance();
  r.Register(TTmrCombo::StaticClassInfo());
  r.Register(TTmrDrawGrid::StaticClassInfo());
  r.Register(TTmrEdit::StaticClassInfo());
  r.Register(TTmrSpinEdit::StaticClassInfo());
}
