#pragma once
// TMemo: a multi-line edit box with a vertical scroll bar (a standard "Edit"
// window with ES_MULTILINE). Lines are separated by CR LF in Text. Enter
// types a line break; Tab stays with the form's navigation. 185 x 89 pixels
// when made.

#include "framework/Edit.h"

class TMemo : public TEdit {
public:
  explicit TMemo(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Adds a line at the end (after a line break when the text is not empty)
  // and scrolls it into view; the caret and selection move to the end.
  void AppendLine(const std::string& line);
  int LineCount() const;

protected:
  void CreateParams(TCreateParams& params) override;
};
