#include "platform/core/wformat.h"

#include <cstdio>
#include <string>

namespace vorlan::fmt {
namespace {

// Collects output, either into a bounded buffer or into a string.
class Sink {
 public:
  Sink(wchar_t* out, std::size_t capacity) : out_(out), capacity_(capacity) {}
  explicit Sink(std::wstring* str) : str_(str) {}

  void Put(wchar_t c) {
    if (str_) { str_->push_back(c); return; }
    if (len_ + 1 < capacity_) out_[len_++] = c;
  }
  void Put(const wchar_t* s, std::size_t n) {
    if (str_) { str_->append(s, n); return; }
    if (capacity_ == 0) return;
    std::size_t room = capacity_ - 1 - len_;
    if (n > room) n = room;
    for (std::size_t i = 0; i < n; ++i) out_[len_ + i] = s[i];
    len_ += n;
  }
  void Pad(wchar_t c, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) Put(c);
  }
  std::size_t Finish() {
    if (str_) return str_->size();
    if (capacity_ > 0) out_[len_] = L'\0';
    return len_;
  }

 private:
  wchar_t* out_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t len_ = 0;
  std::wstring* str_ = nullptr;
};

struct Conversion {
  bool left = false, plus = false, blank = false, alt = false, zero = false;
  std::size_t width = 0;
  bool hasPrecision = false;
  std::size_t precision = 0;
  wchar_t letter = 0;
};

// Writes `body` (already converted) with sign/prefix, `zeros` leading zeros
// (an integer's precision) and padding.
void Emit(Sink& sink, const Conversion& conv, std::wstring_view prefix, std::wstring_view body, bool numeric,
          std::size_t zeros = 0) {
  std::size_t total = prefix.size() + zeros + body.size();
  std::size_t pad = conv.width > total ? conv.width - total : 0;
  // As in printf, a precision on an integer turns the 0 flag off.
  bool zeroPad = numeric && conv.zero && !conv.left && !conv.hasPrecision;
  if (!conv.left && !zeroPad) sink.Pad(L' ', pad);
  sink.Put(prefix.data(), prefix.size());
  if (zeroPad) sink.Pad(L'0', pad);
  sink.Pad(L'0', zeros);
  sink.Put(body.data(), body.size());
  if (conv.left) sink.Pad(L' ', pad);
}

// Digits of `v` in `base`, written backwards into a fixed buffer (no heap:
// the log facade formats without allocating).
class Digits {
 public:
  Digits(unsigned long long v, unsigned base, bool upper) {
    const wchar_t* set = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    do {
      buf_[--begin_] = set[v % base];
      v /= base;
    } while (v != 0);
  }
  void PrependZero() { buf_[--begin_] = L'0'; }
  std::wstring_view View() const { return std::wstring_view(buf_ + begin_, kSize - begin_); }
  std::size_t Size() const { return kSize - begin_; }

 private:
  static constexpr std::size_t kSize = 32;  // 22 octal digits of 64 bits, and one more zero
  wchar_t buf_[kSize];
  std::size_t begin_ = kSize;
};

void FormatInteger(Sink& sink, const Conversion& conv, const Arg& a) {
  bool negative = false;
  unsigned long long mag = 0;
  const bool isSignedConv = conv.letter == L'd' || conv.letter == L'i';
  // Integers are 32-bit values unless the argument itself has 64 bits.
  long long sv = a.kind == Arg::Kind::Signed ? a.s : static_cast<long long>(a.u);
  unsigned long long uv = a.kind == Arg::Kind::Signed ? static_cast<unsigned long long>(a.s) : a.u;
  if (isSignedConv) {
    long long v = a.wide64 ? sv : static_cast<long long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(uv)));
    negative = v < 0;
    mag = negative ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  } else {
    mag = a.wide64 ? uv : static_cast<unsigned long long>(static_cast<std::uint32_t>(uv));
  }
  unsigned base = 10;
  bool upper = false;
  if (conv.letter == L'x') base = 16;
  if (conv.letter == L'X') { base = 16; upper = true; }
  if (conv.letter == L'o') base = 8;

  Digits digits(mag, base, upper);
  std::wstring_view body = digits.View();
  if (conv.hasPrecision && conv.precision == 0 && mag == 0) body = {};
  std::size_t zeros = conv.hasPrecision && body.size() < conv.precision ? conv.precision - body.size() : 0;

  std::wstring_view prefix;
  if (isSignedConv) {
    if (negative) prefix = L"-";
    else if (conv.plus) prefix = L"+";
    else if (conv.blank) prefix = L" ";
  }
  if (conv.alt && mag != 0 && base == 16) prefix = upper ? L"0X" : L"0x";
  // "#" with octal: the first digit is a zero (a zero cut away by precision 0
  // stays away, as with the Windows C library).
  if (conv.alt && mag != 0 && base == 8 && zeros == 0 && body[0] != L'0') {
    digits.PrependZero();
    body = digits.View();
  }
  Emit(sink, conv, prefix, body, true, zeros);
}

