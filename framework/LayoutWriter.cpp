#include "framework/LayoutWriter.h"

#include <charconv>
#include <cstdio>

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/Cp1250.h"

namespace {

std::string Quote(const std::string& text) {
  // Printable characters go inside quotation marks (as UTF-8), control
  // characters as #n.
  std::string out;
  bool open = false;
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    if (c < 32 || c == 127) {
      if (open) out += '\'';
      open = false;
      out += '#' + std::to_string(c);
    } else {
      if (!open) out += '\'';
      open = true;
      if (ch == '\'') out += "''";
      else out += cp1250::ToUtf8(std::string_view(&ch, 1));
    }
  }
  if (open) out += '\'';
  if (out.empty()) out = "''";
  return out;
}

std::string FormatFloat(double v) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  std::string s(buf, ec == std::errc() ? end : buf);
  return s;
}

std::string FormatValue(const TPropInfo& p, const TPropValue& v, const TPersistent& root) {
  switch (p.Kind) {
    case TPropKind::Integer:
      return std::to_string(std::get<int64_t>(v));
    case TPropKind::Color: {
      auto c = static_cast<TColor>(std::get<int64_t>(v));
      if (auto name = ColorToIdent(c)) return *name;
      char buf[16];
      std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(c));
      return buf;
    }
    case TPropKind::Boolean:
      return std::get<bool>(v) ? "True" : "False";
    case TPropKind::Float:
      return FormatFloat(std::get<double>(v));
    case TPropKind::String:
      return Quote(std::get<std::string>(v));
    case TPropKind::Enumeration:
      return p.Enum->Name(static_cast<size_t>(std::get<int64_t>(v)));
    case TPropKind::Set: {
      std::string out = "[";
      uint64_t bits = std::get<TSetValue>(v).Bits;
      for (size_t i = 0; i < p.Enum->Count(); ++i) {
        if (bits & (uint64_t{1} << i)) {
          if (out.size() > 1) out += ", ";
          out += p.Enum->Name(i);
        }
      }
      return out + "]";
    }
    case TPropKind::Event: {
      const TPublishedMethod* m = root.ClassInfo().FindMethodFor(root, std::get<TMethodRef>(v));
      return m ? m->Name : std::string();
    }
    case TPropKind::Object:
      break;
  }
  return {};
}

struct Writer {
  const TComponent& root;
  std::string out;

  void Props(const TPersistent& obj, const std::string& prefix, const std::string& indent) {
    for (const TPropInfo* p : obj.ClassInfo().AllProps()) {
      if (p->Stored && !p->Stored(obj)) continue;
      if (p->Kind == TPropKind::Object) {
        TPersistent* sub = p->Object(const_cast<TPersistent&>(obj));
        if (sub) Props(*sub, prefix + p->Name + ".", indent);
        continue;
      }
      if (!p->Set) continue;
      TPropValue v = p->Get(obj);
      if (p->Kind == TPropKind::Event) {
        if (PropValueEmpty(v)) continue;
      } else if (!PropValueEmpty(p->Default) && v == p->Default) {
        continue;
      }
      std::string text = FormatValue(*p, v, root);
      if (text.empty()) continue;  // an event bound to a method the root does not publish
      out += indent + prefix + p->Name + " = " + text + "\n";
    }
  }

  void Object(const TComponent& c, const std::string& indent) {
    out += indent + "object " + c.Name() + ": " + c.ClassName() + "\n";
    Props(c, "", indent + "  ");
    for (int i = 0; i < root.ComponentCount(); ++i) {
      const TComponent* child = root.Components(i);
      const TComponent* parent = child->GetParentComponent();
      if (!parent) parent = &root;
      if (parent == &c) Object(*child, indent + "  ");
    }
    out += indent + "end\n";
  }
};

}  // namespace

std::string TLayoutWriter::Write(const TComponent& root) {
  Writer w{root, {}};
  w.Object(root, "");
  return w.out;
}
