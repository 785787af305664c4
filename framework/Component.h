#pragma once
// TComponent: a persistent object with an owner, a name and a Tag.
//
// Ownership: a component owns the components created with it as their owner
// and destroys them, last created first, when it is destroyed. Destroy a
// component with Free(): it runs BeforeDestruction() (where forms raise their
// destroy event while the whole object still exists) and then deletes it.
//
// Names are empty or identifiers, unique among the components of one owner
// (compared without regard to case).

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/Persistent.h"

class EComponentError : public Exception {
public:
  using Exception::Exception;
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Runs BeforeDestruction() and deletes the component (null is allowed).
  static void Free(TComponent* component);

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
  TComponent* FindComponent(const std::string& name) const;

  bool Loading() const { return loading_; }
  bool Destroying() const { return destroying_; }

  // Streaming support. The layout reader sets the loading state on the root
  // and every component it creates, and calls Loaded() on each when the whole
  // layout is read.
  void SetLoading(bool loading) { loading_ = loading; }
  virtual void Loaded() {}
  // The component a layout nests this one in (a control's parent); null for
  // components that sit directly in the root.
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* /*parent*/) {}
  // Whether a layout may nest other components inside this one.
  virtual bool AcceptsChildren() const { return false; }

  // Called on the owner when a component is added to or removed from it.
  virtual void Notification(TComponent* component, TOperation operation);

  // Forms raise their destroy event here; overriders call the inherited one.
  virtual void BeforeDestruction();

private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);

  TComponent* owner_;  // not owned
  std::string name_;
  int32_t tag_ = 0;
  std::vector<TComponent*> components_;  // owned, in creation order
  bool loading_ = false;
  bool destroying_ = false;
};

bool IsValidIdent(const std::string& name);
