#include "platform/char_class.h"

#include "platform/windows_prelude.h"

// What IsCharAlphaA answers (the character of the ANSI code page classed as a letter),
// through kernel32, so that the window system is not loaded for it.
bool IsAlphaChar(char c) {
  wchar_t wide = 0;
  WORD type = 0;
  return MultiByteToWideChar(CP_ACP, 0, &c, 1, &wide, 1) == 1 &&
         GetStringTypeW(CT_CTYPE1, &wide, 1, &type) && (type & C1_ALPHA) != 0;
}
