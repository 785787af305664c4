#pragma once
// TLayoutReader: applies a parsed layout to a root component (a form).
//
// A root without a name takes the layout's (with "_1", "_2", ... when its
// owner already has a component of that name). The root's own properties are
// set first; then each nested object is created
// by class name through TClassRegistry, owned by the root, named, nested in
// the component whose object encloses it, and given its properties; the
// root's field of that name is filled in. An "inherited" object, or an object
// an ancestor's layout already made, is updated instead of created. Event
// properties name published methods of the root. When everything is read,
// Loaded() runs on every component read, the root last.
//
// Unknown classes, properties, values or methods raise EReadError naming the
// layout line: a layout is part of the program, so it must be exact.

#include "framework/Exception.h"
#include "framework/LayoutNode.h"

class TComponent;
class TPersistent;

class EReadError : public Exception {
public:
  using Exception::Exception;
};

class TLayoutReader {
public:
  static void ReadRoot(TComponent& root, const TLayoutNode& node);

  // Sets one property, possibly dotted ("Font.Name"), of obj; event values
  // are resolved against the published methods of root.
  static void SetProperty(TPersistent& obj, const TLayoutProp& prop, TPersistent& root);
};
