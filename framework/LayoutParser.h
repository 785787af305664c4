#pragma once
// TLayoutParser: reads a layout text (see LayoutNode.h) into a node tree.
// Malformed text raises EParserError naming the line.

#include <string_view>

#include "framework/Exception.h"
#include "framework/LayoutNode.h"

class EParserError : public Exception {
public:
  EParserError(const std::string& message, int line)
      : Exception("Layout line " + std::to_string(line) + ": " + message), Line(line) {}
  int Line;
};

class TLayoutParser {
public:
  static TLayoutNode Parse(std::string_view utf8Text);
};
