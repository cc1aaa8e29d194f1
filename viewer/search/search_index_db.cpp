#include "viewer/search/search_index_db.h"

#include <sqlite3.h>

#include <random>
#include <set>
#include <tuple>

namespace corvane {
namespace {

// Raised when the tables change shape or meaning; an index of another
// format is emptied and made anew.
constexpr char kFormat[] = "1";

// Waits for the other connection's lock this long before failing: the
// writer's transactions are short.
constexpr int kBusyMs = 2000;

constexpr char kMetaTable[] =
    "CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value) WITHOUT ROWID";

constexpr char kTables[] =
    "CREATE TABLE days(id INTEGER PRIMARY KEY AUTOINCREMENT, user TEXT NOT NULL,"
    " buddy TEXT NOT NULL, date TEXT NOT NULL, size INTEGER NOT NULL,"
    " written INTEGER NOT NULL, text_length INTEGER NOT NULL, UNIQUE(user, buddy, date));"
    "CREATE VIRTUAL TABLE day_text USING fts5(text, tokenize = 'trigram case_sensitive 1',"
    " detail = none, content = '', columnsize = 0);";

// The connection's statements, each prepared once.
enum Statements {
  kReadMeta,
  kWriteMeta,
  kRows,
  kProposed,
  kInsertDay,
  kUpdateDay,
  kDayId,
  kDeleteDay,
  kInsertText,
  kQuickCheck,
  kStatementCount
};

constexpr const char* kSql[kStatementCount] = {
    "SELECT value FROM meta WHERE key = ?1",
    "INSERT OR REPLACE INTO meta(key, value) VALUES(?1, ?2)",
    "SELECT id, user, buddy, date, size, written, text_length FROM days",
    "SELECT rowid FROM day_text WHERE day_text MATCH ?1 ORDER BY rowid",
    // An upsert with RETURNING took twice as long as the FTS5 insert beside it.
    "INSERT OR IGNORE INTO days(user, buddy, date, size, written, text_length)"
    " VALUES(?1, ?2, ?3, ?4, ?5, ?6)",
    "UPDATE days SET size = ?2, written = ?3, text_length = ?4 WHERE id = ?1",
    "SELECT id FROM days WHERE user = ?1 AND buddy = ?2 AND date = ?3",
    "DELETE FROM days WHERE id = ?1",
    "INSERT INTO day_text(rowid, text) VALUES(?1, ?2)",
    "PRAGMA quick_check(1)",
};

std::string_view AsBytes(const FoldTable& fold) {
  return std::string_view(reinterpret_cast<const char*>(fold.data()), fold.size());
}

[[noreturn]] void Fail(sqlite3* db) {
  throw IndexError(sqlite3_extended_errcode(db), sqlite3_errmsg(db));
}

std::uint64_t ToCount(const std::string& text) { return text.empty() ? 0 : std::stoull(text); }

// The index file may come from anywhere (a copy, another program): what it
// holds must never run code of its own in our connection.
void Defend(sqlite3* db) {
  for (const auto& [option, value] :
       {std::pair{SQLITE_DBCONFIG_DEFENSIVE, 1}, std::pair{SQLITE_DBCONFIG_ENABLE_TRIGGER, 0},
        std::pair{SQLITE_DBCONFIG_ENABLE_VIEW, 0}}) {
    if (sqlite3_db_config(db, option, value, nullptr) != SQLITE_OK) Fail(db);
  }
}

// Every object of a database's schema: type, name, table and statement.
using Schema = std::set<std::tuple<std::string, std::string, std::string, std::string>>;

std::string ColumnText(sqlite3_stmt* statement, int column) {
  const unsigned char* text = sqlite3_column_text(statement, column);
  return text == nullptr ? std::string() : reinterpret_cast<const char*>(text);
}

Schema SchemaOf(sqlite3* db) {
  OwnedStatement owned;
  if (sqlite3_prepare_v2(db, "SELECT type, name, tbl_name, sql FROM sqlite_schema", -1, owned.Out(),
                         nullptr) != SQLITE_OK) {
    Fail(db);
  }
  sqlite3_stmt* const statement = owned.Get();
  Schema schema;
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    schema.emplace(ColumnText(statement, 0), ColumnText(statement, 1), ColumnText(statement, 2),
                   ColumnText(statement, 3));
  }
  if (rc != SQLITE_DONE) Fail(db);
  return schema;
}

// The schema our statements make, as this SQLite writes it down.
Schema OurSchema() {
  OwnedDatabase db;
  Schema schema;
  if (sqlite3_open_v2(":memory:", db.Out(), SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
      sqlite3_exec(db.Get(), kMetaTable, nullptr, nullptr, nullptr) == SQLITE_OK &&
      sqlite3_exec(db.Get(), kTables, nullptr, nullptr, nullptr) == SQLITE_OK) {
    schema = SchemaOf(db.Get());
  }
  if (schema.empty()) throw IndexError(SQLITE_NOMEM, "the index's tables could not be made");
  return schema;
}

}  // namespace

IndexError::IndexError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}

