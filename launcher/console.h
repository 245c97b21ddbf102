// The launcher's own console window, for progress, errors in silent mode and prompts.
#ifndef LAUNCHER_CONSOLE_H_
#define LAUNCHER_CONSOLE_H_

// Creates a console (80 x 2000 buffer, window 41 rows high, titled "Velmor Tavrun
// Installer"), rebinds the standard streams to it unbuffered in text mode and takes its
// output handle for console text. A step that fails leaves the console as it is; the
// launch goes on either way.
void SetUpConsole();

#endif  // LAUNCHER_CONSOLE_H_
