#pragma once
// TPropValue: the value of one published property as streaming sees it.
// Integers, enumerations and colours are held as 64-bit integers (an
// enumeration by its ordinal), sets as a bit mask over the ordinals of their
// element type, texts as code page 1250 strings, and event properties as an
// erased method reference. `Empty` stands for "no value" (an unassigned event,
// or a property that declares no default).

#include <cstdint>
#include <string>
#include <typeinfo>
#include <variant>

struct TMethodRef {
  void* Object = nullptr;
  void* Code = nullptr;                       // the event's thunk, type-erased
  const std::type_info* Type = nullptr;       // the TEvent<...> type it belongs to
  friend bool operator==(const TMethodRef& a, const TMethodRef& b) {
    return a.Object == b.Object && a.Code == b.Code;
  }
};

struct TSetValue {
  uint64_t Bits = 0;
  friend bool operator==(const TSetValue&, const TSetValue&) = default;
};

using TPropValue = std::variant<std::monostate, int64_t, bool, double, std::string, TSetValue, TMethodRef>;

inline bool PropValueEmpty(const TPropValue& v) { return std::holds_alternative<std::monostate>(v); }
