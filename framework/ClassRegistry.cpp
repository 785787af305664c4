#include "framework/ClassRegistry.h"

#include "framework/ClassInfo.h"
#include "framework/Exception.h"

TClassRegistry& TClassRegistry::Instance() {
  static TClassRegistry registry;
  return registry;
}

void TClassRegistry::Register(const TClassInfo& info) {
  if (const TClassInfo* known = Find(info.Name)) {
    if (known == &info) return;
    throw Exception("Class " + info.Name + " is registered twice");
  }
  classes_.push_back(&info);
}

const TClassInfo* TClassRegistry::Find(std::string_view className) const {
  for (const TClassInfo* c : classes_) {
    if (SameText(c->Name, className)) return c;
  }
  return nullptr;
}
