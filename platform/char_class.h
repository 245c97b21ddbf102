// Character classes as the system's ANSI code page defines them.
#ifndef PLATFORM_CHAR_CLASS_H_
#define PLATFORM_CHAR_CLASS_H_

// Whether `c` is a letter (IsCharAlphaA on Windows, ASCII letters in the native build).
bool IsAlphaChar(char c);

#endif  // PLATFORM_CHAR_CLASS_H_
