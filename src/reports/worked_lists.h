// The worked lists the status windows show: for each band and mode slot (index band × 3 +
// slot, WorkedListIndex) the DXCC prefixes and the region codes worked, as the last result
// rebuilt them for the bands it reported. The result writes them on the host's thread and
// the status windows read copies on the window thread, under a lock of the lists' own (no
// one reads them together with the log).
#pragma once

#include <array>
#include <mutex>
#include <string>
#include <vector>

#include "engine/contest_rules.h"

namespace zd {

struct ScoreFigures;

class WorkedLists {
 public:
  // Copies of one list; empty for an index outside the lists.
  std::vector<std::string> Entities(int index) const;
  std::vector<std::string> Regions(int index) const;
  // Takes the lists of the bands the result rebuilt; the other bands keep theirs.
  void TakeRebuilt(ScoreFigures& figures);
  // Empties the lists of one mode slot on every band.
  void ClearSlot(int slot);

 private:
  using Lists = std::array<std::vector<std::string>, kWorkedLists>;
  static std::vector<std::string> CopyOf(const Lists& lists, int index);

  mutable std::mutex mutex_;
  Lists entities_{};
  Lists regions_{};
};

}  // namespace zd
