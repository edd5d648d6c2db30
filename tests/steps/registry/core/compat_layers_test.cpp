#include "steps/registry/core/compat_layers.h"

#include <gtest/gtest.h>

using namespace vorlan;

TEST(CompatLayers, TheTildeFromWindows8On) {
  const struct {
    unsigned major, minor;
    bool tilde;
  } cases[] = {{5, 1, false}, {5, 2, false}, {6, 0, false}, {6, 1, false}, {6, 2, true}, {6, 3, true}, {10, 0, true}};
  for (const auto& c : cases) EXPECT_EQ(WantsCompatTilde(c.major, c.minor), c.tilde) << c.major << "." << c.minor;
}

TEST(CompatLayers, LayersAreJoinedBySingleSpacesBehindTheTildeWhenAsked) {
  const struct {
    const wchar_t* layers;
    bool tilde;
    const wchar_t* data;
  } cases[] = {
      {L"WINXPSP3", false, L"WINXPSP3"},
      {L"WINXPSP3", true, L"~ WINXPSP3"},
      {L"  WINXPSP3 \t RUNASADMIN ", false, L"WINXPSP3 RUNASADMIN"},
      {L"~ WINXPSP3 RUNASADMIN", true, L"~ WINXPSP3 RUNASADMIN"},
      {L"~ WINXPSP3", false, L"WINXPSP3"},
      {L"~", true, L""},
      {L"", true, L""},
      {L" \t", false, L""},
  };
  for (const auto& c : cases) EXPECT_EQ(CompatLayersData(c.layers, c.tilde), c.data) << c.layers;
}
