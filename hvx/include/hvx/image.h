// Image: the client's view of one managed object: the attribute values last read from the
// server, and the values staged for the next create or store.
#ifndef HVX_IMAGE_H_
#define HVX_IMAGE_H_

#include <utility>
#include <vector>

#include "hvx/asn1.h"
#include "hvx/data_unit.h"
#include "hvx/error.h"
#include "hvx/morf.h"
#include "hvx/oid.h"
#include "hvx/platform.h"
#include "hvx/syntax.h"

namespace hvx {

class Message;

class Image : public Error {
 public:
  // What the image knows of its object.
  enum State : int {
    IMAGE_EMPTY = 0,      // nothing read yet
    IMAGE_BOOTED = 1,     // read from the server: the object exists
    IMAGE_MISSING = 2,    // read from the server: there is no such object
    IMAGE_DESTROYED = 3,  // deleted through this image
    ACCESS_DENIED = 4,    // the server would not show the object
  };

  // An empty image (the reference image of a plain create).
  Image() = default;
  // The object `name` (slash form, absolute or relative to the local server; "NONE" for an
  // object not yet named) of `class_name` (qualified or short; empty when unknown).
  Image(const DataUnit& name, const DataUnit& class_name, Platform& platform);

  // Reads every attribute, or the named ones (the values of the others read before are
  // kept). A name with no object succeeds, with exists() false.
  bool boot(double timeout = DEFAULT_TIMEOUT);
  bool boot(const DUArray& attributes, double timeout = DEFAULT_TIMEOUT);
  bool exists() const { return state_ == IMAGE_BOOTED; }
  int get_state() const { return state_; }

  // Creates the object with the staged values (and the reference image's values for the
  // attributes not staged). create_within lets the server name it below `superior`; the
  // image then takes the new name.
  bool create(const Image& reference, double timeout = DEFAULT_TIMEOUT);
  bool create_within(const DataUnit& superior, const Image& reference,
                     double timeout = DEFAULT_TIMEOUT);
  // Sends the staged changes.
  bool store(double timeout = DEFAULT_TIMEOUT);
  bool destroy(double timeout = DEFAULT_TIMEOUT);

  // Values read. An attribute without a value gives an invalid Morf, "" or 0 (and the
  // error set).
  Morf get_raw(const DataUnit& attribute);
  DataUnit get_str(const DataUnit& attribute, int format = 0);
  long get_long(const DataUnit& attribute);
  // The short names of the attributes read, in the order the server gave them.
  DUArray get_attr_names(int which = 0) const;

  // Staging for the next create or store; false (and the error set) when the attribute is
  // unknown or the value does not fit its syntax.
  bool set_raw(const DataUnit& attribute, const Morf& value, int mode = REPLACE);
  bool set_str(const DataUnit& attribute, const DataUnit& text, int mode = REPLACE,
               int format = 0);
  bool set_long(const DataUnit& attribute, long value, int mode = REPLACE);
  // The staged value as get_str would print it; "" when nothing is staged.
  DataUnit get_set_str(const DataUnit& attribute, int format = 0);

  // The object's name: relative to the local server for images the platform made for
  // local objects (albums, events), in full otherwise.
  DataUnit get_objname() const { return objname_; }
  DataUnit get_objclass() const { return class_name_; }
  Platform& get_platform() { return platform_; }

  // Runs an action: `call` parses the argument from value notation; `call_raw` takes it
  // typed. The reply is a Morf of the action's reply syntax, invalid when there is no reply
  // information or the call failed (then the error is set).
  Morf call(const DataUnit& action, const DataUnit& argument, double timeout = DEFAULT_TIMEOUT);
  Morf call_raw(const DataUnit& action, const Morf& argument, double timeout = DEFAULT_TIMEOUT);
  Syntax get_param_syntax(const DataUnit& action);
  Syntax get_result_syntax(const DataUnit& action);

  // An image of an object the platform read as part of something else (an album or an
  // event): `name` as seen from the local server, with those values.
  static Image from_values(Platform& platform, const Asn1Value& class_value,
                           const Asn1Value& instance, const Asn1Value& attributes);

 private:
  struct Staged {
    Oid attribute;
    Asn1Value value;
    int mode;
  };

  bool request(Message& message, double timeout, Message* reply);
  bool create_with(Message& message, const Image& reference, double timeout);
  void take_values(const Asn1Value& attributes);
  void merge_values(const Asn1Value& attributes);
  void set_name(const Asn1Value& instance, bool relative_when_local);
  const Asn1Value* value_of(const DataUnit& attribute, Oid* id);
  bool attribute_oid(const DataUnit& attribute, Oid& id);
  bool stage(const DataUnit& attribute, const Asn1Value& value, int mode);

  Platform platform_;
  DataUnit objname_;
  DataUnit class_name_;
  Asn1Value class_value_;  // [0] OBJECT IDENTIFIER, null when the class is unknown
  Asn1Value instance_;     // null for "NONE" and malformed names
  bool name_valid_ = false;
  int state_ = IMAGE_EMPTY;
  std::vector<std::pair<Oid, Asn1Value>> values_;
  std::vector<Staged> staged_;
};

}  // namespace hvx

#endif  // HVX_IMAGE_H_
