#include "viewer/search/search_row_list.h"

namespace corvane {

void SearchRowList::AddDay(const HistoryDay& day) { days_.push_back(day); }

std::uint32_t SearchRowList::KeepText(std::string_view text) {
  if (text.empty()) return 0;
  if (!rows_.empty()) {
    const Kept& last = rows_.back();
    if ((*this)[rows_.size() - 1].text == text) return last.textAt;
  }
  if (blocks_.empty() || blocks_.back().size() + text.size() > kBlockSize) {
    blocks_.emplace_back();
    if (blocks_.size() > 1) blocks_.back().reserve(kBlockSize);
  }
  std::string& block = blocks_.back();
  const std::size_t at = (blocks_.size() - 1) * kBlockSize + block.size();
  block += text;
  return static_cast<std::uint32_t>(at);
}

void SearchRowList::Add(std::string_view text, std::uint32_t place) {
  text = text.substr(0, kBlockSize);
  const std::uint32_t at = KeepText(text);
  rows_.push_back(Kept{static_cast<std::uint32_t>(days_.size() - 1), place, at,
                       static_cast<std::uint32_t>(text.size())});
}

void SearchRowList::Append(const SearchRowList& more) {
  std::size_t row = 0;
  for (std::size_t day = 0; day < more.days_.size(); ++day) {
    AddDay(more.days_[day]);
    for (; row < more.rows_.size() && more.rows_[row].day == day; ++row) {
      const Row added = more[row];
      Add(added.text, added.place);
    }
  }
}

void SearchRowList::Clear() {
  days_.clear();
  rows_.clear();
  blocks_.clear();
}

SearchRowList::Row SearchRowList::operator[](std::size_t index) const {
  const Kept& kept = rows_[index];
  if (kept.textLength == 0) return Row{days_[kept.day], {}, kept.place};
  const char* block = blocks_[kept.textAt / kBlockSize].data();
  return Row{days_[kept.day], std::string_view(block + kept.textAt % kBlockSize, kept.textLength),
             kept.place};
}

std::size_t SearchRowList::Bytes() const {
  std::size_t bytes = rows_.size() * sizeof(Kept) + days_.size() * sizeof(HistoryDay);
  for (const std::string& block : blocks_) bytes += block.capacity();
  return bytes;
}

}  // namespace corvane
