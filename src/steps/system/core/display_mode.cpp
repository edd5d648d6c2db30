#include "steps/system/core/display_mode.h"

#include <algorithm>
#include <array>
#include <limits>

namespace vorlan {
namespace {

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
  return text;
}

// nullopt: not a plain decimal number that fits 32 bits.
std::optional<std::uint32_t> ParseValue(std::wstring_view text) {
  text = Trimmed(text);
  if (text.empty()) return 0;
  std::uint64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - L'0');
    if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

std::array<std::uint32_t, 4> Parts(const DisplayMode& m) { return {m.width, m.height, m.bitsPerPel, m.frequency}; }
std::array<std::uint32_t, 4> Parts(const DisplayRequest& r) { return {r.width, r.height, r.bitsPerPel, r.frequency}; }

bool HasRequestedParts(const DisplayMode& mode, const DisplayRequest& request) {
  const auto m = Parts(mode);
  const auto r = Parts(request);
  for (std::size_t i = 0; i < 4; ++i)
    if (r[i] != 0 && m[i] != r[i]) return false;
  return true;
}

// Whether `a` suits the kept parts worse than `b`: part by part, the PC's
// own value first, then the higher one.
bool SuitsWorse(const DisplayMode& a, const DisplayMode& b, const DisplayMode& own) {
  const auto pa = Parts(a);
  const auto pb = Parts(b);
  const auto po = Parts(own);
  for (std::size_t i = 0; i < 4; ++i) {
    const bool ownA = pa[i] == po[i];
    const bool ownB = pb[i] == po[i];
    if (ownA != ownB) return ownB;
    if (pa[i] != pb[i]) return pa[i] < pb[i];
  }
  return false;
}

std::wstring PartText(std::uint32_t value) { return value == 0 ? L"*" : std::to_wstring(value); }

}  // namespace

DisplayRequestParse ParseDisplayRequest(const DisplayRequestText& text) {
  DisplayRequestParse parse;
  const struct {
    const wchar_t* key;
    const std::wstring& value;
    std::uint32_t& out;
  } fields[] = {{L"Width", text.width, parse.request.width},
                {L"Height", text.height, parse.request.height},
                {L"BitsPerPel", text.bitsPerPel, parse.request.bitsPerPel},
                {L"Frequency", text.frequency, parse.request.frequency}};
  for (const auto& field : fields) {
    const std::optional<std::uint32_t> value = ParseValue(field.value);
    if (!value) {
      parse.error = std::wstring(field.key) + L"=" + field.value + L" is not a number of 0 or more";
      parse.request = {};
      return parse;
    }
    field.out = *value;
  }
  return parse;
}

DisplayDecision DecideDisplayMode(const DisplayMode& current, const DisplayMode& own,
                                  std::span<const DisplayMode> supported, const DisplayRequest& request) {
  std::optional<DisplayMode> best;
  const auto consider = [&](const DisplayMode& mode) {
    if (!HasRequestedParts(mode, request)) return;
    if (!best || SuitsWorse(*best, mode, own)) best = mode;
  };
  consider(current);  // the mode in use is one the display has, listed or not
  for (const DisplayMode& mode : supported) consider(mode);

  DisplayDecision decision;
  if (!best) {
    decision.kind = DisplayDecisionKind::Unsupported;
    decision.reason = L"the display supports no mode " + FormatDisplayRequest(request);
    return decision;
  }
  decision.mode = *best;
  decision.kind = *best == current ? DisplayDecisionKind::NoChange : DisplayDecisionKind::Change;
  return decision;
}

std::wstring FormatDisplayMode(const DisplayMode& mode) {
  return std::to_wstring(mode.width) + L"x" + std::to_wstring(mode.height) + L" " + std::to_wstring(mode.bitsPerPel) +
         L" bit " + std::to_wstring(mode.frequency) + L" Hz";
}

std::wstring FormatDisplayRequest(const DisplayRequest& request) {
  return PartText(request.width) + L"x" + PartText(request.height) + L" " + PartText(request.bitsPerPel) + L" bit " +
         PartText(request.frequency) + L" Hz";
}

std::wstring_view DisplayChangeResultName(long result) {
  switch (result) {
    case 0: return L"DISP_CHANGE_SUCCESSFUL";
    case 1: return L"DISP_CHANGE_RESTART";
    case -1: return L"DISP_CHANGE_FAILED";
    case -2: return L"DISP_CHANGE_BADMODE";
    case -3: return L"DISP_CHANGE_NOTUPDATED";
    case -4: return L"DISP_CHANGE_BADFLAGS";
    case -5: return L"DISP_CHANGE_BADPARAM";
    case -6: return L"DISP_CHANGE_BADDUALVIEW";
    default: return L"unknown";
  }
}

}  // namespace vorlan
