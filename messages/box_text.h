// Catalogue texts are laid out for the 80-column console: their lines are broken with
// "\n" to fit it. A message box wraps its own lines, so the same text is shown there
// without the console's breaks.
#ifndef MESSAGES_BOX_TEXT_H_
#define MESSAGES_BOX_TEXT_H_

#include <string>

// The console `text` as a message box shows it: a single "\n" between two non-empty
// lines becomes one blank, an empty line (two or more "\n") stays as it is, and
// leading and trailing line feeds go. BoxText("\nERROR: not\nfound.\n\nRetry.\n")
// gives "ERROR: not found.\n\nRetry.".
std::string BoxText(const std::string& text);

#endif  // MESSAGES_BOX_TEXT_H_
