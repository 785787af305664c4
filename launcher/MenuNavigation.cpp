#include "launcher/MenuNavigation.h"

#include <algorithm>

int NextMenuTag(std::vector<TMenuEntry> entries, int highlighted, bool forward) {
  if (entries.empty()) return 0;
  std::stable_sort(entries.begin(), entries.end(), [](const TMenuEntry& a, const TMenuEntry& b) {
    return a.top != b.top ? a.top < b.top : a.left < b.left;
  });
  const auto count = static_cast<long>(entries.size());
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [&](const TMenuEntry& e) { return highlighted != 0 && e.tag == highlighted; });
  long index;
  if (found == entries.end()) index = forward ? 0 : count - 1;
  else index = ((found - entries.begin()) + (forward ? 1 : count - 1)) % count;
  return entries[static_cast<size_t>(index)].tag;
}
