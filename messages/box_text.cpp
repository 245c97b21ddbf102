#include "messages/box_text.h"

std::string BoxText(const std::string& text) {
  std::string::size_type first = text.find_first_not_of('\n');
  if (first == std::string::npos) return std::string();
  std::string::size_type last = text.find_last_not_of('\n');
  std::string box;
  box.reserve(last - first + 1);
  for (std::string::size_type i = first; i <= last;) {
    if (text[i] != '\n') {
      box += text[i++];
      continue;
    }
    std::string::size_type run = text.find_first_not_of('\n', i) - i;
    // One line feed only fitted the line to the console; more make a paragraph.
    if (run == 1) {
      box += ' ';
    } else {
      box.append(run, '\n');
    }
    i += run;
  }
  return box;
}
