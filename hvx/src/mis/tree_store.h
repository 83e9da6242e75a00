// TreeStore: where a server's tree is kept beyond its process. The server names each object
// it files, creates, changes or removes; the owner of the store decides when what changed is
// made durable (a server process does it once per request, before answering).
#ifndef HVX_SRC_MIS_TREE_STORE_H_
#define HVX_SRC_MIS_TREE_STORE_H_

#include "dn.h"

namespace hvx::mis {

class TreeStore {
 public:
  virtual ~TreeStore() = default;
  // The object of this name was filed, created, changed or removed.
  virtual void changed(const dn::Rdns& name) = 0;
  // The whole tree was replaced.
  virtual void cleared() = 0;
};

}  // namespace hvx::mis

#endif  // HVX_SRC_MIS_TREE_STORE_H_
