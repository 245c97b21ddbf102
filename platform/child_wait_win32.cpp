#include "platform/child_wait.h"
#include "platform/windows_prelude.h"

namespace {

// Takes every message waiting in the queue; a WM_QUIT is dropped, not acted on.
void DrainMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

int WaitForChild(void* process) {
  HANDLE handle = static_cast<HANDLE>(process);
  for (;;) {
    DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0) return 0;
    if (result == WAIT_OBJECT_0 + 1) {
      DrainMessages();
    } else if (result == WAIT_FAILED) {
      return -1;  // the handle cannot be waited on: retrying would spin for ever
    }
  }
}
