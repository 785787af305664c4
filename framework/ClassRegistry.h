#pragma once
// TClassRegistry: the classes layouts may create by name. Each unit registers
// the creatable classes it provides when it starts (the framework registers
// its standard ones itself); a name registered twice with the same class is
// accepted, with another class it is an error.

#include <string_view>
#include <vector>

class TClassInfo;

class TClassRegistry {
public:
  static TClassRegistry& Instance();

  void Register(const TClassInfo& info);
  const TClassInfo* Find(std::string_view className) const;

private:
  std::vector<const TClassInfo*> classes_;
};
