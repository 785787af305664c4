#pragma once
// Where the keyboard moves the launcher menu's highlight. The highlight is a
// Tag (0: none), shared with the pointer, which may leave it on any entry.

#include <vector>

// A visible menu entry: its Tag and where it sits in the window.
struct TMenuEntry {
  int tag;
  int left, top;
};

// The Tag of the entry after (forward) or before the highlighted one, in
// screen order (top to bottom, then left to right), wrapping around at both
// ends. With no highlight, or one on an entry that is not in the list, forward
// gives the first entry and backward the last. 0 when there is no entry.
int NextMenuTag(std::vector<TMenuEntry> entries, int highlighted, bool forward);
