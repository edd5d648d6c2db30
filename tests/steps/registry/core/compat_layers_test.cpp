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

TEST(CompatLayers, ALayerHoldingAListSeparatorIsNamed) {
  const struct {
    const wchar_t* layers;
    const wchar_t* named;  // null: none
  } cases[] = {
      {L"WINXPSP3 RUNASADMIN", nullptr},
      {L"~ WINXPSP3", nullptr},
      {L"", nullptr},
      {L"WINXPSP3,RUNASADMIN", L"WINXPSP3,RUNASADMIN"},
      {L"HIGHDPIAWARE\tWINXPSP3; RUNASADMIN", L"WINXPSP3;"},
      {L"WINXPSP3 , RUNASADMIN", L","},
  };
  for (const auto& c : cases) {
    const std::optional<std::wstring> named = CompatLayerWithSeparator(c.layers);
    EXPECT_EQ(named.has_value(), c.named != nullptr) << c.layers;
    if (named && c.named) {
      EXPECT_EQ(*named, c.named) << c.layers;
    }
  }
}
