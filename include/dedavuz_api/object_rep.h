// VQObjectRep: the representation behind every managed-object handle; holds the
// attribute values and does the work with the server.
#ifndef DEDAVUZ_API_OBJECT_REP_H_
#define DEDAVUZ_API_OBJECT_REP_H_

#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"

// The kind of server operation an attribute set is wanted for.
enum VQObjectOperation { load = 0, create = 1, store = 2 };

class VQObjectRep {
 public:
  virtual ~VQObjectRep() = default;
  virtual bool exists() const = 0;
  virtual VQStatus create_with_all_attributes() = 0;
  virtual VQStatus create_with_some_attributes(const VQIntegerSet& attributes) = 0;
  virtual VQStatus destroy() = 0;
  virtual VQStatus load_all_attributes() = 0;
  virtual VQStatus load_some_attributes(const VQIntegerSet& attributes) = 0;
  virtual VQStatus store_all_attributes() = 0;
  virtual VQStatus store_some_attributes(const VQIntegerSet& attributes) = 0;
  virtual VQStatus load_all_defaults() = 0;
  virtual VQStatus load_some_defaults(const VQIntegerSet& attributes) = 0;
  virtual void get_active_attributes(VQIntegerSet& attributes) const = 0;
  virtual void clear_all_attributes() = 0;
  virtual void clear_some_attributes(const VQIntegerSet& attributes) = 0;

 protected:
  VQObjectRep() = default;
  VQObjectRep(const VQObjectRep&) = default;
  VQObjectRep& operator=(const VQObjectRep&) = default;
};

#endif  // DEDAVUZ_API_OBJECT_REP_H_
