#pragma once
// TClassBuilder<C>: declares the class information of class C, typically in
// C::StaticClassInfo():
//
//   const TClassInfo& TLabel::StaticClassInfo() {
//     static const TClassInfo info =
//         TClassBuilder<TLabel>("TLabel", &TGraphicControl::StaticClassInfo())
//             .Creatable()
//             .Enum("Alignment", AlignmentInfo(), &TLabel::Alignment, &TLabel::SetAlignment, taLeftJustify)
//             .Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true)
//             .Build();
//     return info;
//   }
//
// Getters are const member functions or data members; setters are member
// functions taking the value, data members, or nullptr for read-only
// properties. A property declared without a default is always written.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

#include "framework/ClassInfo.h"
#include "framework/Event.h"
#include "framework/Exception.h"
#include "framework/Set.h"

class TComponent;

namespace classbuilder_detail {

template <class C, class G>
decltype(auto) Read(const C& obj, G get) {
  return std::invoke(get, obj);
}

template <class C, class S, class T>
void Write(C& obj, S set, T&& value) {
  if constexpr (std::is_member_function_pointer_v<S>) {
    std::invoke(set, obj, std::forward<T>(value));
  } else {
    std::invoke(set, obj) = std::forward<T>(value);
  }
}

template <class M>
struct MethodTraits;
template <class C, class R, class... A>
struct MethodTraits<R (C::*)(A...)> {
  using Class = C;
  using Event = TEvent<R(A...)>;
};

template <class E>
struct EventTraits;
template <class R, class... A>
struct EventTraits<TEvent<R(A...)>> {
  using Thunk = typename TEvent<R(A...)>::Thunk;
};

[[noreturn]] inline void WrongValue(const std::string& prop) {
  throw Exception("Invalid value for property " + prop);
}

}  // namespace classbuilder_detail

template <class C>
class TClassBuilder {
public:
  TClassBuilder(std::string name, const TClassInfo* parent) {
    info_.Name = std::move(name);
    info_.Parent = parent;
  }

  // Components of this class can be created by class name (from layouts).
  TClassBuilder& Creatable() {
    info_.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
    return *this;
  }

  // The resource name of the layout this class adds (forms).
  TClassBuilder& Layout(std::string resourceName) {
    info_.Layout = std::move(resourceName);
    return *this;
  }

  template <class G, class S>
  TClassBuilder& Int(const char* name, G get, S set, std::optional<int64_t> def = {}) {
    return Add(name, TPropKind::Integer, nullptr, def ? TPropValue(*def) : TPropValue(),
               [get](const C& c) { return TPropValue(static_cast<int64_t>(classbuilder_detail::Read(c, get))); },
               Setter<S>(name, set, [](const TPropValue& v, auto tag) {
                 using T = typename decltype(tag)::type;
                 if (auto i = std::get_if<int64_t>(&v)) return static_cast<T>(*i);
                 throw std::bad_variant_access();
               }));
  }

  template <class G, class S>
  TClassBuilder& Color(const char* name, G get, S set, std::optional<int64_t> def = {}) {
    Int(name, get, set, def);
    info_.Props.back().Kind = TPropKind::Color;
    return *this;
  }

  template <class G, class S>
  TClassBuilder& Bool(const char* name, G get, S set, std::optional<bool> def = {}) {
    return Add(name, TPropKind::Boolean, nullptr, def ? TPropValue(*def) : TPropValue(),
               [get](const C& c) { return TPropValue(static_cast<bool>(classbuilder_detail::Read(c, get))); },
               Setter<S>(name, set, [](const TPropValue& v, auto) { return std::get<bool>(v); }));
  }

  template <class G, class S>
  TClassBuilder& Float(const char* name, G get, S set, std::optional<double> def = {}) {
    return Add(name, TPropKind::Float, nullptr, def ? TPropValue(*def) : TPropValue(),
               [get](const C& c) { return TPropValue(static_cast<double>(classbuilder_detail::Read(c, get))); },
               Setter<S>(name, set, [](const TPropValue& v, auto) {
                 if (auto i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
                 return std::get<double>(v);
               }));
  }

  template <class G, class S>
  TClassBuilder& Str(const char* name, G get, S set) {
    return StrProp(name, get, set, TPropValue());
  }
  template <class G, class S>
  TClassBuilder& Str(const char* name, G get, S set, std::string def) {
    return StrProp(name, get, set, TPropValue(std::move(def)));
  }

  template <class E, class G, class S>
  TClassBuilder& Enum(const char* name, const TEnumInfo& values, G get, S set, std::optional<E> def = {}) {
    return Add(name, TPropKind::Enumeration, &values,
               def ? TPropValue(static_cast<int64_t>(*def)) : TPropValue(),
               [get](const C& c) { return TPropValue(static_cast<int64_t>(classbuilder_detail::Read(c, get))); },
               Setter<S>(name, set, [](const TPropValue& v, auto tag) {
                 using T = typename decltype(tag)::type;
                 return static_cast<T>(std::get<int64_t>(v));
               }));
  }

  template <class E, class G, class S>
  TClassBuilder& SetOf(const char* name, const TEnumInfo& elements, G get, S set,
                       std::optional<TSet<E>> def = {}) {
    return Add(name, TPropKind::Set, &elements, def ? TPropValue(TSetValue{def->Bits()}) : TPropValue(),
               [get](const C& c) { return TPropValue(TSetValue{TSet<E>(classbuilder_detail::Read(c, get)).Bits()}); },
               Setter<S>(name, set, [](const TPropValue& v, auto) {
                 return TSet<E>::FromBits(std::get<TSetValue>(v).Bits);
               }));
  }

  // A nested persistent object (a font, a brush) whose own properties are
  // written as "Name.Property".
  template <class G>
  TClassBuilder& Object(const char* name, G get) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::Object;
    p.Object = [get](TPersistent& obj) -> TPersistent* {
      return std::invoke(get, static_cast<C&>(obj));
    };
    info_.Props.push_back(std::move(p));
    return *this;
  }

