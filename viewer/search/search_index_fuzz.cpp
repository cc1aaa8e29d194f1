// The search index held to the full scan: on a history made and changed as
// the input says (new days, appends as the hook writes them, second
// sessions, deleted days, days rewritten behind the index's back with their
// write time put back but their size changed, days changing between the
// indexer's listing and its read), indexed in steps of any size, the index
// reopened or made anew, every search, within any range of dates and of
// anyone's lines or one sender's, gives exactly the rows, in the order, of
// reading every day and keeping the days and lines asked for plainly.
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

#include "viewer/days/history_day.h"
#include "viewer/history_tree/date_range.h"
#include "viewer/html/testing/ascii_lower_fold.h"
#include "viewer/search/day_index.h"
#include "viewer/search/search_rows.h"
#include "viewer/search/testing/plain_search.h"

namespace {

using corvane::DayIndex;
using corvane::FoldTable;
using corvane::HistoryDay;
using corvane::ListedDay;
using corvane::SearchRowList;
using corvane::SearchRows;
using corvane::SearchTerms;

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
const char* const kWords[] = {"lunch", "Lunch", "LUNCH", "fish &amp; chips", "\xC4pfel",
                              "\xE4pfel und Birnen", "lun<BR>ch", "<B>lun</B>ch", "see you",
                              "tonight?", "&lt;lunchbox&gt;", "x", "ab", "  spaced   out ",
                              "\"quoted\"", "brb, phone", "\xFC\xDF", "a&nbsp;b",
                              // lines that name a sender, or look like notices
                              "re: lunch", "<BR>amy: lunch", "<BR>(9) B O B: ok", "<BR>(brb)<BR>"};

const char* const kSenders[] = {"bob", "Bob", "the kid", "thekid", "amy", "\xC4nne"};
// Nobody, senders in other cases and blanks, and names nobody wrote under.
const char* const kWanted[] = {"",       " ",   "bob",     "B O B", "the kid",
                               "THEKID", "Amy", "\xE4NNE", "zed",   "bo"};
// The days' dates, and the ends of the ranges searched.
const char* const kDates[] = {"2000-02-29", "2001-12-31", "2002-01-01", "2002-03-01", "2002-06-15",
                              "2002-06-30", "2002-12-31", "2003-01-01", "2004-07-04"};

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
  if (in.ConsumeIntegralInRange(0, 7) == 0) return "<B>(IM Window Cleared)</B><BR>" + text + "<BR>";
  const std::string stamp = in.ConsumeBool() ? "(10:02:11 PM) " : "";
  return stamp + "<FONT COLOR=\"#0000ff\"><B>" + in.PickValueInArray(kSenders) +
         "</B>:</FONT> <FONT SIZE=2>" + text + "</FONT><BR>";
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
    SearchTerms terms;
    std::string& query = terms.query;
    if (in_.ConsumeBool()) {
      const std::string word = in_.PickValueInArray(kWords);
      const std::size_t from = in_.ConsumeIntegralInRange<std::size_t>(0, word.size());
      query = word.substr(from, in_.ConsumeIntegralInRange<std::size_t>(1, 12));
    } else {
      query = in_.ConsumeRandomLengthString(8);
    }
    terms.fold = in_.ConsumeBool() ? corvane::IdentityFold() : fold_;
    terms.saidBy = in_.PickValueInArray(kWanted);
    terms.nameFold = fold_;
    // Either end open or not, the ends in any order, or both in one year.
    const char* from = in_.ConsumeBool() ? in_.PickValueInArray(kDates) : "";
    const char* to = in_.ConsumeBool() ? in_.PickValueInArray(kDates) : "";
    corvane::DateRange range;
    if (*from != '\0') range.from = corvane::ParseIsoDate(from);
    if (*to != '\0') range.to = corvane::ParseIsoDate(to);
    // As the search window's worker does: the days in range, of which the
    // index picks; only those picked are put in order.
    std::vector<ListedDay> listed = Listing();
    corvane::KeepDaysInRange(listed, range);
    std::size_t unheld = 0;
    auto indexed = index_->DaysToRead(listed, query, terms.fold, unheld);
    const std::vector<corvane::PlainRow> full = PlainRows(terms, from, to);
    if (indexed) {
      Check(indexed->size() >= unheld);
      // Once every day is indexed as it is, the index answers alone.
      if (settled_) Check(unheld == 0);
    } else {
      indexed = listed;
    }
    corvane::SortNewestFirst(*indexed, fold_);
    SearchRows search(terms);
    SearchRowList rows;
    for (const ListedDay& day : *indexed) {
      search.Of(day.day, FileOf(day).html, rows);
      if (search.Capped()) break;
    }
    Check(rows.Size() == full.size());
    for (std::size_t i = 0; i < rows.Size(); ++i) {
      const SearchRowList::Row row = rows[i];
      Check(row.day.user == full[i].day.user && row.day.buddy == full[i].day.buddy &&
            row.day.date == full[i].day.date && row.text == full[i].text &&
            row.place == full[i].place);
      if (i % 7 == 0) CheckLocated(terms, row);
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
    const std::string date = std::string(in_.PickValueInArray(kDates)) + " [Day]";
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
      listed.push_back(ListedDay{HistoryDay{user, buddy, date}, day.html.size(), day.written});
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

  const DayFile& FileOf(const ListedDay& listed) const {
    return tree_.at({listed.day.user, listed.day.buddy, listed.day.date});
  }

  std::vector<corvane::PlainRow> PlainRows(const SearchTerms& terms, const char* from,
                                           const char* to) const {
    std::vector<ListedDay> days = Listing();
    corvane::SortNewestFirst(days, fold_);
    std::vector<corvane::PlainRow> rows;
    for (const ListedDay& day : days) {
      if (corvane::PlainDateWithin(day.day.date, from, to))
        corvane::AddPlainRows(day.day, FileOf(day).html, terms, rows);
    }
    return rows;
  }

  // A row opens its day at its own match while the day is as it was.
  void CheckLocated(const SearchTerms& terms, const SearchRowList::Row& row) {
    SearchRows search(terms);
    const std::string& html = tree_.at({row.day.user, row.day.buddy, row.day.date}).html;
    const std::optional<corvane::RowInView> shown = search.Locate(html, row.text, row.place);
    Check(shown.has_value());
    if (!terms.query.empty())
      Check(shown->highlight == terms.query && shown->occurrence == static_cast<int>(row.place));
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