bool IndexError::Damaged() const {
  const int primary = code_ & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_FORMAT;
}

bool IndexError::OutOfMemory() const {
  const int primary = code_ & 0xFF;
  return primary == SQLITE_NOMEM || primary == SQLITE_TOOBIG;
}

// One of the connection's prepared statements, for one use: reset and
// unbound after it.
class SearchIndexDb::Statement {
 public:
  Statement(SearchIndexDb& db, int which) : db_(db.db_.Get()) {
    OwnedStatement& kept = db.statements_[which];
    if (!kept && sqlite3_prepare_v3(db_, kSql[which], -1, SQLITE_PREPARE_PERSISTENT, kept.Out(),
                                    nullptr) != SQLITE_OK) {
      Fail(db_);
    }
    statement_ = kept.Get();
  }
  ~Statement() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(statement_, index, value) != SQLITE_OK) Fail(db_);
    return *this;
  }
  Statement& Bind(int index, std::string_view text) {
    if (sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_STATIC) != SQLITE_OK) {
      Fail(db_);
    }
    return *this;
  }
  // True while there is a row.
  bool Step() {
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) Fail(db_);
    return false;
  }
  void Run() {
    while (Step()) {
    }
  }
  std::int64_t Int(int column) { return sqlite3_column_int64(statement_, column); }
  std::uint64_t Count(int column) { return static_cast<std::uint64_t>(Int(column)); }
  std::string Text(int column) {
    const void* bytes = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes == nullptr
               ? std::string()
               : std::string(static_cast<const char*>(bytes), static_cast<std::size_t>(size));
  }

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
};

SearchIndexDb::SearchIndexDb(const std::string& path, bool writer)
    : writer_(writer), statements_(kStatementCount) {
  const int flags = writer ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READWRITE;
  if (sqlite3_open_v2(path.c_str(), db_.Out(), flags, nullptr) != SQLITE_OK) {
    if (!db_) throw IndexError(SQLITE_NOMEM, "out of memory");
    Fail(db_.Get());
  }
  sqlite3_extended_result_codes(db_.Get(), 1);
  Defend(db_.Get());
  sqlite3_busy_timeout(db_.Get(), kBusyMs);
  // Readers never wait for the writer, nor it for them.  A cache may lose
  // its last commits in a power cut, never its consistency.
  if (writer) Execute("PRAGMA journal_mode = WAL");
  Execute("PRAGMA synchronous = NORMAL");
}

