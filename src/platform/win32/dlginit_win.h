// Initial choices of a dialog's list and combo boxes, kept in the dialog's resources
// beside its template in the DLGINIT layout that resource editors write: for each entry
// a 16-bit control id, a 16-bit message (0x403 adds a string to a combo box, 0x401 to a
// list box), a 32-bit length and that many bytes of text; a control id of 0 ends the list.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zd::win {

inline constexpr WORD kDlgInitResourceType = 240;

struct DlgInitEntry {
  int controlId = 0;
  WORD message = 0;  // as stored: 0x403 or 0x401
  std::string text;  // code page 1251, without its NUL
};

// Reads the entries of a DLGINIT block. A block cut short ends the list at the last
// whole entry.
std::vector<DlgInitEntry> ParseDlgInit(const void* data, std::size_t size);

// Adds the choices of the DLGINIT resource `templateId` of the module to the dialog's
// controls. Returns the number of strings added (0 when there is no such resource).
int ApplyDlgInit(HWND dialog, int templateId);

}  // namespace zd::win
