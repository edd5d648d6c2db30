// The pkgreg tool's commands on real files.

#include "pkg_reg/tool/pkgreg_tool.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using vorlan::pkgreg::RunPkgRegTool;

namespace {

class PkgRegTool : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / (std::string("pkgreg-tool.") + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Put(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
    return dir_ / name;
  }
  std::string Get(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  int Run(std::vector<fs::path> args) {
    out_.str("");
    err_.str("");
    return RunPkgRegTool(args, out_, err_);
  }

  fs::path dir_;
  std::ostringstream out_, err_;
};

}  // namespace

TEST_F(PkgRegTool, WritesAFileThatDumpsBackToItsList) {
  const std::string list =
      "0\tREG_SZ\tHKLM\\Software\\Foo\\InstallPath\ttextz:%InstallDir%\\bin\n"
      "0\tREG_DWORD\tHKCU\\Software\\Foo\\Count\tdword:0x00000010\n";
  ASSERT_EQ(Run({"write", dir_ / "a.nfd", Put("a.txt", list)}), 0) << err_.str();
  const std::string file = Get("a.nfd");
  ASSERT_EQ(file.size(), 4u + (13 + 29 + 17) + (13 + 23 + 4) + 4u);
  EXPECT_EQ(file.substr(0, 5), std::string("\0\0\0\2\0", 5));

  ASSERT_EQ(Run({"dump", dir_ / "a.nfd"}), 0) << err_.str();
  const std::string dumped = out_.str();
  EXPECT_EQ(dumped.substr(dumped.find('\n') + 1), list);

  // The dump is itself a list: writing it gives the same file.
  Put("b.txt", dumped);
  ASSERT_EQ(Run({"write", dir_ / "b.psd", dir_ / "b.txt"}), 0) << err_.str();
  EXPECT_EQ(Get("b.psd"), file);
}

TEST_F(PkgRegTool, RefusesBadFilesAndBadListsWithAReason) {
  EXPECT_EQ(Run({"dump", Put("short.nfd", "abc")}), 1);
  EXPECT_NE(err_.str().find("shorter than 4 bytes"), std::string::npos) << err_.str();
  EXPECT_EQ(Run({"dump", Put("crc.nfd", std::string("\0\0\0\0\x21\x44\xDF\x1D", 8))}), 1);
  EXPECT_NE(err_.str().find("checksum does not match"), std::string::npos) << err_.str();
  EXPECT_EQ(Run({"dump", Put("body.nfd", std::string(4, '\0'))}), 1);
  EXPECT_NE(err_.str().find("entries do not fit the file"), std::string::npos) << err_.str();
  EXPECT_EQ(Run({"dump", dir_ / "missing.nfd"}), 1);
  EXPECT_NE(err_.str().find("cannot read"), std::string::npos) << err_.str();

  EXPECT_EQ(Run({"write", dir_ / "x.nfd", Put("bad.txt", "# ok\n0\tREG_SZ\tHKLM\\A\\B\tnope\n")}), 1);
  EXPECT_NE(err_.str().find("bad.txt:2: data must begin with"), std::string::npos) << err_.str();
  EXPECT_FALSE(fs::exists(dir_ / "x.nfd"));

  EXPECT_EQ(Run({"dump"}), 2);
  EXPECT_NE(err_.str().find("usage: pkgreg write"), std::string::npos);
  EXPECT_EQ(Run({"frobnicate", "x"}), 2);
}
