#include "prereq/paging_files.h"

#include <climits>
#include <string>

#include "platform/classic_space.h"

namespace {

// Reads "%d" at `*i` after optional blanks; false when no digit follows.
bool ReadInteger(const std::string& text, std::size_t* i, int* value) {
  std::size_t at = *i;
  while (at < text.size() && IsClassicSpace(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  if (at >= text.size() || text[at] < '0' || text[at] > '9') return false;
  long long number = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    if (number <= INT_MAX) number = number * 10 + (text[at] - '0');
  }
  if (number > INT_MAX) number = INT_MAX;
  *value = static_cast<int>(negative ? -number : number);
  *i = at;
  return true;
}

// The maximum size of one piece read as "%s %d %d", or 0.
int PieceMaximum(const std::string& piece) {
  std::size_t i = 0;
  while (i < piece.size() && IsClassicSpace(piece[i])) ++i;
  if (i == piece.size()) return 0;  // no file name
  while (i < piece.size() && !IsClassicSpace(piece[i])) ++i;
  int initial = 0, maximum = 0;
  if (!ReadInteger(piece, &i, &initial)) return 0;
  if (!ReadInteger(piece, &i, &maximum)) return 0;
  return maximum;
}

}  // namespace

double SumPagingFileMaxima(const char* bytes, std::size_t size) {
  std::string line(bytes, size);
  // The multi-string's terminators read as blanks, so its entries run together.
  for (char& c : line) {
    if (c == '\0') c = ' ';
  }
  double total = 0;
  bool first = true;
  std::size_t start = 0;
  while (start <= line.size()) {
    std::size_t end = line.find(':', start);
    if (end == std::string::npos) end = line.size();
    if (end > start) {
      if (!first) total += PieceMaximum(line.substr(start, end - start));
      first = false;
    }
    start = end + 1;
  }
  return total;
}
