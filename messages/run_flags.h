// The run's flags: what the command line says about how the launcher speaks and how
// far it goes. Set by ParseOptions as each option's row says, read by the console, the
// installer log and every subsystem; nothing keeps a copy.
#ifndef MESSAGES_RUN_FLAGS_H_
#define MESSAGES_RUN_FLAGS_H_

struct RunFlags {
  // -SILENT, or a mode that runs silently: errors go to the console instead of message
  // boxes, and nothing is asked.
  bool silent = false;
  bool debug = false;
  // -NOCONSOLE: no console of the launcher's own; console text is dropped.
  bool no_console = false;
  // -BOOTSTRAPONLY: stage into BOOTSTRAP_LOC and stop before the installer.
  bool bootstrap_only = false;
};

// The flags of this run.
extern RunFlags g_run_flags;

#endif  // MESSAGES_RUN_FLAGS_H_
