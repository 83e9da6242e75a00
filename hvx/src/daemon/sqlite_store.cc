#include "sqlite_store.h"

#include <sqlite3.h>

#include <iostream>

#include "hvx/ber.h"

namespace hvx::daemon {

namespace {

Status failure(sqlite3* db, const std::string& what) {
  return Status::ProcessingFailure(what + ": " + (db != nullptr ? sqlite3_errmsg(db) : "?"));
}

std::string name_key(const dn::Rdns& name) { return dn::instance(name).encode().str(); }

// The attributes as SET OF SEQUENCE { OBJECT IDENTIFIER, value }.
std::string encode_attributes(const mis::ManagedObject& object) {
  Asn1Value list = ber::set();
  for (const auto& [id, value] : object.attributes) {
    Asn1Value pair = ber::sequence();
    pair.add_component(ber::oid(id));
    pair.add_component(value);
    list.add_component(pair);
  }
  return list.encode().str();
}

bool decode_attributes(const std::string& bytes, mis::ObjectValues& out) {
  Asn1Value list;
  if (!Asn1Value::decode(DataUnit(bytes), list).ok() || !list.is_constructed()) return false;
  for (Asn1Value item = list.first_component(); !item.is_null(); item = item.next_component()) {
    Oid id;
    if (item.num_comps() != 2 || !item.first_component().decode_oid(id)) return false;
    out.set(id, item.first_component().next_component());
  }
  return true;
}

std::string column(sqlite3_stmt* statement, int index) {
  const void* bytes = sqlite3_column_blob(statement, index);
  const int size = sqlite3_column_bytes(statement, index);
  return bytes != nullptr ? std::string(static_cast<const char*>(bytes), size) : std::string();
}

}  // namespace

Status SqliteStore::open(const std::string& path, bool full_sync,
                         std::unique_ptr<SqliteStore>& out) {
  std::unique_ptr<SqliteStore> store(new SqliteStore());
  if (sqlite3_open(path.c_str(), &store->db_) != SQLITE_OK) {
    return failure(store->db_, "opening " + path);
  }
  // Write-ahead logging: a commit is one append, and a killed process loses no commit.
  Status status = store->exec("PRAGMA journal_mode=WAL");
  if (status.ok())
    status = store->exec(full_sync ? "PRAGMA synchronous=FULL" : "PRAGMA synchronous=NORMAL");
  if (status.ok()) {
    status = store->exec(
        "CREATE TABLE IF NOT EXISTS objects (name BLOB PRIMARY KEY, class TEXT NOT NULL, "
        "attributes BLOB NOT NULL) WITHOUT ROWID");
  }
  if (status.ok()) {
    status = store->exec(
        "CREATE TABLE IF NOT EXISTS requests (seq INTEGER PRIMARY KEY, kind INTEGER NOT NULL, "
        "request BLOB NOT NULL)");
  }
  if (!status.ok()) return status;
  if (sqlite3_prepare_v2(store->db_, "INSERT OR REPLACE INTO objects VALUES (?1, ?2, ?3)", -1,
                         &store->put_, nullptr) != SQLITE_OK ||
      sqlite3_prepare_v2(store->db_, "DELETE FROM objects WHERE name = ?1", -1, &store->delete_,
                         nullptr) != SQLITE_OK ||
      sqlite3_prepare_v2(store->db_, "INSERT INTO requests (kind, request) VALUES (?1, ?2)", -1,
                         &store->log_, nullptr) != SQLITE_OK) {
    return failure(store->db_, "preparing statements");
  }
  out = std::move(store);
  return Status::OK();
}

SqliteStore::~SqliteStore() {
  if (server_ != nullptr) server_->set_store(nullptr);
  sqlite3_finalize(put_);
  sqlite3_finalize(delete_);
  sqlite3_finalize(log_);
  sqlite3_close(db_);
}

Status SqliteStore::exec(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
    Status status =
        Status::ProcessingFailure(std::string(sql) + ": " + (message != nullptr ? message : "?"));
    sqlite3_free(message);
    return status;
  }
  return Status::OK();
}

Status SqliteStore::replay(const Rerun& rerun) {
  sqlite3_stmt* select = nullptr;
  if (sqlite3_prepare_v2(db_, "SELECT kind, request FROM requests ORDER BY seq", -1, &select,
                         nullptr) != SQLITE_OK) {
    return failure(db_, "reading requests");
  }
  int result = SQLITE_ROW;
  while ((result = sqlite3_step(select)) == SQLITE_ROW) {
    rerun(static_cast<net::FrameKind>(sqlite3_column_int(select, 0)), column(select, 1));
  }
  sqlite3_finalize(select);
  return result == SQLITE_DONE ? Status::OK() : failure(db_, "reading requests");
}

