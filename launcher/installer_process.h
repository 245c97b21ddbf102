// Starting the Java installer and waiting for a child process.
//
// The installer is started from the elements of the Java command, each followed by one
// blank, as the root of a new process group that inherits the launcher's handles,
// environment and working directory. The wait is WaitForChild's (platform/child_process.h).
#ifndef LAUNCHER_INSTALLER_PROCESS_H_
#define LAUNCHER_INSTALLER_PROCESS_H_

#include <string>
#include <vector>

// Starts the installer, the program file `program` (an absolute path) with the
// elements as its command text, and, with `wait`, waits for it to end. Returns the child's exit
// status (259 while it still runs), or the system error code after S_ERGOSLST for
// CreateTAVProcess() (then, silent, the Enter pause). Under debug the elements are
// echoed on the console and appended to the installer log file. `*still_running`, when
// given, tells whether the child may still be running on return: it was not waited
// for, or the wait failed (reported as S_ERGOSLST for MsgWaitForMultipleObjects()).
int RunInstallerProcess(const std::string& program, const std::vector<std::string>& elements,
                        bool wait, bool* still_running = nullptr);

#endif  // LAUNCHER_INSTALLER_PROCESS_H_
