#include "check/core/check_command.h"

#include <algorithm>

#include "check/core/finding.h"
#include "check/core/ini_scan.h"
#include "check/core/option_rules.h"

namespace vorlan::check {
namespace {

bool HoldsOptionFile(const std::filesystem::path& folder) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (EqualsNoCase(it->path().filename().wstring(), L"VorlanCfg.ini") && it->is_regular_file(ec)) return true;
  return false;
}

}  // namespace

std::vector<std::filesystem::path> FindGameFolders(const std::filesystem::path& root) {
  if (HoldsOptionFile(root)) return {root};
  std::vector<std::filesystem::path> folders;
  std::error_code ec;
  const auto options = std::filesystem::directory_options::skip_permission_denied;
  for (std::filesystem::recursive_directory_iterator it(root, options, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError) && !it->is_symlink(typeError) && HoldsOptionFile(it->path()))
      folders.push_back(it->path());
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

int RunCheckCommand(std::span<const std::wstring> args, const FolderOpener& open, const LineSink& out) {
  if (args.empty()) {
    out(L"usage: vorlan-check <game folder or folder of game folders>...");
    out(L"  prints file:line: severity: message; exit code 0 clean, 1 warnings, 2 errors");
    out(L"       vorlan-check --plan <game folder>");
    out(L"  prints what a run would do on this PC, step by step, without doing it");
    out(L"       vorlan-check --restore-display");
    out(L"  sets the PC's own display mode again from the record a \"Display\" step left, and removes the record");
    out(L"       vorlan-check --version");
    return 3;
  }
  std::vector<Finding> all;
  int folders = 0;
  for (const std::wstring& arg : args) {
    const std::filesystem::path root(arg);
    std::error_code ec;
    if (!std::filesystem::is_directory(root, ec)) {
      all.push_back({arg, 0, Severity::Error, L"no such folder"});
      out(FormatFinding(all.back()));
      continue;
    }
    const std::vector<std::filesystem::path> games = FindGameFolders(root);
    if (games.empty()) {
      all.push_back({(root / L"VorlanCfg.ini").wstring(), 0, Severity::Error,
                     L"no VorlanCfg.ini in this folder or below: nothing to check"});
      out(FormatFinding(all.back()));
      continue;
    }
    for (const std::filesystem::path& game : games) {
      ++folders;
      for (Finding& finding : CheckGameFolder(*open(game))) {
        out(FormatFinding(finding));
        all.push_back(std::move(finding));
      }
    }
  }
  out(SummaryLine(folders, all));
  return ExitCodeFor(all);
}

}  // namespace vorlan::check
