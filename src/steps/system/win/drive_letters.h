#pragma once
// Drive letters on this PC: what a letter shows now, and defining and
// removing the two kinds of mapping the "Map" step makes: a folder defined
// onto a letter (as "subst" does, for this logon session) and a network
// connection to a share (not remembered: it ends with the logon session).

#include <functional>
#include <optional>
#include <string>

#include "steps/system/core/drive_map.h"

namespace vorlan::steps {

// What `letter` shows, or the system error code when that cannot be read.
struct LetterQuery {
  LetterState state;
  long error = 0;
};
LetterQuery QueryLetter(wchar_t letter);

// 0 or the system error code.
long DefineFolderMapping(wchar_t letter, const std::wstring& folder);
// Removes exactly the definition `state` describes (a mapping or a network
// connection); a connection with open files is not cut.
long RemoveMapping(wchar_t letter, const LetterState& state);

// The longest the step waits for a share to answer.
inline constexpr unsigned long kShareTimeoutMs = 15000;

// Connects `letter` to `share` with the logged-on user's credentials.
// nullopt: no answer within `timeoutMs` (the attempt goes on in the
// background and may still connect).
std::optional<long> ConnectShare(wchar_t letter, const std::wstring& share, unsigned long timeoutMs);

// Runs `call` on a thread of its own and waits up to `timeoutMs` for its
// result; nullopt when it has not returned by then (the call goes on and its
// result is dropped). A thread that cannot be started: the call runs here.
std::optional<long> CallWithTimeLimit(std::function<long()> call, unsigned long timeoutMs);

}  // namespace vorlan::steps
