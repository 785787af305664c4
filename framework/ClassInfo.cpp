#include "framework/ClassInfo.h"

#include <cctype>

#include "framework/EnumInfo.h"

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

int TEnumInfo::Ordinal(std::string_view name) const {
  for (size_t i = 0; i < names_.size(); ++i) {
    if (SameText(names_[i], name)) return static_cast<int>(i);
  }
  return -1;
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->Parent) {
    for (const auto& p : c->Props) {
      if (SameText(p.Name, name)) return &p;
    }
  }
  return nullptr;
}

const TPublishedMethod* TClassInfo::FindMethod(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->Parent) {
    for (const auto& m : c->Methods) {
      if (SameText(m.Name, name)) return &m;
    }
  }
  return nullptr;
}

const TPublishedMethod* TClassInfo::FindMethodFor(const TPersistent& instance, const TMethodRef& ref) const {
  for (const TClassInfo* c = this; c; c = c->Parent) {
    for (const auto& m : c->Methods) {
      if (m.Bind(const_cast<TPersistent&>(instance)) == ref) return &m;
    }
  }
  return nullptr;
}

const TFieldBinding* TClassInfo::FindField(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->Parent) {
    for (const auto& f : c->Fields) {
      if (SameText(f.Name, name)) return &f;
    }
  }
  return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = this; c; c = c->Parent) chain.push_back(c);
  std::vector<const TPropInfo*> out;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    for (const auto& p : (*it)->Props) {
      // A class that publishes a property of the same name again (to give
      // it another default) replaces the ancestor's in the ancestor's place.
      bool replaced = false;
      for (auto& known : out) {
        if (SameText(known->Name, p.Name)) {
          known = &p;
          replaced = true;
          break;
        }
      }
      if (!replaced) out.push_back(&p);
    }
  }
  return out;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->Parent) {
    if (c == &other) return true;
  }
  return false;
}
