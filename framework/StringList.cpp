#include "framework/StringList.h"

const TStringList::TItem& TStringList::At(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<size_t>(index)];
}

TStringList::TItem& TStringList::At(int index) {
  return const_cast<TItem&>(static_cast<const TStringList*>(this)->At(index));
}

int TStringList::AddObject(const std::string& text, intptr_t object) {
  items_.push_back(TItem{text, object});
  return Count() - 1;
}

void TStringList::Insert(int index, const std::string& text, intptr_t object) {
  if (index < 0 || index > Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  items_.insert(items_.begin() + index, TItem{text, object});
}

void TStringList::Delete(int index) {
  At(index);
  items_.erase(items_.begin() + index);
}

int TStringList::IndexOfObject(intptr_t object) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<size_t>(i)].Object == object) return i;
  return -1;
}

int TStringList::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<size_t>(i)].Text == text) return i;
  return -1;
}