// The writer moves its log into the database first: under Wine the last
// connection's close was seen to leave the whole log beside the database,
// for the next start to read again.
SearchIndexDb::~SearchIndexDb() {
  statements_.clear();
  if (writer_) {
    sqlite3_wal_checkpoint_v2(db_.Get(), nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
  }
}

void SearchIndexDb::Execute(const char* sql) {
  char* message = nullptr;
  const int rc = sqlite3_exec(db_.Get(), sql, nullptr, nullptr, &message);
  if (rc == SQLITE_OK) return;
  const std::string what = message != nullptr ? message : sqlite3_errstr(rc);
  sqlite3_free(message);
  throw IndexError(sqlite3_extended_errcode(db_.Get()), what);
}

std::string SearchIndexDb::Meta(const char* key) {
  Statement read(*this, kReadMeta);
  read.Bind(1, key);
  return read.Step() ? read.Text(0) : std::string();
}

void SearchIndexDb::SetMeta(const char* key, std::string_view value) {
  Statement write(*this, kWriteMeta);
  write.Bind(1, key).Bind(2, value).Run();
}

// A file that fails SQLite's own check, or holds tables another program
// made, is reported as damaged: only making it anew helps.
void SearchIndexDb::CheckIsOurs() {
  Statement check(*this, kQuickCheck);
  if (!check.Step() || check.Text(0) != "ok")
    throw IndexError(SQLITE_CORRUPT, "the index failed its check");
  const Schema found = SchemaOf(db_.Get());
  static const Schema kOurs = OurSchema();
  if (!found.empty() && found != kOurs)
    throw IndexError(SQLITE_CORRUPT, "the index holds tables of another making");
}

void SearchIndexDb::Prepare(std::string_view historyFolder, const FoldTable& fold) {
  BeginWrite();
  try {
    CheckIsOurs();
    Execute(kMetaTable);
    if (!Fits(historyFolder, fold)) {
      Execute("DROP TABLE IF EXISTS days; DROP TABLE IF EXISTS day_text;");
      Execute(kTables);
      SetMeta("format", kFormat);
      SetMeta("folder", historyFolder);
      SetMeta("fold", AsBytes(fold));
      SetMeta("garbage", "0");
      // The count of writes starts far from any other index's, so that
      // rows kept from a file made anew are never taken for its own.
      if (Meta("commits").empty()) {
        std::random_device random;
        SetMeta("commits", std::to_string(static_cast<std::uint64_t>(random()) << 32));
      }
    }
    Commit();
  } catch (...) {
    Rollback();
    throw;
  }
}

bool SearchIndexDb::Fits(std::string_view historyFolder, const FoldTable& fold) {
  return Meta("format") == kFormat && Meta("folder") == historyFolder &&
         Meta("fold") == AsBytes(fold);
}

void SearchIndexDb::BeginRead() { Execute("BEGIN"); }

void SearchIndexDb::BeginWrite() { Execute("BEGIN IMMEDIATE"); }

void SearchIndexDb::EndRead() { Execute("COMMIT"); }

std::uint64_t SearchIndexDb::Commit() {
  const std::uint64_t commits = Commits() + 1;
  SetMeta("commits", std::to_string(commits));
  Execute("COMMIT");
  return commits;
}

void SearchIndexDb::Rollback() {
  if (!sqlite3_get_autocommit(db_.Get()))
    sqlite3_exec(db_.Get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

std::uint64_t SearchIndexDb::Commits() { return ToCount(Meta("commits")); }

std::uint64_t SearchIndexDb::Garbage() { return ToCount(Meta("garbage")); }

void SearchIndexDb::AddGarbage(std::uint64_t bytes) {
  SetMeta("garbage", std::to_string(Garbage() + bytes));
}

IndexRows SearchIndexDb::Rows() {
  IndexRows rows;
  Statement read(*this, kRows);
  while (read.Step()) {
    rows.emplace(HistoryDay{read.Text(1), read.Text(2), read.Text(3)},
                 IndexedDay{read.Int(0), read.Count(4), read.Count(5), read.Count(6)});
  }
  return rows;
}

std::vector<std::int64_t> SearchIndexDb::Proposed(const std::string& match) {
  std::vector<std::int64_t> ids;
  Statement read(*this, kProposed);
  read.Bind(1, match);
  while (read.Step()) ids.push_back(read.Int(0));
  return ids;
}

IndexedDay SearchIndexDb::Put(const ListedDay& day, std::string_view indexedText,
                              const IndexedDay* held) {
  IndexedDay row{held != nullptr ? held->id : 0, day.size, day.written, indexedText.size()};
  const auto size = static_cast<std::int64_t>(day.size);
  const auto written = static_cast<std::int64_t>(day.written);
  const auto length = static_cast<std::int64_t>(indexedText.size());
  bool inserted = false;
  if (held == nullptr) {
    Statement insert(*this, kInsertDay);
    insert.Bind(1, day.day.user).Bind(2, day.day.buddy).Bind(3, day.day.date);
    insert.Bind(4, size).Bind(5, written).Bind(6, length).Run();
    inserted = sqlite3_changes(db_.Get()) == 1;
    if (inserted) {
      row.id = sqlite3_last_insert_rowid(db_.Get());
    } else {  // a row the caller did not know of
      Statement find(*this, kDayId);
      find.Bind(1, day.day.user).Bind(2, day.day.buddy).Bind(3, day.day.date);
      if (!find.Step()) throw IndexError(SQLITE_ERROR, "no row for the day");
      row.id = find.Int(0);
    }
  }
  if (!inserted) {
    Statement update(*this, kUpdateDay);
    update.Bind(1, row.id).Bind(2, size).Bind(3, written).Bind(4, length).Run();
  }
  if (held != nullptr && indexedText.size() < held->textLength) AddGarbage(held->textLength);
  Statement text(*this, kInsertText);
  text.Bind(1, row.id).Bind(2, indexedText).Run();
  return row;
}

void SearchIndexDb::Remove(const IndexedDay& row) {
  Statement remove(*this, kDeleteDay);
  remove.Bind(1, row.id).Run();
  AddGarbage(row.textLength);
}

void SearchIndexDb::Empty() {
  Execute("DELETE FROM days; INSERT INTO day_text(day_text) VALUES('delete-all');");
  SetMeta("garbage", "0");
}

void SearchIndexDb::Interrupt() { sqlite3_interrupt(db_.Get()); }

}  // namespace corvane
