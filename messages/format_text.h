// Formats message texts into bounded buffers.
//
// Every report of the launcher is a message key formatted with its arguments: the
// console gets the key's local text, the installer log its base text. Catalogue texts
// are safe formats here: the loader refused every text whose conversions do not fit
// its key's arguments, and a key no catalogue defines yields the key itself. What the
// loader checks texts against, the compiler checks call sites against: a key's type
// (message_keys.h) carries its argument kinds, and LocalText, BaseText and
// ShowAndLogMessage accept only arguments of those kinds, in that number.
#ifndef MESSAGES_FORMAT_TEXT_H_
#define MESSAGES_FORMAT_TEXT_H_

#include <cstdarg>
#include <cstdio>
#include <string>
#include <type_traits>

#include "messages/message_keys.h"
#include "platform/system_text.h"

// Lets the compiler check the conversions of a literal format against its arguments.
// MinGW names the archetype of the printf it links (its own, C99-conforming one).
#if defined(__GNUC__) || defined(__clang__)
#if defined(__MINGW_PRINTF_FORMAT)
#define VEL_PRINTF_FORMAT(format_index, first_argument) \
  __attribute__((format(__MINGW_PRINTF_FORMAT, format_index, first_argument)))
#else
#define VEL_PRINTF_FORMAT(format_index, first_argument) \
  __attribute__((format(printf, format_index, first_argument)))
#endif
#else
#define VEL_PRINTF_FORMAT(format_index, first_argument)
#endif

// printf-style formatting cut at 1023 characters.
// Example: FormatText("%s\\%d", "C:\\TEMP", 3) is "C:\TEMP\3".
std::string FormatText(const char* format, ...) VEL_PRINTF_FORMAT(1, 2);
std::string FormatTextV(const char* format, va_list args) VEL_PRINTF_FORMAT(1, 0);

namespace message_detail {

// Whether an argument of type `Argument` may fill a conversion of kind `Kind`: a
// string is a const char* (or char*), an int is an int and nothing wider or narrower.
template <char Kind, typename Argument>
inline constexpr bool kArgumentFitsKind =
    Kind == 's' ? std::is_same_v<Argument, const char*> || std::is_same_v<Argument, char*>
                : Kind == 'd' && std::is_same_v<Argument, int>;

template <typename Key, typename... Arguments>
struct MessageArguments;

template <char... Kinds, typename... Arguments>
struct MessageArguments<MessageKey<Kinds...>, Arguments...> {
  static constexpr bool kCountFits = sizeof...(Kinds) == sizeof...(Arguments);
  static constexpr bool KindsFit() {
    if constexpr (kCountFits) {
      return (kArgumentFitsKind<Kinds, Arguments> && ...);
    } else {
      return true;  // The count is reported alone.
    }
  }
};

template <typename Key, typename... Arguments>
constexpr void CheckMessageArguments() {
  using Check = MessageArguments<Key, Arguments...>;
  static_assert(Check::kCountFits,
                "the message key takes another number of arguments (message_key_list.h)");
  static_assert(Check::KindsFit(),
                "a message argument is not of its key's kind: 's' takes a const char* "
                "(pass .c_str()), 'd' takes an int (message_key_list.h)");
}

// A message argument as it is formatted: a string argument is a system text (a path, a
// parameter value) in the ANSI code page and becomes UTF-8, like the texts around it;
// an int stays as it is. The converted text lives until the end of the call.
class Utf8Argument {
 public:
  explicit Utf8Argument(const char* text) : text_(SystemTextToUtf8(text)) {}
  const char* get() const { return text_.c_str(); }

 private:
  std::string text_;
};
inline Utf8Argument AsFormatted(const char* text) { return Utf8Argument(text); }
inline int AsFormatted(int value) { return value; }
inline const char* Pass(const Utf8Argument& argument) { return argument.get(); }
inline int Pass(int value) { return value; }

// The unchecked formatting behind the templates below, which check every call first.
std::string FormatLocalText(const char* key, ...);
std::string FormatBaseText(const char* key, ...);

}  // namespace message_detail

// The local (console) and base (log) texts of `key` formatted with the arguments, string
// arguments converted from the ANSI code page to UTF-8.
// Example: LocalText(msg::S_ERPERDIR, path.c_str()); LocalText(msg::S_ERPERDIR, path)
// and LocalText(msg::S_ERPERDIR) do not compile.
template <char... Kinds, typename... Arguments>
std::string LocalText(MessageKey<Kinds...> key, Arguments... arguments) {
  message_detail::CheckMessageArguments<MessageKey<Kinds...>, Arguments...>();
  return message_detail::FormatLocalText(
      key.name, message_detail::Pass(message_detail::AsFormatted(arguments))...);
}

template <char... Kinds, typename... Arguments>
std::string BaseText(MessageKey<Kinds...> key, Arguments... arguments) {
  message_detail::CheckMessageArguments<MessageKey<Kinds...>, Arguments...>();
  return message_detail::FormatBaseText(
      key.name, message_detail::Pass(message_detail::AsFormatted(arguments))...);
}

#endif  // MESSAGES_FORMAT_TEXT_H_
