#pragma once
// The service's SQLite file: one connection shared by all request threads,
// write-ahead logged, with the schema of the face library and the tokens.
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace vantorel::service {

class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);

  Statement& Bind(int index, std::int64_t value);
  Statement& Bind(int index, double value);
  Statement& Bind(int index, std::string_view text);
  Statement& BindBlob(int index, const void* data, std::size_t size);

  // True while a row is available; false when done or failed (see ok()).
  bool Step();
  // Runs a statement that returns no rows.
  bool Run();
  bool ok() const { return ok_; }

  std::int64_t Integer(int column) const;
  double Real(int column) const;
  std::string TextAt(int column) const;
  std::string BlobAt(int column) const;

 private:
  struct Finalizer {
    void operator()(sqlite3_stmt* statement) const;
  };
  std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
  bool ok_ = true;
};

class Database {
 public:
  // Creates the file and its tables when absent. Nothing on failure, with
  // the reason in `error`.
  static std::unique_ptr<Database> Open(const std::string& path, std::string& error);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  Statement Prepare(std::string_view sql) { return Statement(db_, sql); }
  bool Execute(const char* sql);
  std::int64_t LastInsertId() const;

  // Held for every use of the connection, and across a whole transaction.
  std::mutex& mutex() { return mutex_; }

 private:
  explicit Database(sqlite3* db) : db_(db) {}

  sqlite3* db_;
  std::mutex mutex_;
};

// BEGIN IMMEDIATE ... COMMIT, rolled back unless committed. The caller holds
// the database's mutex.
class Transaction {
 public:
  explicit Transaction(Database& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  bool started() const { return started_; }
  bool Commit();

 private:
  Database& db_;
  bool started_;
  bool done_ = false;
};

}  // namespace vantorel::service
