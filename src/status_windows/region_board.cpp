#include "status_windows/region_board.h"

#include "status_windows/status_texts.h"

namespace zd {

const std::array<std::string_view, kRegionCells> kRegionCellCodes = {
    "SP", "SR", "ST", "SV", "TA", "AD", "AL", "AM", "AO", "AR", "BA", "BO", "BR", "BU", "CB",
    "CK", "CN", "CU", "DA", "EA", "GA", "HA", "HK", "HM", "IN", "IR", "IV", "KA", "KB", "KC",
    "KE", "KG", "KI", "KJ", "KK", "KL", "KM", "KN", "KO", "KR", "KS", "KT", "KU", "LO", "LP",
    "MA", "MD", "MO", "MG", "MR", "MU", "NN", "NS", "NV", "OB", "OM", "OR", "PE", "PK", "PM",
    "PS", "RA", "RO", "SA", "SL", "SM", "SO", "TB", "TL", "TN", "TO", "TU", "TV", "UD", "UL",
    "VG", "VL", "VO", "VR", "YA", "YN", "YR", "ZK", "NO", "RK", "SE", "AN", "FJ"};

namespace {

constexpr int kColumnX[6] = {7, 52, 97, 142, 182, 219};
constexpr int kRowTop[15] = {7, 16, 25, 34, 43, 53, 63, 72, 81, 91, 100, 110, 119, 128, 139};
constexpr int kCellWidth = 26;
constexpr int kCellHeight = 10;  // less where the next row starts sooner

// The grid as the operator sees it, row by row.
constexpr std::string_view kGrid[15][6] = {
    {"AD", "AL", "AM", "AN", "AR", "AO"}, {"BA", "BO", "BR", "BU", "CB", "CK"},
    {"CN", "CU", "DA", "EA", "FJ", "GA"}, {"HA", "HK", "HM", "IN", "IR", "IV"},
    {"KA", "KB", "KC", "KE", "KG", "KI"}, {"KJ", "KK", "KL", "KM", "KN", "KO"},
    {"KR", "KS", "KT", "KU", "LP", "LO"}, {"MA", "MD", "MG", "MO", "MR", "MU"},
    {"NN", "NO", "NS", "NV", "OB", "OM"}, {"OR", "PE", "PK", "PM", "PS", "RA"},
    {"RK", "RO", "SA", "SE", "SL", "SM"}, {"SO", "SP", "SR", "ST", "SV", "TA"},
    {"TB", "TL", "TN", "TO", "TU", "TV"}, {"VG", "VL", "VO", "VR", "UD", "UL"},
    {"YA", "YN", "YR", "ZK", "", ""}};

}  // namespace

DialogRect RegionCellRect(int cell) {
  if (cell < 0 || cell >= kRegionCells) return {};
  const std::string_view code = kRegionCellCodes[static_cast<std::size_t>(cell)];
  for (int row = 0; row < 15; ++row) {
    for (int col = 0; col < 6; ++col) {
      if (kGrid[row][col] != code) continue;
      int height = kCellHeight;
      if (row + 1 < 15 && kRowTop[row + 1] - kRowTop[row] < height) {
        height = kRowTop[row + 1] - kRowTop[row];
      }
      return {kColumnX[col], kRowTop[row], kCellWidth, height};
    }
  }
  return {};
}

void RegionBoard::Refresh(const std::vector<std::string>& worked) {
  marks_.fill(false);
  for (const std::string& code : worked) {
    for (std::size_t cell = 0; cell < marks_.size(); ++cell) {
      if (code == kRegionCellCodes[cell]) marks_[cell] = true;
    }
  }
}

void RegionBoard::Refresh(const WindowState& state, const RefreshView& view) {
  const std::vector<std::string> worked =
      state.worked.Regions(WorkedListIndex(view.band, view.mode));
  Refresh(worked);
  title_ = RegionTitle(state.contest.RussianText(), view.modeText, view.bandText, worked.size());
}

}  // namespace zd
