// SqliteStore: a server's tree in an SQLite file. What changed since the last commit is
// written in one transaction with the request that changed it, so a request's changes are
// kept whole or not at all. The requests are kept so that a restart can run them again:
// the server's extensions then rebuild what they derive from the tree, and the tree they
// give is checked against the objects kept.
#ifndef HVX_SRC_DAEMON_SQLITE_STORE_H_
#define HVX_SRC_DAEMON_SQLITE_STORE_H_

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "frame.h"
#include "hvx/status.h"
#include "server.h"
#include "tree_store.h"

struct sqlite3;
struct sqlite3_stmt;

namespace hvx::daemon {

class SqliteStore : public mis::TreeStore {
 public:
  // `full_sync`: every commit reaches the disk before it returns (survives power loss);
  // otherwise a commit survives the process being killed, not the machine stopping.
  static Status open(const std::string& path, bool full_sync, std::unique_ptr<SqliteStore>& out);
  ~SqliteStore() override;
  SqliteStore(const SqliteStore&) = delete;
  SqliteStore& operator=(const SqliteStore&) = delete;

  // How a kept request is run again: its frame kind and payload.
  using Rerun = std::function<void(net::FrameKind, const std::string&)>;
  // Runs the kept requests through `rerun` on `server` (fresh) and makes its tree the one
  // kept; `found` when the file held one. Then follows the server's changes.
  Status load(mis::Server& server, const Rerun& rerun, bool& found);
  // Writes what changed since the last commit, with the request that changed it (its frame
  // kind and payload) when anything did.
  Status commit(net::FrameKind kind = net::FrameKind::message, std::string_view request = {});

  void changed(const dn::Rdns& name) override;
  void cleared() override { everything_ = true; }

  std::size_t objects_written() const { return written_; }

 private:
  SqliteStore() = default;
  Status exec(const char* sql);
  Status write(const mis::ManagedObject& object);
  Status erase(const std::string& key);
  Status replay(const Rerun& rerun);
  // Files the kept objects over what the requests rebuilt; the number that differed.
  Status restore_objects(mis::Server& server, std::size_t& differing, bool& found);

  sqlite3* db_ = nullptr;
  sqlite3_stmt* put_ = nullptr;
  sqlite3_stmt* delete_ = nullptr;
  sqlite3_stmt* log_ = nullptr;
  mis::Server* server_ = nullptr;
  // Names changed since the last commit, by their encoding.
  std::map<std::string, dn::Rdns> dirty_;
  bool everything_ = false;
  std::size_t written_ = 0;
};

}  // namespace hvx::daemon

#endif  // HVX_SRC_DAEMON_SQLITE_STORE_H_
