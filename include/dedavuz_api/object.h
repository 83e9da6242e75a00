// VQObject: the value-semantics handle every managed-object class derives from. It owns
// one representation and forwards each operation to it unchanged.
#ifndef DEDAVUZ_API_OBJECT_H_
#define DEDAVUZ_API_OBJECT_H_

#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/object_rep.h"

class VQObject {
 public:
  // Does not delete the representation: the derived handle owns it.
  virtual ~VQObject();

  virtual bool exists() const;
  virtual VQStatus create_with_all_attributes();
  virtual VQStatus create_with_some_attributes(const VQIntegerSet& attributes);
  virtual VQStatus destroy();
  virtual VQStatus load_all_attributes();
  virtual VQStatus load_some_attributes(const VQIntegerSet& attributes);
  virtual VQStatus store_all_attributes();
  virtual VQStatus store_some_attributes(const VQIntegerSet& attributes);
  virtual void get_active_attributes(VQIntegerSet& attributes) const;
  virtual void clear_all_attributes();
  virtual void clear_some_attributes(const VQIntegerSet& attributes);

 protected:
  VQObject() = default;
  // Handles copy deeply through their own assignment; the base pointer is reset there.
  VQObject(const VQObject&) : rep_(nullptr) {}
  VQObject& operator=(const VQObject&) { return *this; }

  VQObjectRep* rep_ = nullptr;
};

// Deep-copy helpers shared by the handle classes: `Rep` is the handle's own representation.
namespace vq_internal {

template <typename Rep>
void assign_rep(Rep*& mine, const Rep* theirs) {
  if (mine == theirs) return;
  if (mine == nullptr) {
    mine = new Rep(*theirs);
  } else {
    *mine = *theirs;
  }
}

}  // namespace vq_internal

#endif  // DEDAVUZ_API_OBJECT_H_
