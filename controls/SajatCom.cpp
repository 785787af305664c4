#include "controls/SajatCom.h"

#include "framework/ClassRegistry.h"

void SajatComUnitStart() {
  TClassRegistry& r = TClassRegistry::Instance();
  r.Register(TTmrEdit::StaticClassInfo());
  r.Register(TTmrSpinEdit::StaticClassInfo());
}
