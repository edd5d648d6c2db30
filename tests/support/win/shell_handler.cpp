#include "vtest/shell_handler.h"

#include <windows.h>

#include "vtest/registry.h"

namespace vtest {

ScopedFileTypeHandler::ScopedFileTypeHandler(std::wstring extension, std::wstring handlerExe)
    : extension_(std::move(extension)), progId_(L"VorlanTests" + extension_ + L"file") {
  extensionExisted_ = KeyExists(HKEY_CLASSES_ROOT, extension_);
  previousProgId_ = ReadString(HKEY_CLASSES_ROOT, extension_, L"");
  // Left behind by a test that did not end: there is nothing of the prefix's own to restore.
  if (previousProgId_ == progId_) previousProgId_.reset();
  DeleteTree(HKEY_CLASSES_ROOT, progId_);
  WriteString(HKEY_CLASSES_ROOT, progId_ + L"\\shell\\open\\command", L"", L"\"" + handlerExe + L"\" \"%1\"");
  WriteString(HKEY_CLASSES_ROOT, extension_, L"", progId_);
}

ScopedFileTypeHandler::~ScopedFileTypeHandler() {
  if (previousProgId_) {
    WriteString(HKEY_CLASSES_ROOT, extension_, L"", *previousProgId_);
  } else if (extensionExisted_) {
    DeleteValue(HKEY_CLASSES_ROOT, extension_, L"");
  } else {
    DeleteTree(HKEY_CLASSES_ROOT, extension_);
  }
  DeleteTree(HKEY_CLASSES_ROOT, progId_);
}

bool ScopedFileTypeHandler::Registered() const {
  return ReadString(HKEY_CLASSES_ROOT, extension_, L"") == progId_;
}

}  // namespace vtest
