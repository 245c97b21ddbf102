// Starting child processes and waiting for them.
//
// A child (unzip, the Java installer) is started as the root of a new process group in
// the launcher's working directory. It inherits the standard handles and nothing else
// (the installer log's handle is the launcher's own), and the environment that
// ChildEnvironment (platform/environment_block.h) leaves it: unzip never gets its option
// variables, and an elevated launcher's children neither the variables that load the
// user's code into Java nor the user's PATH. Where the system has it, the child also
// gets the redirection trust policy: junctions made by non-administrators are not
// followed. While the
// launcher waits for it, it still answers messages that other threads or programs send
// to it, so that a system broadcast never hangs on a windowed launcher. Posted messages,
// WM_QUIT included, neither wake nor end the wait.
#ifndef PLATFORM_CHILD_PROCESS_H_
#define PLATFORM_CHILD_PROCESS_H_

#include <string>

#include "platform/environment_block.h"

// Starts the program file `program`, an absolute path, with the command text `command`
// (whose first word names the program for the child's own use), its window shown as
// `show_window` (an SW_ value), as the child `kind`. The file started is `program`
// itself: no search, and
// nothing in `command` or the working directory decides which file runs. 0 with
// `*process` set to a process handle that the caller closes; else the system's error
// code, and `*process` untouched.
unsigned long StartChild(const std::string& program, const std::string& command, int show_window,
                         ChildProgram kind, void** process);

// Waits until `process` (a process handle) is signalled, dispatching sent messages
// meanwhile. 0 once it is signalled; -1 when the wait itself fails, rather than trying
// again for ever. GetLastError() then tells why; the caller reports it.
int WaitForChild(void* process);

#endif  // PLATFORM_CHILD_PROCESS_H_
