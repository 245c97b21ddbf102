// Option recognition: how the launcher's command line becomes its launch settings.
//
// The launcher gets its command line as one raw string and never splits it. Its
// argument vector has two elements: the module path and that raw string. Options are
// found by substring: most wherever their upper-case name occurs in the upper-cased
// argument, so -silent, -SiLeNt and -silentInstall all set silent mode. Five value
// options (-paramFile, ...) are matched case-sensitively in the joined text and run to
// the next " -". Text after "-J" is the Java options and is cut off the argument that
// goes on to the Java installer. Nothing here fails or prints, except a debug note when
// an assigned location cannot be made absolute.
//
// The module path (element 0) is not scanned, so a launcher installed under a path
// such as C:\tools-debug\ does not switch on debug mode.
#ifndef LAUNCHER_OPTIONS_H_
#define LAUNCHER_OPTIONS_H_

#include <string>
#include <string_view>
#include <vector>

struct LaunchSettings;

// Every element followed by one blank: {"a", "b"} -> "a b ".
std::string JoinArguments(const std::vector<std::string>& elements);

// Finds `name` in `text` and stores what follows it, up to the next " -" searched from
// one character after the name, trimmed of white space, in `*value` (at most 1023
// characters). When `name` does not occur, `*value` is only trimmed; when `text` is
// empty it is left alone. Returns whether `name` occurs.
// Example: ("-paramFile", "-paramFile C:\p.ini -silent ") stores "C:\p.ini".
bool GetOptionValue(std::string_view name, std::string_view text, std::string* value);

// Stores the text between the first and the second '=' of `element`, less one leading
// and one trailing double quote, made absolute, in `*value`. With `from_location` the
// text names a file and the value is its directory followed by "\prereq". `*value` is
// unchanged when `element` has no '='. Under `debug` a path that cannot be made
// absolute is reported through perror with S_ERABS_PATH.
void GetAssignedValue(std::string* value, std::string_view element, bool from_location, bool debug);

// One option of the launcher's tables, as the reference lists it.
struct OptionDescription {
  std::string name;
  std::string how;     // how it is matched and what it takes
  std::string effect;  // what it sets besides its own switch
};

// Every option the launcher recognises, the value options first, each table in order.
std::vector<OptionDescription> DescribeOptions();

// Recognises every option in `*elements` (the two-element argument vector) into
// `*settings`. The Java options are cut off the elements they were found in.
void ParseOptions(std::vector<std::string>* elements, LaunchSettings* settings);

#endif  // LAUNCHER_OPTIONS_H_
