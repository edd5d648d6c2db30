#pragma once
// Native build only: where the logging facade's messages go.
#include <string>
#include <string_view>

#include "platform/core/log_mgr.h"

namespace vorlan::native {
void SetLogOutput(CLogMgr::OutputLogMsgFn output);
CLogMgr::OutputLogMsgFn GetLogOutput();
std::string Utf8(std::wstring_view text);
}  // namespace vorlan::native
