#include "platform/win32/text_win.h"

namespace zd::win {

std::wstring FromCp1251(std::string_view text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(1251, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) {
    MultiByteToWideChar(1251, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  }
  return out;
}

std::string ToCp1251(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
  }
  return out;
}

std::wstring WindowTextW(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, out.data(), static_cast<int>(out.size()));
  out.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return out;
}

std::string DialogItemText(HWND dialog, int id) {
  return ToCp1251(WindowTextW(GetDlgItem(dialog, id)));
}

void SetDialogItemText(HWND dialog, int id, std::string_view cp1251) {
  SetDlgItemTextW(dialog, id, FromCp1251(cp1251).c_str());
}

void SetWindowTextCp1251(HWND hwnd, std::string_view cp1251) {
  SetWindowTextW(hwnd, FromCp1251(cp1251).c_str());
}

}  // namespace zd::win
