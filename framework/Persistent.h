#pragma once
// TPersistent: an object with published properties that layouts can read and
// write (see ClassInfo.h).

#include "framework/ClassInfo.h"
#include "framework/Object.h"

class TPersistent : public TObject {
public:
  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
  const std::string& ClassName() const { return ClassInfo().Name; }
};
