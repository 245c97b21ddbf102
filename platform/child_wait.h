// Waiting for a child process while the launcher stays responsive.
//
// The launcher is a windowed program: while it waits for unzip or the Java installer, it
// still answers messages that other threads or programs send to it, so that a system
// broadcast never hangs on it. Posted messages, WM_QUIT included, neither wake nor end
// the wait.
#ifndef PLATFORM_CHILD_WAIT_H_
#define PLATFORM_CHILD_WAIT_H_

// Waits until `process` (a process handle) is signalled, dispatching sent messages
// meanwhile. 0 once it is signalled; -1 when the wait itself fails, rather than trying
// again for ever. GetLastError() then tells why; the caller reports it.
int WaitForChild(void* process);

#endif  // PLATFORM_CHILD_WAIT_H_
