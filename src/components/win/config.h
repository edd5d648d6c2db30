#pragma once
// The component catalogue: the runtime components the cafe wants on its PCs,
// read from "VorlanComponent.ini" beside the executable, and the test whether
// each one is installed.

#include <string>
#include <vector>

#include "components/core/component_record.h"
#include "platform/win/ini_file.h"

class CConfig {
 public:
  // The process's catalogue, created on first use: "VorlanComponent.ini" in
  // the directory of the program file.
  static CConfig& GetInstance();

  // A catalogue read from `cataloguePath`.
  explicit CConfig(std::wstring cataloguePath);
  CConfig(const CConfig&) = delete;
  CConfig& operator=(const CConfig&) = delete;

  // Appends the listed components. 1 when the catalogue was read, 0 when
  // [Public] "Language" is empty (the catalogue is empty).
  int GetComponentInfoFromIniFile(bool is64);

  // Checks every component, sets its not-installed flag and returns the
  // number counted as missing.
  int CheckComponentInfo();

  // Forgets the components of an earlier load.
  void ClearComponents() { components_.clear(); }

  const std::wstring& Name() const { return name_; }
  std::vector<vorlan::ComponentRecord>& Components() { return components_; }
  const std::vector<vorlan::ComponentRecord>& Components() const { return components_; }
  const OS::IniFile& Catalogue() const { return catalogue_; }
  bool Is64() const { return is64_; }

 private:
  void CheckOne(vorlan::ComponentRecord& record);
  void CheckFiles(vorlan::ComponentRecord& record);

  std::wstring name_;
  std::vector<vorlan::ComponentRecord> components_;
  OS::IniFile catalogue_;
  bool is64_ = false;
};
