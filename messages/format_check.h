// Checks a catalogue text against the arguments its key is formatted with, so that a
// text can never make printf read an argument that is not there or of another type.
#ifndef MESSAGES_FORMAT_CHECK_H_
#define MESSAGES_FORMAT_CHECK_H_

#include <string_view>

// Counts the arguments that the printf format `text` consumes, given the arguments
// `arguments` ('s' string, 'd' int, in order) that it will be passed. Returns -1 when
// a conversion is of the wrong type, reaches past the last argument, or is one the
// launcher never allows (%n, '*', positional, length modifiers, a lone '%').
// Flags, a width and a precision of up to three digits are allowed.
// Examples: ("Copied %d files", "d") -> 1; ("%s: %d", "sd") -> 2; ("100%%", "") -> 0;
// ("%d", "s") -> -1; ("%s %s", "s") -> -1.
int CountFormatArguments(std::string_view text, std::string_view arguments);

#endif  // MESSAGES_FORMAT_CHECK_H_