void FormatFloating(Sink& sink, const Conversion& conv, double d) {
  char f[32];
  char* p = f;
  *p++ = '%';
  if (conv.left) *p++ = '-';
  if (conv.plus) *p++ = '+';
  if (conv.blank) *p++ = ' ';
  if (conv.alt) *p++ = '#';
  if (conv.zero) *p++ = '0';
  std::snprintf(p, sizeof(f) - static_cast<std::size_t>(p - f), "%zu.%zu%c", conv.width,
                conv.hasPrecision ? conv.precision : std::size_t{6}, static_cast<char>(conv.letter));
  char out[512];
  int n = std::snprintf(out, sizeof(out), f, d);
  if (n < 0) return;
  std::size_t len = static_cast<std::size_t>(n) < sizeof(out) ? static_cast<std::size_t>(n) : sizeof(out) - 1;
  for (std::size_t i = 0; i < len; ++i) sink.Put(static_cast<wchar_t>(static_cast<unsigned char>(out[i])));
}

void FormatOne(Sink& sink, const Conversion& conv, const Arg& a) {
  const ArgClass want = detail::ClassOfConversion(conv.letter);
  const bool isInt = a.kind == Arg::Kind::Signed || a.kind == Arg::Kind::Unsigned || a.kind == Arg::Kind::Character;
  switch (want) {
    case ArgClass::Integer:
      if (!isInt) break;
      FormatInteger(sink, conv, a);
      return;
    case ArgClass::Character: {
      if (!isInt) break;
      wchar_t c = static_cast<wchar_t>(a.kind == Arg::Kind::Signed ? static_cast<unsigned long long>(a.s) : a.u);
      Emit(sink, conv, L"", std::wstring_view(&c, 1), false);
      return;
    }
    case ArgClass::String: {
      if (a.kind != Arg::Kind::String) break;
      std::wstring_view s = a.str ? std::wstring_view(a.str, a.len) : std::wstring_view(L"(null)");
      if (conv.hasPrecision && s.size() > conv.precision) s = s.substr(0, conv.precision);
      Emit(sink, conv, L"", s, false);
      return;
    }
    case ArgClass::Pointer: {
      if (a.kind != Arg::Kind::Pointer) break;
      const Digits digits(a.ptr, 16, true);
      const std::size_t zeros = digits.Size() < sizeof(void*) * 2 ? sizeof(void*) * 2 - digits.Size() : 0;
      Emit(sink, conv, L"", digits.View(), false, zeros);
      return;
    }
    case ArgClass::Floating:
      if (a.kind != Arg::Kind::Floating) break;
      FormatFloating(sink, conv, a.d);
      return;
    default:
      break;
  }
  sink.Put(L"<?>", 3);
}

std::size_t Run(Sink& sink, std::wstring_view f, const Arg* args, std::size_t count) {
  std::size_t next = 0;
  std::size_t i = 0;
  while (i < f.size()) {
    wchar_t c = f[i];
    if (c != L'%') {
      std::size_t j = f.find(L'%', i);
      if (j == std::wstring_view::npos) j = f.size();
      sink.Put(f.data() + i, j - i);
      i = j;
      continue;
    }
    const std::size_t start = i;
    ++i;
    if (i < f.size() && f[i] == L'%') { sink.Put(L'%'); ++i; continue; }
    Conversion conv;
    for (; i < f.size(); ++i) {
      if (f[i] == L'-') conv.left = true;
      else if (f[i] == L'+') conv.plus = true;
      else if (f[i] == L' ') conv.blank = true;
      else if (f[i] == L'#') conv.alt = true;
      else if (f[i] == L'0') conv.zero = true;
      else break;
    }
    for (; i < f.size() && f[i] >= L'0' && f[i] <= L'9'; ++i) conv.width = conv.width * 10 + static_cast<std::size_t>(f[i] - L'0');
    if (i < f.size() && f[i] == L'.') {
      conv.hasPrecision = true;
      for (++i; i < f.size() && f[i] >= L'0' && f[i] <= L'9'; ++i)
        conv.precision = conv.precision * 10 + static_cast<std::size_t>(f[i] - L'0');
    }
    for (; i < f.size();) {
      if (f[i] == L'h' || f[i] == L'l' || f[i] == L'w' || f[i] == L'z' || f[i] == L'j' || f[i] == L't' || f[i] == L'L') { ++i; continue; }
      if (f[i] == L'I' && (f.substr(i, 3) == L"I64" || f.substr(i, 3) == L"I32")) { i += 3; continue; }
      break;
    }
    if (conv.width > 4096) conv.width = 4096;
    if (conv.precision > 4096) conv.precision = 4096;
    if (i >= f.size() || detail::ClassOfConversion(f[i]) == ArgClass::Unsupported) {
      // Not a conversion: print it as it stands.
      std::size_t end = i < f.size() ? i + 1 : f.size();
      sink.Put(f.data() + start, end - start);
      i = end;
      continue;
    }
    conv.letter = f[i++];
    if (next < count) {
      FormatOne(sink, conv, args[next++]);
    } else {
      sink.Put(f.data() + start, i - start);
    }
  }
  return sink.Finish();
}

}  // namespace

namespace detail {
void FormatStringDoesNotMatchArguments(const char*) {}
}  // namespace detail

std::size_t FormatArgsTo(wchar_t* out, std::size_t capacity, std::wstring_view format, const Arg* args,
                         std::size_t count) {
  Sink sink(out, capacity);
  return Run(sink, format, args, count);
}

std::wstring FormatArgs(std::wstring_view format, const Arg* args, std::size_t count) {
  std::wstring result;
  Sink sink(&result);
  Run(sink, format, args, count);
  return result;
}

}  // namespace vorlan::fmt
