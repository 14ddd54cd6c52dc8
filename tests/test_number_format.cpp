#include <gtest/gtest.h>

#include <cfloat>

#include "console/number_format.h"

namespace {

struct SingleCase {
  float value;
  const char* shown;
};

TEST(NumberFormat, SingleValues) {
  const SingleCase cases[] = {
      {1.0f, " 1 "},           {0.5f, " .5 "},          {-0.2887f, "-.2887 "},     {100.0f, " 100 "},
      {0.0f, " 0 "},           {-0.0f, " 0 "},          {4.0f, " 4 "},             {0.2887f, " .2887 "},
      {0.6667f, " .6667 "},    {-1.0f, "-1 "},          {12345678.0f, " 1.234568E+07 "},
      {1234567.0f, " 1234567 "}, {2.5e-9f, " 2.5E-09 "}, {1e-7f, " .0000001 "},   {1e-8f, " 1E-08 "},
      {123.4567f, " 123.4567 "}, {0.1f, " .1 "},        {FLT_MAX, " 3.402823E+38 "}, {-1e10f, "-1E+10 "},
      {9999999.0f, " 9999999 "}, {1e8f, " 1E+08 "}, {1.5f, " 1.5 "},      {200.0f, " 200 "},
  };
  for (const auto& c : cases) EXPECT_EQ(console::FormatSingle(c.value), c.shown) << c.value;
}

TEST(NumberFormat, DoubleValuesShowUpTo16Digits) {
  EXPECT_EQ(console::FormatDouble(4.0), " 4 ");
  EXPECT_EQ(console::FormatDouble(-0.25), "-.25 ");
  EXPECT_EQ(console::FormatDouble(0.0), " 0 ");
  EXPECT_EQ(console::FormatDouble(1.0 / 3.0), " .3333333333333333 ");
  EXPECT_EQ(console::FormatDouble(2.3e77), " 2.3E+77 ");
  EXPECT_EQ(console::FormatDouble(1234567890123456.0), " 1234567890123456 ");
  EXPECT_EQ(console::FormatDouble(12345678901234567.0), " 1.234567890123457E+16 ");
}

}  // namespace
