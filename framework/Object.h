#pragma once
// TObject: the root of the framework's classes. It only fixes that objects are
// destroyed through their most derived destructor; run-time type questions use
// dynamic_cast.

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};
