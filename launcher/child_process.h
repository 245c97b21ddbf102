// Starting the Java installer and waiting for a child process.
//
// The installer is started from the elements of the Java command, each followed by one
// blank, as the root of a new process group that inherits the launcher's handles,
// environment and working directory. While the launcher waits it still answers
// messages sent to it, so a system broadcast never hangs on it; posted messages,
// WM_QUIT included, do not end the wait.
#ifndef LAUNCHER_CHILD_PROCESS_H_
#define LAUNCHER_CHILD_PROCESS_H_

#include <string>
#include <vector>

// Starts the installer and, with `wait`, waits for it to end. Returns the child's exit
// status (259 while it still runs), or the system error code after S_ERGOSLST for
// CreateTAVProcess() (then, silent, the Enter pause). Under debug the elements are
// echoed on the console and appended to the installer log file. `*still_running`, when
// given, tells whether the child may still be running on return: it was not waited
// for, or the wait failed.
int RunInstallerProcess(const std::vector<std::string>& elements, bool wait,
                        bool* still_running = nullptr);

// Waits until `process` (a process handle) is signalled, dispatching sent messages
// meanwhile. 0 once it is signalled; -1 after S_ERGOSLST when the wait itself fails,
// rather than trying again forever.
int WaitForChild(void* process);

#endif  // LAUNCHER_CHILD_PROCESS_H_
