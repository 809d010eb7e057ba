// Calls into a running automation object, as the contest module's window thread and the
// mode switch both make them to the host: attach to the running instance (never start
// one), find a member's dispatch id by name, and invoke a member.
#pragma once

#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <optional>

#include "platform/win32/handles_win.h"

namespace zd::win {

// The running object published under `progId`, or null when there is none.
ComPtr<IDispatch> AttachRunningObject(const wchar_t* progId);

// The dispatch id of a member, looked up by name.
std::optional<DISPID> MemberId(IDispatch* object, const wchar_t* name);

// Invokes a member; true when the object accepted the call. `result` receives what it
// returned; the texts of an exception it raised are freed.
bool InvokeMember(IDispatch* object, DISPID id, WORD flags, VARIANT* args, UINT count,
                  VARIANT* result);

}  // namespace zd::win
