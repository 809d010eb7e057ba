// The library's entry point: when the library is unloaded, the window thread is stopped
// before the module's state is destroyed (the state's destructors run after this).
#include <windows.h>

#include "control/window_thread_win.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH) {
    try {
      zd::win::StopWindowThreadAtUnload(reserved != nullptr);
    } catch (...) {
    }
  }
  return TRUE;
}
