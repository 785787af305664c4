#pragma once
// TEnumInfo: the names of an enumeration's values in ordinal order, as layouts
// write them (e.g. "bsNone", "bsSingle"). Used for enumeration properties and
// for the element type of set properties.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class TEnumInfo {
public:
  TEnumInfo(std::string typeName, std::initializer_list<const char*> names)
      : typeName_(std::move(typeName)), names_(names.begin(), names.end()) {}

  const std::string& TypeName() const { return typeName_; }
  std::size_t Count() const { return names_.size(); }
  const std::string& Name(std::size_t ordinal) const { return names_.at(ordinal); }

  // The ordinal of a name (compared without regard to case), or -1.
  int Ordinal(std::string_view name) const;

private:
  std::string typeName_;
  std::vector<std::string> names_;
};
