#include "reports/worked_lists.h"

#include "reports/result_summary.h"

namespace zd {

std::vector<std::string> WorkedLists::CopyOf(const Lists& lists, int index) {
  if (index < 0 || index >= kWorkedLists) return {};
  return lists[static_cast<std::size_t>(index)];
}

std::vector<std::string> WorkedLists::Entities(int index) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return CopyOf(entities_, index);
}

std::vector<std::string> WorkedLists::Regions(int index) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return CopyOf(regions_, index);
}

void WorkedLists::TakeRebuilt(ScoreFigures& f) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (int b = 0; b < kBandCount; ++b) {
    if (!f.bandRebuilt[static_cast<std::size_t>(b)]) continue;
    for (int m = 0; m < kModeSlots; ++m) {
      const auto i = static_cast<std::size_t>(WorkedListIndex(b, m));
      entities_[i] = std::move(f.workedEntities[i]);
      regions_[i] = std::move(f.workedRegions[i]);
    }
  }
}

void WorkedLists::ClearSlot(int slot) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (int b = 0; b < kBandCount; ++b) {
    const auto i = static_cast<std::size_t>(WorkedListIndex(b, slot));
    entities_[i].clear();
    regions_[i].clear();
  }
}

}  // namespace zd