Status SqliteStore::restore_objects(mis::Server& server, std::size_t& differing, bool& found) {
  sqlite3_stmt* select = nullptr;
  if (sqlite3_prepare_v2(db_, "SELECT name, class, attributes FROM objects", -1, &select,
                         nullptr) != SQLITE_OK) {
    return failure(db_, "reading objects");
  }
  Status status;
  const mis::Schema& schema = mis::Schema::get();
  std::size_t kept = 0;
  int result = SQLITE_ROW;
  while ((result = sqlite3_step(select)) == SQLITE_ROW) {
    found = true;
    ++kept;
    mis::ManagedObject object;
    Asn1Value instance;
    dn::Rdns name;
    const unsigned char* text = sqlite3_column_text(select, 1);
    const std::string class_name(text != nullptr ? reinterpret_cast<const char*>(text) : "");
    object.info = schema.find_class(class_name);
    if (object.info == nullptr || !Asn1Value::decode(DataUnit(column(select, 0)), instance).ok() ||
        !dn::parse(instance, name) || !decode_attributes(column(select, 2), object.attributes)) {
      status = Status::ProcessingFailure("stored object of class " + class_name + " is damaged");
      break;
    }
    object.set_name(name);
    mis::ManagedObject* held = server.find(name);
    if (held == nullptr) {
      ++differing;
      server.file(std::move(object));
    } else if (held->info != object.info || held->attributes != object.attributes) {
      ++differing;
      held->info = object.info;
      held->attributes = std::move(object.attributes);
      server.touch(*held);
    }
  }
  if (status.ok() && result != SQLITE_DONE) status = failure(db_, "reading objects");
  sqlite3_finalize(select);
  if (status.ok() && found && kept != server.size()) differing += server.size() - kept;
  return status;
}

Status SqliteStore::load(mis::Server& server, const Rerun& rerun, bool& found) {
  found = false;
  server_ = &server;
  Status status = replay(rerun);
  std::size_t differing = 0;
  if (status.ok()) status = restore_objects(server, differing, found);
  if (status.ok() && differing != 0) {
    // The kept objects are what was acknowledged; the requests only rebuild what the
    // extensions derive. A difference means the server's behaviour (or its links) changed.
    std::cerr << "vqmisd: " << differing
              << " kept objects differ from what the kept requests give; the kept ones hold\n";
  }
  // Loading is no change to write back; a fresh file gets the starting tree.
  dirty_.clear();
  everything_ = !found;
  server.set_store(this);
  if (!status.ok()) return status;
  return found ? Status::OK() : commit();
}

void SqliteStore::changed(const dn::Rdns& name) {
  if (!everything_) dirty_.emplace(name_key(name), name);
}

Status SqliteStore::write(const mis::ManagedObject& object) {
  const std::string key = name_key(object.name());
  const std::string attributes = encode_attributes(object);
  const std::string class_name(object.info->def->name);
  sqlite3_reset(put_);
  sqlite3_bind_blob(put_, 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
  sqlite3_bind_text(put_, 2, class_name.data(), static_cast<int>(class_name.size()),
                    SQLITE_TRANSIENT);
  sqlite3_bind_blob(put_, 3, attributes.data(), static_cast<int>(attributes.size()),
                    SQLITE_TRANSIENT);
  if (sqlite3_step(put_) != SQLITE_DONE) return failure(db_, "writing an object");
  ++written_;
  return Status::OK();
}

Status SqliteStore::erase(const std::string& key) {
  sqlite3_reset(delete_);
  sqlite3_bind_blob(delete_, 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
  if (sqlite3_step(delete_) != SQLITE_DONE) return failure(db_, "deleting an object");
  return Status::OK();
}

Status SqliteStore::commit(net::FrameKind kind, std::string_view request) {
  if (server_ == nullptr || (dirty_.empty() && !everything_)) return Status::OK();
  Status status = exec("BEGIN");
  if (!status.ok()) return status;
  if (!request.empty()) {
    sqlite3_reset(log_);
    sqlite3_bind_int(log_, 1, static_cast<int>(kind));
    sqlite3_bind_blob(log_, 2, request.data(), static_cast<int>(request.size()), SQLITE_STATIC);
    if (sqlite3_step(log_) != SQLITE_DONE) status = failure(db_, "keeping a request");
  }
  if (status.ok() && everything_) {
    status = exec("DELETE FROM objects");
    server_->for_each([this, &status](const mis::ManagedObject& object) {
      if (status.ok()) status = write(object);
    });
  } else if (status.ok()) {
    for (const auto& [key, name] : dirty_) {
      const mis::ManagedObject* object = server_->find(name);
      status = object != nullptr ? write(*object) : erase(key);
      if (!status.ok()) break;
    }
  }
  dirty_.clear();
  everything_ = false;
  if (!status.ok()) {
    exec("ROLLBACK").IgnoreError();
    return status;
  }
  return exec("COMMIT");
}

}  // namespace hvx::daemon
