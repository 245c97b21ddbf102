// The console's progress through staging: one line per component as its staging begins,
// in the user's language, numbered among the components this run stages
// ("Expanding the installer core (2 of 4)..."). The lines go to the console only: the
// installer log keeps what it had, and without a console (-NOCONSOLE) they go nowhere.
#ifndef STAGING_STAGING_PROGRESS_H_
#define STAGING_STAGING_PROGRESS_H_

#include <string>

struct ComponentInfo;

class StagingProgress {
 public:
  // How many components the run stages; the lines count up to it.
  void SetTotal(int total) { total_ = total; }

  // The archives of the component `id` are about to be expanded: a known id shows its
  // row's line (params/component_table.def), any other id S_EXPANDING_OTHER naming it.
  void ShowExpanding(const std::string& id);
  // The component's folder is about to be copied.
  void ShowCopying(const ComponentInfo& component);

 private:
  int total_ = 0;
  int shown_ = 0;
};

#endif  // STAGING_STAGING_PROGRESS_H_
