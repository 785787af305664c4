#pragma once
// Run-time class information of the framework's persistent classes: the
// published properties (with their declared defaults), the published methods
// that layouts connect to events, the fields a form's layout fills in, the
// factory that creates a component by class name and the form's layout.
//
// Published properties are listed base class first, each class in declaration
// order; layouts are written in that order. A property is written to a layout
// only when it is stored and its value differs from the declared default; a
// property without a declared default is always written (events: when
// assigned).

#include <functional>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "framework/EnumInfo.h"
#include "framework/PropValue.h"

class TPersistent;
class TComponent;

enum class TPropKind { Integer, Boolean, Float, String, Enumeration, Set, Color, Object, Event };

struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::Integer;
  const TEnumInfo* Enum = nullptr;  // Enumeration: its values; Set: the element values
  TPropValue Default;               // Empty: no declared default
  std::function<TPropValue(const TPersistent&)> Get;
  std::function<void(TPersistent&, const TPropValue&)> Set;  // empty: read-only
  std::function<bool(const TPersistent&)> Stored;            // empty: always stored
  std::function<TPersistent*(TPersistent&)> Object;          // Object kind: the sub-object
  const std::type_info* EventType = nullptr;                 // Event kind: its TEvent type
};

// A method of a form that a layout may connect to an event by name.
struct TPublishedMethod {
  std::string Name;
  const std::type_info* EventType = nullptr;
  std::function<TMethodRef(TPersistent&)> Bind;  // the method bound to an instance
};

// A field of a form that holds one of its components; filled in when the
// layout creates (or finds) the component of that name.
struct TFieldBinding {
  std::string Name;
  std::function<void(TPersistent&, TComponent*)> Assign;  // throws on a wrong class
};

class TClassInfo {
public:
  std::string Name;
  const TClassInfo* Parent = nullptr;
  std::vector<TPropInfo> Props;
  std::vector<TPublishedMethod> Methods;
  std::vector<TFieldBinding> Fields;
  TComponent* (*Create)(TComponent* owner) = nullptr;  // null: not creatable by name
  std::string Layout;  // resource name of this class's own layout, empty if none

  // Searches this class and its ancestors (names compared without regard to case).
  const TPropInfo* FindProp(std::string_view name) const;
  const TPublishedMethod* FindMethod(std::string_view name) const;
  const TPublishedMethod* FindMethodFor(const TPersistent& instance, const TMethodRef& ref) const;
  const TFieldBinding* FindField(std::string_view name) const;

  // Every published property, base class first; a property published again
  // by a descendant stands in the place of the ancestor's.
  std::vector<const TPropInfo*> AllProps() const;
  bool InheritsFrom(const TClassInfo& other) const;
};

bool SameText(std::string_view a, std::string_view b);
