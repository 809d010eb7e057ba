// The module keeps its texts in code page 1251; windows show them through the wide
// functions, so Russian texts read correctly whatever the system's ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zd::win {

std::wstring FromCp1251(std::string_view text);
std::string ToCp1251(std::wstring_view text);
std::wstring WindowTextW(HWND hwnd);
std::string DialogItemText(HWND dialog, int id);
void SetDialogItemText(HWND dialog, int id, std::string_view cp1251);
void SetWindowTextCp1251(HWND hwnd, std::string_view cp1251);

}  // namespace zd::win
