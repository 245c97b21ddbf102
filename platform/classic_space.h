// The blanks of the classic ("C") locale, whatever locale the process runs in.
#ifndef PLATFORM_CLASSIC_SPACE_H_
#define PLATFORM_CLASSIC_SPACE_H_

// Space, tab, line feed, vertical tab, form feed and carriage return; bytes above 0x7F
// never are.
inline bool IsClassicSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

#endif  // PLATFORM_CLASSIC_SPACE_H_
