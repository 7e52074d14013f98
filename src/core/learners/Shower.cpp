#include "learners/Shower.h"

#include <algorithm>

namespace zidezo {

TMemoryStream& TShowerBase::ContentStream() {
  if (!content_) content_ = std::make_unique<TMemoryStream>();
  return *content_;
}

void TShower::Add(std::unique_ptr<TComplicatedTestContent> item) {
  if (!item) return;
  items_.push_back(item.get());
  owned_.push_back(std::move(item));
}

TShowerBase* TShower::Item(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)] : nullptr;
}

void TShower::SetQuestion(TShowerBase* question) {
  question_ = question;
  if (question_) question_->RegisterShower(this);
}

TShower* TPageShowers::Add(std::unique_ptr<TShower> row) {
  if (!row) return nullptr;
  rows_.push_back(std::move(row));
  return rows_.back().get();
}

TShower* TPageShowers::Row(int index) const {
  return index >= 0 && index < Count() ? rows_[static_cast<std::size_t>(index)].get() : nullptr;
}

bool TPageShowers::Complete() const {
  return std::all_of(rows_.begin(), rows_.end(), [](const auto& row) { return row->done; });
}

}  // namespace zidezo