  // An event property held in a TEvent data member (of C or an ancestor).
  template <class E, class K>
  TClassBuilder& Event(const char* name, E K::*member) {
    static_assert(std::is_base_of_v<K, C>, "the event must be a member of the class or an ancestor");
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::Event;
    p.EventType = &typeid(E);
    p.Get = [member](const TPersistent& obj) -> TPropValue {
      const E& e = static_cast<const C&>(obj).*member;
      if (!e) return TPropValue();
      return TPropValue(TMethodRef{e.Object(), reinterpret_cast<void*>(e.Code()), &typeid(E)});
    };
    p.Set = [member, n = std::string(name)](TPersistent& obj, const TPropValue& v) {
      E& e = static_cast<C&>(obj).*member;
      if (PropValueEmpty(v)) {
        e = E();
        return;
      }
      const auto& ref = std::get<TMethodRef>(v);
      if (ref.Type != &typeid(E) && (ref.Type == nullptr || *ref.Type != typeid(E)))
        throw Exception("The method does not fit event " + n);
      using Thunk = typename classbuilder_detail::EventTraits<E>::Thunk;
      e = E::FromRaw(ref.Object, reinterpret_cast<Thunk>(ref.Code));
    };
    info_.Props.push_back(std::move(p));
    return *this;
  }

  // Only written when pred(obj) holds; applies to the property added last.
  template <class P>
  TClassBuilder& Stored(P pred) {
    info_.Props.back().Stored = [pred](const TPersistent& obj) {
      return std::invoke(pred, static_cast<const C&>(obj));
    };
    return *this;
  }

  // A method layouts may connect to events of matching type.
  template <auto M>
  TClassBuilder& Method(const char* name) {
    using Traits = classbuilder_detail::MethodTraits<decltype(M)>;
    using E = typename Traits::Event;
    TPublishedMethod m;
    m.Name = name;
    m.EventType = &typeid(E);
    m.Bind = [](TPersistent& obj) {
      E e = E::template Of<M>(&static_cast<C&>(obj));
      return TMethodRef{e.Object(), reinterpret_cast<void*>(e.Code()), &typeid(E)};
    };
    info_.Methods.push_back(std::move(m));
    return *this;
  }

  // A field that holds the component of this name once the layout made it.
  template <class T, class K>
  TClassBuilder& Field(const char* name, T* K::*member) {
    static_assert(std::is_base_of_v<K, C>, "the field must be a member of the class or an ancestor");
    TFieldBinding f;
    f.Name = name;
    f.Assign = [member, n = std::string(name)](TPersistent& obj, TComponent* component) {
      T* typed = dynamic_cast<T*>(component);
      if (component && !typed) throw Exception("Component " + n + " is not of the field's class");
      static_cast<C&>(obj).*member = typed;
    };
    info_.Fields.push_back(std::move(f));
    return *this;
  }

  TClassInfo Build() { return std::move(info_); }

private:
  template <class G, class S>
  TClassBuilder& StrProp(const char* name, G get, S set, TPropValue def) {
    return Add(name, TPropKind::String, nullptr, std::move(def),
               [get](const C& c) { return TPropValue(std::string(classbuilder_detail::Read(c, get))); },
               Setter<S>(name, set, [](const TPropValue& v, auto) { return std::get<std::string>(v); }));
  }

  template <class S, class Convert>
  std::function<void(TPersistent&, const TPropValue&)> Setter(const char* name, S set, Convert convert) {
    if constexpr (std::is_same_v<S, std::nullptr_t>) {
      return {};
    } else {
      return [set, convert, n = std::string(name)](TPersistent& obj, const TPropValue& v) {
        using T = typename SetterArg<S>::type;
        try {
          classbuilder_detail::Write(static_cast<C&>(obj), set, convert(v, std::type_identity<T>{}));
        } catch (const std::bad_variant_access&) {
          classbuilder_detail::WrongValue(n);
        }
      };
    }
  }

  template <class S>
  struct SetterArg;
  template <class K, class A>
  struct SetterArg<void (K::*)(A)> {
    using type = std::remove_cvref_t<A>;
  };
  template <class K, class A>
  struct SetterArg<A K::*> {
    using type = std::remove_cvref_t<A>;
  };

  template <class GetFn, class SetFn>
  TClassBuilder& Add(const char* name, TPropKind kind, const TEnumInfo* values, TPropValue def,
                     GetFn get, SetFn set) {
    TPropInfo p;
    p.Name = name;
    p.Kind = kind;
    p.Enum = values;
    p.Default = std::move(def);
    p.Get = [get](const TPersistent& obj) { return get(static_cast<const C&>(obj)); };
    p.Set = std::move(set);
    info_.Props.push_back(std::move(p));
    return *this;
  }

  TClassInfo info_;
};
