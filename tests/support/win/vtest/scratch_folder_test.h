#pragma once
// A test fixture with a folder of its own in the prefix
// (C:\vorlan-tests\<Suite>.<Case>), emptied before and removed after each case.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "vtest/files.h"
#include "vtest/test_paths.h"

namespace vtest {

class ScratchFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveTree(dir_);
    ASSERT_TRUE(MakeDirectories(dir_));
  }
  void TearDown() override { RemoveTree(dir_); }

  // The folder joined with a relative path.
  std::wstring P(const std::wstring& relative) const { return dir_ + L"\\" + relative; }
  // Writes a file (its folders made on the way).
  void Put(const std::wstring& relative, const std::string& content) const {
    const std::wstring full = P(relative);
    MakeDirectories(full.substr(0, full.find_last_of(L'\\')));
    ASSERT_TRUE(WriteBytes(full, content)) << ToUtf8(full) << " error " << ::GetLastError();
  }

  std::wstring dir_ = TestFolderFor();
};

}  // namespace vtest
