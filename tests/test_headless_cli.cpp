// The command-line contract of ifsdraw-headless, which other tools rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

int RunHeadlessCli(const std::string& arguments) {
  const std::string command = std::string(IFSDRAW_HEADLESS) + " " + arguments + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

TEST(HeadlessCli, ExitStatusesAndUsage) {
  const std::pair<const char*, int> cases[] = {
      {"--help", 0},
      {"--keys '' --points 0", 0},
      {"--bogus", 2},
      {"--points", 2},
      {"--points -5", 2},
      {"--points 12x", 2},
      {"--keys '<Nope>'", 2},
      {"--keys '<points x>'", 2},
  };
  for (const auto& [arguments, status] : cases) EXPECT_EQ(RunHeadlessCli(arguments), status) << arguments;
}

TEST(HeadlessCli, WritesTextColoursStateAndPicture) {
  const std::string dir = ::testing::TempDir();
  ASSERT_EQ(RunHeadlessCli("--keys '1<Return>0,0<Return>' --points 1000 --text " + dir + "t.txt --colors " + dir +
                "c.txt --state " + dir + "s.txt --png " + dir + "p.png"),
            0);
  const std::string text = Read(dir + "t.txt");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 24);
  EXPECT_NE(text.find("［ｆ．３］終了\n"), std::string::npos);
  const std::string colours = Read(dir + "c.txt");
  EXPECT_EQ(colours.size(), 24u * 81u);
  EXPECT_EQ(colours.substr(0, 22), std::string(22, '4'));
  const std::string state = Read(dir + "s.txt");
  for (const char* line : {"K=2\n", "KK=1\n", "DE=1\n", "RX=100\n", "OX=395\n", "B(1)=0.288700014\n", "A$(1)=箒草\n"})
    EXPECT_NE(state.find(line), std::string::npos) << line;
  const std::string png = Read(dir + "p.png");
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  // Width and height from the IHDR chunk.
  const auto be32 = [&](size_t at) {
    return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
           (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
  };
  EXPECT_EQ(be32(16), 640);
  EXPECT_EQ(be32(20), 432);
}

}  // namespace
