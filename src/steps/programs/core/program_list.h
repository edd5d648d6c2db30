#pragma once
// Numbered program lists: a section holds "Num", and the entries live in the
// sections <list>0, <list>1, ... ("%s%d"), each with "Exe", "Param" and
// "Wait". The select file of "SelectPreLoadProcess" chooses one of two such
// lists with "WhichProcess".

#include <span>
#include <string>
#include <string_view>

namespace vorlan {

// Section of entry `index` of a list: "PreLoad" and 2 give "PreLoad2".
std::wstring ProgramListEntrySection(std::wstring_view list, unsigned index);

// 0 chooses "PreLoadAd", 1 "PreLoadType", anything else no list (empty).
std::wstring SelectedProgramList(int whichProcess);

// How many indexes a list run has to visit. Entries are visited from 0
// while the index is below "Num" taken as unsigned (so -1 means about four
// thousand million); an entry whose section does not exist has an empty
// "Exe" and is skipped without a trace. Visiting stops after the last
// entry section present in the file, which changes nothing that can be
// seen and keeps a huge or negative "Num" from holding the step for hours.
// `sections`: the section names of the file (matched without regard to
// case, as the system's INI reader does).
unsigned ProgramListScanLimit(int num, std::wstring_view list, std::span<const std::wstring> sections);

}  // namespace vorlan
