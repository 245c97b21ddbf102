#include "launcher/exit_codes.h"

const ExitCodeInfo kExitCodes[] = {
    {"1", "no message catalogue can be read"},
    {"-1",
     "the launcher's own checks: no scratch directory, a given scratch directory others than "
     "the administrators could change (elevated), a scratch directory moved while in use, "
     "a user the launcher cannot name (elevated), its own path too long, no launcher "
     "directory, a refused "
     "prerequisite, a distribution medium in a mode that refuses one, a missing "
     "prerequisite configuration, no runtime without a console or input ended at the "
     "prompt, staging failed, a missing Java program, no registry access, a runtime of the "
     "wrong kind"},
    {"-2", "no velparam.ini, after the prerequisite checks and the pause"},
    {"-3",
     "a sealed medium: velseal.sha256 missing or not the one the seal names, or a file the "
     "launcher reads, starts or stages missing, changed or not in that list; or a component "
     "that would run from the medium instead of the scratch directory"},
    {"0", "no runtime and DISABLE_JRE_PROMPT=TRUE; -BOOTSTRAPONLY done"},
    {"the installer's",
     "its exit code when the launcher waits for it (an installed layout, "
     "or WAIT_FOR_COMPLETION), else its status after the start (259 while "
     "it runs); the system's error code when it cannot be started"},
};
const int kExitCodeCount = sizeof kExitCodes / sizeof kExitCodes[0];
