#pragma once
// Type-safe printf-style formatting of wide texts.
//
// Log and message texts are printf format strings in which "%s" always means
// a wide string. The classic variadic printf gives different results for the
// same string on different compilers (glibc reads "%s" in a wide format as a
// narrow string, msvcrt as a wide one) and checks nothing. This formatter
// takes typed arguments, checks every conversion against its argument when
// the format is a literal (a mismatch does not compile), and produces the
// same text on every platform.
//
// Supported: %d %i %u %x %X %o %c %s %p %f %e %g %%, the flags - + blank # 0,
// a width and a precision; length modifiers (h l ll I64 I32 w z j t L) are
// accepted and ignored: integers are formatted as 32-bit values unless the
// argument itself is 64 bits wide, as a 32-bit printf would.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace vorlan::fmt {

enum class ArgClass : unsigned char { Integer, Character, String, Pointer, Floating, Unsupported };

template <class T>
consteval ArgClass ClassOf() {
  using D = std::remove_cvref_t<std::decay_t<T>>;
  if constexpr (std::is_same_v<D, wchar_t>) {
    return ArgClass::Character;
  } else if constexpr (std::is_same_v<D, const wchar_t*> || std::is_same_v<D, wchar_t*> ||
                       std::is_same_v<D, std::wstring> || std::is_same_v<D, std::wstring_view>) {
    return ArgClass::String;
  } else if constexpr (std::is_same_v<D, char*> || std::is_same_v<D, const char*> ||
                       std::is_same_v<D, std::string> || std::is_same_v<D, std::string_view>) {
    return ArgClass::Unsupported;  // narrow texts must be converted by the caller
  } else if constexpr (std::is_integral_v<D> || std::is_enum_v<D>) {
    return ArgClass::Integer;
  } else if constexpr (std::is_floating_point_v<D>) {
    return ArgClass::Floating;
  } else if constexpr (std::is_pointer_v<D> || std::is_null_pointer_v<D>) {
    return ArgClass::Pointer;
  } else {
    return ArgClass::Unsupported;
  }
}

// One argument, erased to what formatting needs.
struct Arg {
  enum class Kind : unsigned char { Signed, Unsigned, Character, String, Pointer, Floating };
  Kind kind = Kind::Signed;
  bool wide64 = false;  // integer argument of 64 bits
  long long s = 0;
  unsigned long long u = 0;
  const wchar_t* str = nullptr;  // null pointer prints "(null)"
  std::size_t len = 0;
  double d = 0;
  std::uintptr_t ptr = 0;
};

template <class T>
Arg MakeArg(const T& v) {
  using D = std::remove_cvref_t<T>;
  Arg a;
  if constexpr (std::is_array_v<D>) {
    static_assert(std::is_same_v<std::remove_cv_t<std::remove_extent_t<D>>, wchar_t>,
                  "only wide character arrays can be formatted");
    a.kind = Arg::Kind::String;
    a.str = v;
    a.len = std::wstring_view(v, std::extent_v<D>).find(L'\0');
    if (a.len == std::wstring_view::npos) a.len = std::extent_v<D>;
  } else if constexpr (std::is_same_v<D, wchar_t>) {
    a.kind = Arg::Kind::Character;
    a.u = static_cast<unsigned long long>(v);
  } else if constexpr (std::is_same_v<D, const wchar_t*> || std::is_same_v<D, wchar_t*>) {
    a.kind = Arg::Kind::String;
    a.str = v;
    a.len = v ? std::char_traits<wchar_t>::length(v) : 0;
  } else if constexpr (std::is_same_v<D, std::wstring> || std::is_same_v<D, std::wstring_view>) {
    a.kind = Arg::Kind::String;
    a.str = v.data();
    a.len = v.size();
    if (!a.str) a.str = L"";
  } else if constexpr (std::is_enum_v<D>) {
    return MakeArg(static_cast<std::underlying_type_t<D>>(v));
  } else if constexpr (std::is_same_v<D, bool>) {
    a.kind = Arg::Kind::Signed;
    a.s = v ? 1 : 0;
  } else if constexpr (std::is_integral_v<D>) {
    a.wide64 = sizeof(D) == 8;
    if constexpr (std::is_signed_v<D>) {
      a.kind = Arg::Kind::Signed;
      a.s = static_cast<long long>(v);
    } else {
      a.kind = Arg::Kind::Unsigned;
      a.u = static_cast<unsigned long long>(v);
    }
  } else if constexpr (std::is_floating_point_v<D>) {
    a.kind = Arg::Kind::Floating;
    a.d = static_cast<double>(v);
  } else if constexpr (std::is_pointer_v<D>) {
    a.kind = Arg::Kind::Pointer;
    a.ptr = reinterpret_cast<std::uintptr_t>(v);
  } else if constexpr (std::is_null_pointer_v<D>) {
    a.kind = Arg::Kind::Pointer;
  } else {
    static_assert(sizeof(D) == 0, "type cannot be formatted");
  }
  return a;
}

