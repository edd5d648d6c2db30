// The "Assoc" step's list of packages: each entry's verdict, in index order.

#include <gtest/gtest.h>

#include <vector>

#include "steps/assoc/core/assoc_package_list.h"

namespace vorlan {
namespace {

using V = PackageEntryVerdict;

struct Case {
  const wchar_t* texts[4];
  PackageEntry expected[4];
  std::vector<std::uint32_t> ids;
};

const Case kCases[] = {
    {{L"20001", L"20417", L"020001", L" 20417 "},
     {{V::Kept, 20001, -1}, {V::Kept, 20417, -1}, {V::Repeated, 20001, 0}, {V::Repeated, 20417, 1}},
     {20001, 20417}},
    {{L"3O1", L"7", L"", L"7"},
     {{V::NotAnId, 0, -1}, {V::Kept, 7, -1}, {V::NotAnId, 0, -1}, {V::Repeated, 7, 1}},
     {7}},
};

TEST(AssocPackageList, JudgesEachEntryAgainstTheEarlierOnes) {
  for (const Case& c : kCases) {
    AssocPackageList list;
    for (int i = 0; i < 4; ++i) {
      const PackageEntry got = list.Add(i, c.texts[i]);
      EXPECT_EQ(got.verdict, c.expected[i].verdict) << i;
      EXPECT_EQ(got.id, c.expected[i].id) << i;
      EXPECT_EQ(got.firstIndex, c.expected[i].firstIndex) << i;
    }
    EXPECT_EQ(list.Ids(), c.ids);
  }
}

}  // namespace
}  // namespace vorlan
