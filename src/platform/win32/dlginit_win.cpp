#include "platform/win32/dlginit_win.h"

#include <cstring>

#include "platform/win32/dialog_win.h"
#include "platform/win32/text_win.h"

namespace zd::win {
namespace {

constexpr WORD kAddComboString = 0x403;
constexpr WORD kAddListString = 0x401;

}  // namespace

std::vector<DlgInitEntry> ParseDlgInit(const void* data, std::size_t size) {
  std::vector<DlgInitEntry> entries;
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::size_t at = 0;
  while (bytes && at + sizeof(WORD) <= size) {
    WORD id = 0;
    std::memcpy(&id, bytes + at, sizeof id);
    if (id == 0) break;
    if (size - at < 2 * sizeof(WORD) + sizeof(DWORD)) break;
    WORD message = 0;
    DWORD length = 0;
    std::memcpy(&message, bytes + at + 2, sizeof message);
    std::memcpy(&length, bytes + at + 4, sizeof length);
    at += 8;
    if (length > size - at) break;
    const char* text = reinterpret_cast<const char*>(bytes + at);
    const std::size_t n = strnlen(text, length);
    entries.push_back({id, message, std::string(text, n)});
    at += length;
  }
  return entries;
}

int ApplyDlgInit(HWND dialog, int templateId) {
  const HINSTANCE module = ModuleInstance();
  HRSRC found =
      FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(kDlgInitResourceType));
  if (!found) return 0;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return 0;
  int added = 0;
  for (const DlgInitEntry& e : ParseDlgInit(data, SizeofResource(module, found))) {
    UINT message = 0;
    if (e.message == kAddComboString) {
      message = CB_ADDSTRING;
    } else if (e.message == kAddListString) {
      message = LB_ADDSTRING;
    } else {
      continue;
    }
    HWND control = GetDlgItem(dialog, e.controlId);
    if (!control) continue;
    const std::wstring text = FromCp1251(e.text);
    const LRESULT r = SendMessageW(control, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (r >= 0) ++added;
  }
  return added;
}

}  // namespace zd::win
