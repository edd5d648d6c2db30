#pragma once
// Step "Junction": links the places where a game expects its data to the
// game's own copy by directory junctions (or copies the data there), and can
// run a self-extractor or MSI package. Which sections are read depends on
// the client type and disk protection of the PC.

#include <string>

#include "platform/win/client_probe.h"
#include "steps/files/win/junction_records_file.h"

class StepContext;

class CJunctionStep {
 public:
  CJunctionStep(StepContext& context, CJunctionRecords& records) : context_(context), records_(records) {}

  // The whole step: chooses the variant from the probe and runs it.
  void ProcessJunctionFileMgr(OS::ClientProbe& probe);

  // One entry. `first` is the link place (the program for option 5),
  // `second` the source folder (the program's parameters for option 5).
  bool JuntionFileProcess(const std::wstring& first, const std::wstring& second, int option, int msi, int wait);

  bool OptionCreateLink(const std::wstring& dst, const std::wstring& src, int mode);
  bool OptionCopy(const std::wstring& dst, const std::wstring& src);
  bool OptionMoveAndCreateLink(const std::wstring& dst, const std::wstring& src);
  bool RunPackage(const std::wstring& runName, const std::wstring& runParam, int msi, int wait);

 private:
  void RunJunctionVariant();
  void RunJunctionOptionVariant();

  StepContext& context_;
  CJunctionRecords& records_;
};

// The whole step; `probe` tells the client type and the protected drives.
void RunJunctionStep(StepContext& context, OS::ClientProbe& probe);
