// The search index held to the full scan: on a history made and changed as
// the input says (new days, appends as the hook writes them, second
// sessions, deleted days, days rewritten behind the index's back with their
// write time put back but their size changed, days changing between the
// indexer's listing and its read), indexed in steps of any size, the index
// reopened or made anew, every search gives exactly the rows, in the order,
// of reading every day.
#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "viewer/search/day_index.h"
#include "viewer/search/search_order.h"
#include "viewer/search/search_rows.h"

namespace {

using corvane::DayIndex;
using corvane::FoldTable;
using corvane::ListedDay;
using corvane::SearchDay;
using corvane::SearchRow;
using corvane::SearchRows;

void Check(bool condition) {
  if (!condition) std::abort();
}

// The code page's case fold, as Windows lowers Latin-1 letters.
FoldTable LatinFold() {
  FoldTable fold = corvane::AsciiLowerFold();
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) fold[c] = static_cast<unsigned char>(c + 0x20);
  }
  return fold;
}

const char* const kUsers[] = {"alice", "Bert", "carol"};
const char* const kBuddies[] = {"bob", "the kid", "Zed", "amy"};
const char* const kWords[] = {"lunch",
                              "Lunch",
                              "LUNCH",
                              "fish &amp; chips",
                              "\xC4pfel",
                              "\xE4pfel und Birnen",
                              "lun<BR>ch",
                              "<B>lun</B>ch",
                              "see you",
                              "tonight?",
                              "&lt;lunchbox&gt;",
                              "x",
                              "ab",
                              "  spaced   out ",
                              "\"quoted\"",
                              "brb, phone",
                              "\xFC\xDF",
                              "a&nbsp;b"};

struct DayFile {
  std::string html;
  std::uint64_t written = 0;
};

std::string Message(FuzzedDataProvider& in) {
  std::string text;
  for (int n = in.ConsumeIntegralInRange(1, 4); n > 0; --n) {
    if (!text.empty()) text += ' ';
    text += in.PickValueInArray(kWords);
  }
  if (in.ConsumeBool()) text += in.ConsumeRandomLengthString(12);
  return "<FONT COLOR=\"#0000ff\"><B>bob</B>:</FONT> <FONT SIZE=2>" + text + "</FONT><BR>";
}

std::string Conversation(FuzzedDataProvider& in) {
  std::string html = "<HTML><BODY BGCOLOR=\"#ffffff\">";
  for (int n = in.ConsumeIntegralInRange(0, 6); n > 0; --n) html += Message(in);
  return html + "</BODY></HTML>";
}

// A day file's first block, or a later one, as the hook library writes them.
std::string Block(FuzzedDataProvider& in, bool first) {
  const std::string key =
      "<!-- 09:00:00-" + std::to_string(in.ConsumeIntegral<std::uint16_t>()) + " -->\r\n";
  if (first) return key + Conversation(in) + "\r\n";
  return key + "<BASE TARGET=\"_new\">\r\n" + Conversation(in) + "<BR>\r\n";
}

using Tree = std::map<std::tuple<std::string, std::string, std::string>, DayFile>;

class Oracle {
 public:
  explicit Oracle(FuzzedDataProvider& in) : in_(in) {
    path_ = "/tmp/corvane-search-index-fuzz-" + std::to_string(getpid()) + ".db";
    RemoveFiles();
    Reopen();
  }
  ~Oracle() {
    index_.reset();
    RemoveFiles();
  }

  void Step() {
    switch (in_.ConsumeIntegralInRange(0, 9)) {
      case 0:
      case 1:
        NewDay();
        break;
      case 2:
        Append(Some());
        break;
      case 3:
        SecondSession(Some());
        break;
      case 4:
        if (!tree_.empty()) tree_.erase(SomeKey());
        break;
      case 5:
        RewriteBehindTheIndexsBack();
        break;
      case 6:
        IndexSome();
        return;
      case 7:
        ReopenOrRebuild();
        return;
      default:
        Search();
        return;
    }
    settled_ = false;  // the days changed
  }

  void Search() {
    std::string query;
    if (in_.ConsumeBool()) {
      const std::string word = in_.PickValueInArray(kWords);
      const std::size_t from = in_.ConsumeIntegralInRange<std::size_t>(0, word.size());
      query = word.substr(from, in_.ConsumeIntegralInRange<std::size_t>(1, 12));
    } else {
      query = in_.ConsumeRandomLengthString(8);
    }
    const FoldTable fold = in_.ConsumeBool() ? corvane::IdentityFold() : fold_;
    // As the search window's worker does: the index picks from the days as
    // listed, only those picked are put in order.
    const std::vector<ListedDay> listed = Listing();
    std::size_t unheld = 0;
    auto indexed = index_->DaysToRead(listed, query, fold, unheld);
    std::vector<ListedDay> sorted = listed;
    corvane::SortNewestFirst(sorted, fold_);
    const std::vector<SearchRow> full = RowsOf(sorted, query, fold);
    if (!indexed) return;
    Check(indexed->size() >= unheld);
    corvane::SortNewestFirst(*indexed, fold_);
    // Once every day is indexed as it is, the index answers alone.
    if (settled_) Check(unheld == 0);
    const std::vector<SearchRow> rows = RowsOf(*indexed, query, fold);
    Check(rows.size() == full.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      Check(rows[i].day.user == full[i].day.user && rows[i].day.buddy == full[i].day.buddy &&
            rows[i].day.date == full[i].day.date && rows[i].text == full[i].text &&
            rows[i].occurrence == full[i].occurrence);
    }
  }

