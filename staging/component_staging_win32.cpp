#include "staging/component_staging.h"

// Staging is not part of this launcher yet: the installer runs from the medium's
// locations, which stay as they are.
int StageComponents(StagingRequest*) { return kStagedNothing; }
