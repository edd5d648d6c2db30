#pragma once
// Whether the bytes of the junction record file are a record file the
// program can trust, and what records they hold. The file lives on a café
// PC for years: a power cut can truncate it, a tool can save it in another
// encoding, a disk fault can fill it with garbage. The Win32 side keeps a
// file that is not sound as it was and starts a sound one with what could
// be read (docs/junction-records.md).

#include <string>
#include <string_view>
#include <vector>

#include "steps/files/core/junction_records.h"

namespace vorlan {

enum class RecordEncoding {
  Utf16Le,  // byte-order mark FF FE: what the program writes
  Ansi,     // no byte-order mark: a file written by hand
  Utf16Be,  // FE FF
  Utf8Bom,  // EF BB BF: the system's INI reader takes the mark for text
  Binary,   // not text at all
};

// By the byte-order mark; without one, text holds no NUL byte and no
// control character other than tab, line ends and end-of-file (1A).
// Truncated UTF-16 (an odd number of bytes) is Binary.
RecordEncoding DetectRecordEncoding(std::string_view bytes);

// The program reads these two through the system's INI reader everywhere.
inline bool ReadableEncoding(RecordEncoding e) { return e == RecordEncoding::Utf16Le || e == RecordEncoding::Ansi; }

// How operators and the log name an encoding.
std::wstring_view EncodingName(RecordEncoding e);

struct RecordTextCheck {
  JunctionRecordSet records;           // read as the INI reader would read them
  std::vector<std::wstring> problems;  // empty: sound
};

// Reads decoded text the way the INI reader does (sections and keys without
// regard to letter case, the first of a repeated key wins) and notes every
// line that is no INI line, every count that is not a number and every
// counted entry that is missing.
RecordTextCheck CheckRecordText(std::wstring_view text);

}  // namespace vorlan