 private:
  void RemoveFiles() {
    for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path_ + suffix).c_str());
  }

  void Reopen() {
    index_.reset();
    index_ = std::make_unique<DayIndex>(path_, "History", fold_);
  }

  void ReopenOrRebuild() {
    if (in_.ConsumeIntegralInRange(0, 3) == 0) Reopen();
    if (in_.ConsumeIntegralInRange(0, 7) == 0 || index_->WantsRebuild()) {
      index_->Empty();
      index_->Commit();
      settled_ = tree_.empty();
    }
  }

  Tree::key_type SomeKey() {
    auto at = tree_.begin();
    std::advance(at, in_.ConsumeIntegralInRange<std::size_t>(0, tree_.size() - 1));
    return at->first;
  }

  DayFile* Some() { return tree_.empty() ? nullptr : &tree_[SomeKey()]; }

  void NewDay() {
    const std::string date =
        "2002-06-" + std::to_string(10 + in_.ConsumeIntegralInRange(0, 19)) + " [Day]";
    DayFile& day = tree_[{in_.PickValueInArray(kUsers), in_.PickValueInArray(kBuddies), date}];
    day.html = Block(in_, true);
    day.written = ++clock_;
  }

  // The hook's usual write: the new messages replace the conversation's
  // closing tags, which follow them.
  void Append(DayFile* day) {
    if (day == nullptr) return;
    const std::size_t end = day->html.rfind("</BODY></HTML>");
    if (end == std::string::npos) return;
    day->html.insert(end, Message(in_));
    day->written = ++clock_;
  }

  void SecondSession(DayFile* day) {
    if (day == nullptr) return;
    day->html += Block(in_, false);
    day->written = ++clock_;
  }

  void RewriteBehindTheIndexsBack() {
    DayFile* day = Some();
    if (day == nullptr) return;
    const std::size_t size = day->html.size();
    day->html = Block(in_, true);
    if (day->html.size() == size) day->html += ' ';
  }

  std::vector<ListedDay> Listing() const {
    std::vector<ListedDay> listed;
    for (const auto& [key, day] : tree_) {
      const auto& [user, buddy, date] = key;
      listed.push_back(ListedDay{SearchDay{user, buddy, date}, day.html.size(), day.written});
    }
    return listed;
  }

  // The indexer's pass, cut short anywhere; a day may change between the
  // listing and the read, as a history write between them would.
  void IndexSome() {
    const corvane::IndexWork work = index_->Plan(Listing());
    index_->Remove(work.gone);
    const std::size_t budget = in_.ConsumeIntegralInRange<std::size_t>(0, work.toIndex.size());
    bool changed = false;
    for (std::size_t i = 0; i < budget; ++i) {
      const ListedDay& listed = work.toIndex[i];
      DayFile& file = tree_.at({listed.day.user, listed.day.buddy, listed.day.date});
      if (in_.ConsumeIntegralInRange(0, 7) == 0) {
        Append(&file);
        changed = true;
      }
      index_->Put(listed, file.html);
    }
    index_->Commit();
    settled_ = budget == work.toIndex.size() && !changed;
  }

  std::vector<SearchRow> RowsOf(const std::vector<ListedDay>& days, const std::string& query,
                                const FoldTable& fold) const {
    SearchRows search(query, fold);
    std::vector<SearchRow> rows;
    for (const ListedDay& listed : days) {
      const DayFile& file = tree_.at({listed.day.user, listed.day.buddy, listed.day.date});
      for (SearchRow& row : search.Of(listed.day, file.html)) rows.push_back(std::move(row));
      if (search.Capped()) break;
    }
    return rows;
  }

  FuzzedDataProvider& in_;
  const FoldTable fold_ = LatinFold();
  std::string path_;
  std::unique_ptr<DayIndex> index_;
  Tree tree_;
  std::uint64_t clock_ = 1;
  // Every day is indexed as it is now.
  bool settled_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Oracle oracle(in);
  while (in.remaining_bytes() > 0) oracle.Step();
  oracle.Search();
  return 0;
}
