#pragma once
// TStringList: an ordered list of texts (code page 1250), each carrying an
// integer of the caller's, its object (an identifier, item data; pointer
// sized). Not sorted; duplicates are kept. A plain value: copies are
// independent. An index outside 0 .. Count()-1 raises EListError.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Exception.h"

class EListError : public Exception {
public:
  using Exception::Exception;
};

class TStringList {
public:
  TStringList() = default;

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Strings(int index) const { return At(index).Text; }
  intptr_t Objects(int index) const { return At(index).Object; }
  void SetStrings(int index, const std::string& text) { At(index).Text = text; }
  void SetObjects(int index, intptr_t object) { At(index).Object = object; }

  // Appends an entry; returns its index.
  int Add(const std::string& text) { return AddObject(text, 0); }
  int AddObject(const std::string& text, intptr_t object);
  void Insert(int index, const std::string& text, intptr_t object = 0);
  void Delete(int index);
  void Clear() { items_.clear(); }
  void Assign(const TStringList& source) { items_ = source.items_; }

  // The first entry with this object, or -1.
  int IndexOfObject(intptr_t object) const;
  // The first entry with this text (exact comparison), or -1.
  int IndexOf(const std::string& text) const;

private:
  struct TItem {
    std::string Text;
    intptr_t Object = 0;
  };
  const TItem& At(int index) const;
  TItem& At(int index);

  std::vector<TItem> items_;
};
