#pragma once
// TLayoutWriter: writes a root component and the components it owns as a
// layout text (UTF-8), the inverse of TLayoutParser + TLayoutReader.
//
// Properties are written in published order, only when stored and different
// from their declared default (always when they declare none); read-only
// properties are not written; events are written by the name of the root's
// published method they call. Components are written in the order the root
// owns them, each nested in the object of its parent component. Reading the
// text back and writing again gives the same text.

#include <string>

class TComponent;

class TLayoutWriter {
public:
  static std::string Write(const TComponent& root);
};
