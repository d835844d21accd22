#include "service/Database.h"

#include <sqlite3.h>

namespace vantorel::service {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS groups(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL UNIQUE,
  created INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS users(
  id INTEGER PRIMARY KEY,
  group_id INTEGER NOT NULL REFERENCES groups(id),
  name TEXT NOT NULL,
  info TEXT NOT NULL DEFAULT '',
  UNIQUE(group_id, name));
CREATE TABLE IF NOT EXISTS faces(
  id INTEGER PRIMARY KEY,
  user_id INTEGER NOT NULL REFERENCES users(id),
  face_token TEXT NOT NULL,
  left REAL NOT NULL, top REAL NOT NULL, width REAL NOT NULL, height REAL NOT NULL,
  rotation INTEGER NOT NULL,
  created INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS faces_by_user ON faces(user_id);
CREATE TABLE IF NOT EXISTS descriptors(
  face_id INTEGER PRIMARY KEY REFERENCES faces(id),
  dimensions INTEGER NOT NULL,
  vector BLOB NOT NULL);
CREATE TABLE IF NOT EXISTS tokens(
  token_hash TEXT PRIMARY KEY,
  expires INTEGER NOT NULL);
)sql";

}  // namespace

void Statement::Finalizer::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

Statement::Statement(sqlite3* db, std::string_view sql) {
  sqlite3_stmt* raw = nullptr;
  ok_ = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, nullptr) == SQLITE_OK;
  statement_.reset(raw);
}

Statement& Statement::Bind(int index, std::int64_t value) {
  ok_ = ok_ && sqlite3_bind_int64(statement_.get(), index, value) == SQLITE_OK;
  return *this;
}

Statement& Statement::Bind(int index, double value) {
  ok_ = ok_ && sqlite3_bind_double(statement_.get(), index, value) == SQLITE_OK;
  return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
  ok_ = ok_ && sqlite3_bind_text64(statement_.get(), index, text.data(), text.size(), SQLITE_TRANSIENT,
                                   SQLITE_UTF8) == SQLITE_OK;
  return *this;
}

Statement& Statement::BindBlob(int index, const void* data, std::size_t size) {
  ok_ = ok_ && sqlite3_bind_blob64(statement_.get(), index, data, size, SQLITE_TRANSIENT) == SQLITE_OK;
  return *this;
}

bool Statement::Step() {
  if (!ok_) return false;
  const int result = sqlite3_step(statement_.get());
  if (result == SQLITE_ROW) return true;
  ok_ = result == SQLITE_DONE;
  return false;
}

bool Statement::Run() {
  Step();
  return ok_;
}

std::int64_t Statement::Integer(int column) const { return sqlite3_column_int64(statement_.get(), column); }

double Statement::Real(int column) const { return sqlite3_column_double(statement_.get(), column); }

std::string Statement::TextAt(int column) const {
  const auto* text = sqlite3_column_text(statement_.get(), column);
  const int size = sqlite3_column_bytes(statement_.get(), column);
  return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size)) : std::string();
}

std::string Statement::BlobAt(int column) const {
  const void* blob = sqlite3_column_blob(statement_.get(), column);
  const int size = sqlite3_column_bytes(statement_.get(), column);
  return blob ? std::string(static_cast<const char*>(blob), static_cast<std::size_t>(size)) : std::string();
}

std::unique_ptr<Database> Database::Open(const std::string& path, std::string& error) {
  sqlite3* raw = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
  const int opened = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
  std::unique_ptr<Database> db(new Database(raw));
  if (opened != SQLITE_OK) {
    error = "cannot open " + path + ": " + sqlite3_errmsg(raw);
    return nullptr;
  }
  sqlite3_busy_timeout(raw, 5000);
  // WAL with full syncs: a committed registration survives a killed process
  // and a lost machine alike.
  const bool ready = db->Execute("PRAGMA journal_mode=WAL") && db->Execute("PRAGMA synchronous=FULL") &&
                     db->Execute("PRAGMA foreign_keys=ON") && db->Execute(kSchema);
  if (!ready) {
    error = "cannot prepare " + path + ": " + sqlite3_errmsg(raw);
    return nullptr;
  }
  return db;
}

Database::~Database() { sqlite3_close_v2(db_); }

bool Database::Execute(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

std::int64_t Database::LastInsertId() const { return sqlite3_last_insert_rowid(db_); }

Transaction::Transaction(Database& db) : db_(db), started_(db.Execute("BEGIN IMMEDIATE")) {}

Transaction::~Transaction() {
  if (started_ && !done_) db_.Execute("ROLLBACK");
}

bool Transaction::Commit() {
  done_ = started_ && db_.Execute("COMMIT");
  return done_;
}

}  // namespace vantorel::service
