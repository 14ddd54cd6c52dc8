#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "catalogue/selection_keys.h"
#include "console/utf8.h"
#include "program_fixture.h"

namespace {

TEST(Catalogue, NamesAndWidthsAsListed) {
  const std::pair<const char*, int> names[] = {
      {"箒草", 4},           {"奇妙な蛾", 8},       {"エイの群れ", 10},    {"カリフラワ－", 12},
      {"葉っぱの見える風景", 18}, {"悪魔のバラ", 10}, {"ヒバの木", 8},     {"森のイメ－ジ", 12},
      {"コ－ラのビン底", 14}, {"雪の結晶", 8},       {"怪し気な雲", 10},    {"ザ・ドラゴン", 12},
      {"コッホ曲線", 10},     {"逆コッホ曲線", 12},  {"チェッカ－ボ－ド", 16}, {"Ｓ．ギャスケット", 16},
      {"カント－ル集合", 14}, {"風にたなびく葉", 14}, {"四角コッホ", 10},    {"高木関数　　　", 14},
      {"コッホＩＩ", 10},     {"奇妙な蛾ＩＩ", 12},  {"奇妙なトンボ", 12},  {"ひょうきんな鬼", 14},
  };
  const int counts[] = {2, 3, 3, 2, 2, 3, 2, 2, 5, 2, 3, 2, 2, 5, 5, 3, 2, 2, 5, 4, 4, 3, 3, 3};
  for (int n = 0; n < kCatalogueSize; ++n) {
    EXPECT_EQ(kCatalogue[static_cast<size_t>(n)].name, names[n].first) << n + 1;
    EXPECT_EQ(console::TextColumns(kCatalogue[static_cast<size_t>(n)].name), names[n].second) << n + 1;
    EXPECT_EQ(kCatalogue[static_cast<size_t>(n)].record[0], static_cast<float>(counts[n])) << n + 1;
  }
}

// Loads entry `n` through the selection screen and stops at the start-point
// prompt.
void LoadThroughSelection(int n) { ProgramRun run(SelectionKeys(n)); }

TEST(Catalogue, LoadingEntry1GivesItsTwelveCoefficients) {
  LoadThroughSelection(1);
  EXPECT_EQ(G.K, 2);
  EXPECT_EQ(G.DE, 1);
  EXPECT_EQ(G.KK, 1);
  const float expected[2][6] = {{0.5f, 0.2887f, 0, 0.2887f, -0.5f, 0}, {0.6667f, 0, 0.3333f, 0, -0.6667f, 0}};
  for (size_t i = 1; i <= 2; ++i) {
    EXPECT_EQ(G.A[i], expected[i - 1][0]);
    EXPECT_EQ(G.B[i], expected[i - 1][1]);
    EXPECT_EQ(G.P[i], expected[i - 1][2]);
    EXPECT_EQ(G.C[i], expected[i - 1][3]);
    EXPECT_EQ(G.D[i], expected[i - 1][4]);
    EXPECT_EQ(G.Q[i], expected[i - 1][5]);
  }
  EXPECT_EQ(static_cast<double>(G.B[1]), static_cast<double>(0.2887f));
}

TEST(Catalogue, EveryEntryLoadsItsWholeRecordAndNothingMore) {
  for (int n = 1; n <= kCatalogueSize; ++n) {
    LoadThroughSelection(n);
    const auto& record = kCatalogue[static_cast<size_t>(n - 1)].record;
    ASSERT_EQ(G.K, record[0]) << n;
    const int k = static_cast<int>(record[0]);
    for (int i = 1; i <= k; ++i) {
      const auto at = [&](int field) { return record[static_cast<size_t>(1 + 6 * (i - 1) + field)]; };
      const auto m = static_cast<size_t>(i);
      EXPECT_EQ(G.A[m], at(0)) << n;
      EXPECT_EQ(G.B[m], at(1)) << n;
      EXPECT_EQ(G.P[m], at(2)) << n;
      EXPECT_EQ(G.C[m], at(3)) << n;
      EXPECT_EQ(G.D[m], at(4)) << n;
      EXPECT_EQ(G.Q[m], at(5)) << n;
    }
    for (int i = k + 1; i <= 5; ++i) EXPECT_EQ(G.A[static_cast<size_t>(i)], 0) << n;  // fresh run: untouched
  }
}

TEST(Catalogue, DrawingSetUpShowsTheNameAtColumn40InColour1) {
  ProgramRun run("1<Down><Down><Down><Down><Down><Down><Right><Return>");  // entry 20
  // The start-point prompt takes columns 0 to 29 of the same row.
  EXPECT_EQ(run.Row(0), "初期値を入力して下さい  (X,Y)=" + std::string(10, ' ') + "高木関数　　　");
  EXPECT_EQ(run.Colours(0).substr(30, 24), std::string(10, '.') + std::string(14, '1'));
  EXPECT_EQ(G.OX, 395);
  EXPECT_EQ(G.OY, 225);
  EXPECT_EQ(G.RX, 100);
  EXPECT_EQ(G.RY, 100);
}

}  // namespace
