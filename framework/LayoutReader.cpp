#include "framework/LayoutReader.h"

#include <vector>

#include "framework/ClassRegistry.h"
#include "framework/Colors.h"
#include "framework/Component.h"

namespace {

[[noreturn]] void Fail(const std::string& message, int line) {
  throw EReadError("Layout line " + std::to_string(line) + ": " + message);
}

TPropValue Convert(const TPropInfo& p, const TLayoutValue& v, TPersistent& root, int line) {
  using K = TLayoutValue::Kind;
  switch (p.Kind) {
    case TPropKind::Integer:
      if (v.Type == K::Integer) return v.Int;
      break;
    case TPropKind::Color:
      if (v.Type == K::Integer) return v.Int;
      if (v.Type == K::Ident) {
        if (auto c = IdentToColor(v.Text)) return static_cast<int64_t>(*c);
      }
      break;
    case TPropKind::Boolean:
      if (v.Type == K::Ident && SameText(v.Text, "True")) return true;
      if (v.Type == K::Ident && SameText(v.Text, "False")) return false;
      break;
    case TPropKind::Float:
      if (v.Type == K::Float) return v.Real;
      if (v.Type == K::Integer) return static_cast<double>(v.Int);
      break;
    case TPropKind::String:
      if (v.Type == K::String) return v.Text;
      break;
    case TPropKind::Enumeration:
      if (v.Type == K::Ident) {
        int ord = p.Enum->Ordinal(v.Text);
        if (ord >= 0) return static_cast<int64_t>(ord);
      }
      break;
    case TPropKind::Set:
      if (v.Type == K::Set) {
        TSetValue bits;
        for (const auto& item : v.Items) {
          int ord = p.Enum->Ordinal(item);
          if (ord < 0) Fail("\"" + item + "\" is not an element of " + p.Name, line);
          bits.Bits |= uint64_t{1} << ord;
        }
        return bits;
      }
      break;
    case TPropKind::Event:
      if (v.Type == K::Ident) {
        const TPublishedMethod* m = root.ClassInfo().FindMethod(v.Text);
        if (!m) Fail("method " + v.Text + " does not exist", line);
        if (*m->EventType != *p.EventType) Fail("method " + v.Text + " does not fit " + p.Name, line);
        return m->Bind(root);
      }
      break;
    case TPropKind::Object:
      Fail("property " + p.Name + " cannot be assigned", line);
  }
  Fail("invalid value for property " + p.Name, line);
}

// A second form of a class owned by the same owner is named "Name_1", a
// third "Name_2", and so on: component names are unique per owner.
std::string FreeRootName(const TComponent& root, const std::string& name) {
  if (!root.Owner() || !root.Owner()->FindComponent(name)) return name;
  for (int n = 1;; ++n) {
    std::string candidate = name + "_" + std::to_string(n);
    if (!root.Owner()->FindComponent(candidate)) return candidate;
  }
}

struct Reader {
  TComponent& root;
  std::vector<TComponent*> read;

  void Object(const TLayoutNode& node, TComponent& parent) {
    TComponent* c = root.FindComponent(node.Name);
    if (c) {
      if (!node.Inherited) Fail("a component named " + node.Name + " already exists", node.Line);
      if (!SameText(c->ClassName(), node.ClassName))
        Fail(node.Name + " is a " + c->ClassName() + ", not a " + node.ClassName, node.Line);
    } else {
      if (node.Inherited) Fail("inherited component " + node.Name + " does not exist", node.Line);
      const TClassInfo* info = TClassRegistry::Instance().Find(node.ClassName);
      if (!info || !info->Create) Fail("class " + node.ClassName + " is not registered", node.Line);
      c = info->Create(&root);
      try {
        c->SetName(node.Name);
      } catch (const Exception& e) {
        Fail(e.Message(), node.Line);
      }
      c->SetLoading(true);
      read.push_back(c);
      c->SetParentComponent(&parent);
    }
    if (const TFieldBinding* f = root.ClassInfo().FindField(node.Name)) {
      try {
        f->Assign(root, c);
      } catch (const Exception& e) {
        Fail(e.Message(), node.Line);
      }
    }
    for (const auto& prop : node.Props) TLayoutReader::SetProperty(*c, prop, root);
    if (!node.Children.empty() && !c->AcceptsChildren())
      Fail(node.Name + " cannot hold other components", node.Line);
    for (const auto& child : node.Children) Object(child, *c);
  }
};

}  // namespace

void TLayoutReader::SetProperty(TPersistent& obj, const TLayoutProp& prop, TPersistent& root) {
  TPersistent* target = &obj;
  std::string_view name = prop.Name;
  for (;;) {
    size_t dot = name.find('.');
    std::string_view part = name.substr(0, dot);
    const TPropInfo* p = target->ClassInfo().FindProp(part);
    if (!p) Fail("property " + std::string(part) + " does not exist in " + target->ClassName(), prop.Line);
    if (dot == std::string_view::npos) {
      if (!p->Set) Fail("property " + p->Name + " is read-only", prop.Line);
      TPropValue value = Convert(*p, prop.Value, root, prop.Line);
      try {
        p->Set(*target, value);
      } catch (const EReadError&) {
        throw;
      } catch (const Exception& e) {
        Fail(e.Message(), prop.Line);
      }
      return;
    }
    if (p->Kind != TPropKind::Object) Fail("property " + p->Name + " has no parts", prop.Line);
    target = p->Object(*target);
    name.remove_prefix(dot + 1);
  }
}

void TLayoutReader::ReadRoot(TComponent& root, const TLayoutNode& node) {
  Reader r{root, {}};
  bool wasLoading = root.Loading();
  root.SetLoading(true);
  try {
    if (root.Name().empty()) root.SetName(FreeRootName(root, node.Name));
    for (const auto& prop : node.Props) SetProperty(root, prop, root);
    for (const auto& child : node.Children) r.Object(child, root);
  } catch (...) {
    root.SetLoading(wasLoading);
    for (TComponent* c : r.read) c->SetLoading(false);
    throw;
  }
  for (TComponent* c : r.read) {
    c->SetLoading(false);
    c->Loaded();
  }
  root.SetLoading(wasLoading);
  if (!wasLoading) root.Loaded();
}