namespace detail {
// Called only when a literal format does not fit its arguments; being
// non-constexpr, the call makes the constant evaluation (and the build) fail.
void FormatStringDoesNotMatchArguments(const char* why);

// The conversion letter's class, or Unsupported for an unknown letter.
constexpr ArgClass ClassOfConversion(wchar_t c) {
  switch (c) {
    case L'd': case L'i': case L'u': case L'x': case L'X': case L'o':
      return ArgClass::Integer;
    case L'c':
      return ArgClass::Character;
    case L's':
      return ArgClass::String;
    case L'p':
      return ArgClass::Pointer;
    case L'f': case L'F': case L'e': case L'E': case L'g': case L'G':
      return ArgClass::Floating;
    default:
      return ArgClass::Unsupported;
  }
}

constexpr bool Accepts(ArgClass conversion, ArgClass arg) {
  if (conversion == arg) return true;
  // %c takes a plain integer as a character code, %d a character as its code.
  if (conversion == ArgClass::Character && arg == ArgClass::Integer) return true;
  if (conversion == ArgClass::Integer && arg == ArgClass::Character) return true;
  return false;
}

// Walks a format and reports each conversion to `visit(letter)`; returns
// false when the format is malformed (a lone "%" at the end, '*' widths, an
// unknown conversion letter).
template <class Visit>
constexpr bool WalkFormat(std::wstring_view f, Visit&& visit) {
  std::size_t i = 0;
  while (i < f.size()) {
    if (f[i] != L'%') { ++i; continue; }
    ++i;
    if (i >= f.size()) return false;
    if (f[i] == L'%') { ++i; continue; }
    while (i < f.size() && (f[i] == L'-' || f[i] == L'+' || f[i] == L' ' || f[i] == L'#' || f[i] == L'0')) ++i;
    while (i < f.size() && f[i] >= L'0' && f[i] <= L'9') ++i;
    if (i < f.size() && f[i] == L'.') {
      ++i;
      while (i < f.size() && f[i] >= L'0' && f[i] <= L'9') ++i;
    }
    while (i < f.size()) {
      if (f[i] == L'h' || f[i] == L'l' || f[i] == L'w' || f[i] == L'z' || f[i] == L'j' || f[i] == L't' || f[i] == L'L') { ++i; continue; }
      if (f[i] == L'I') {
        if (f.substr(i, 3) == L"I64" || f.substr(i, 3) == L"I32") { i += 3; continue; }
        return false;
      }
      break;
    }
    if (i >= f.size()) return false;
    if (ClassOfConversion(f[i]) == ArgClass::Unsupported) return false;
    visit(f[i]);
    ++i;
  }
  return true;
}

template <std::size_t N>
consteval void CheckFormat(std::wstring_view f, const ArgClass (&args)[N], std::size_t count) {
  std::size_t used = 0;
  bool mismatch = false;
  bool ok = WalkFormat(f, [&](wchar_t letter) {
    if (used >= count || !Accepts(ClassOfConversion(letter), args[used])) mismatch = true;
    ++used;
  });
  if (!ok) FormatStringDoesNotMatchArguments("malformed format string");
  if (mismatch) FormatStringDoesNotMatchArguments("a conversion does not fit its argument");
  if (used != count) FormatStringDoesNotMatchArguments("more arguments than conversions");
  for (std::size_t k = 0; k < count; ++k)
    if (args[k] == ArgClass::Unsupported) FormatStringDoesNotMatchArguments("argument type cannot be formatted");
}
}  // namespace detail

// A format known only at run time (for example taken from a table).
// Conversions that do not fit their argument print "<?>".
struct RuntimeFormat {
  std::wstring_view text;
};

// A format string checked against the argument types when it is a literal.
template <class... Args>
class WFormatString {
 public:
  template <class S>
    requires std::is_convertible_v<const S&, std::wstring_view>
  consteval WFormatString(const S& s) : text_(s) {
    constexpr ArgClass classes[] = {ClassOf<Args>()..., ArgClass::Integer};
    detail::CheckFormat(text_, classes, sizeof...(Args));
  }
  WFormatString(RuntimeFormat r) : text_(r.text) {}  // NOLINT: implicit on purpose
  std::wstring_view get() const { return text_; }

 private:
  std::wstring_view text_;
};

// Formats into out[0..capacity-1], always zero-terminated when capacity > 0;
// output beyond capacity-1 characters is cut. Returns the characters written.
std::size_t FormatArgsTo(wchar_t* out, std::size_t capacity, std::wstring_view format, const Arg* args,
                         std::size_t count);
std::wstring FormatArgs(std::wstring_view format, const Arg* args, std::size_t count);

template <class... Args>
std::size_t FormatTo(wchar_t* out, std::size_t capacity, WFormatString<std::type_identity_t<Args>...> format,
                     const Args&... args) {
  const Arg packed[] = {MakeArg(args)..., Arg{}};
  return FormatArgsTo(out, capacity, format.get(), packed, sizeof...(Args));
}

template <class... Args>
std::wstring Format(WFormatString<std::type_identity_t<Args>...> format, const Args&... args) {
  const Arg packed[] = {MakeArg(args)..., Arg{}};
  return FormatArgs(format.get(), packed, sizeof...(Args));
}

}  // namespace vorlan::fmt
