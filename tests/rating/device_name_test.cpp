#include "rating/device_name.h"

#include <gtest/gtest.h>

#include "support/random_text.h"
#include "support/reference_rules.h"

namespace {

struct Example {
  const char* input;
  const char* normalised;
};

const Example kExamples[] = {
    {"Intel(R) Core(TM) i7 CPU         920  @ 2.67GHz", "INTELCOREI7920@2.67GHZ"},
    {"AMD Radeon HD 6800 Series", "RADEONHD6800SERIES"},
    {"ATI Radeon HD 5700 Series", "RADEONHD5700SERIES"},
    {"NVIDIA GeForce 9600 GT (Microsoft Corporation - WDDM v1.1)", "NVIDIAGEFORCE9600GT"},
    {"  AMD Phenom(tm) II X4 955 Processor  ", "PHENOMIIX4955"},
    {"A (B (C) D)", "A(BD)"},
    {"[Dual] Core [2]", "CORE"},
    {"Intel Core i5 cpu", "INTELCOREI5"},
    {"Processor", ""},
    {"", ""},
    {"   ", ""},
    {"AMD", "AMD"},
    {"AMD  X", "X"},
    {"(R) ATI Radeon", "ATIRADEON"},
    {"x CPU GPU y", "XGPUY"},
    {"a @?% b", "AB"},
    {"a @ ? % b", "A@?%B"},
    {"CPUX GPU", "CPUX"},
    {"\xB5\xD8 cpu \xB5\xD8", "\xB5\xD8\xB5\xD8"},
};

TEST(NormalizeDeviceName, GivesTheDocumentedFormOfEachExample) {
  for (const Example& example : kExamples) {
    EXPECT_EQ(NormalizeDeviceName(example.input), example.normalised) << '"' << example.input << '"';
  }
}

TEST(NormalizeDeviceName, AgreesWithTheRegularExpressionsOnTheExamples) {
  for (const Example& example : kExamples) {
    EXPECT_EQ(ReferenceNormalizeDeviceName(example.input), example.normalised) << '"' << example.input << '"';
  }
}

TEST(NormalizeDeviceName, AgreesWithTheRegularExpressionsOnGeneratedNames) {
  RandomText random(20261208);
  for (int i = 0; i < 20000; ++i) {
    const std::string name = random.Join(DeviceNameFragments(), 0, 12);
    ASSERT_EQ(NormalizeDeviceName(name), ReferenceNormalizeDeviceName(name)) << "name #" << i << ": \"" << name << '"';
  }
}

TEST(DeviceNameLess, ComparesNormalisedFormsAsUnsignedBytes) {
  EXPECT_FALSE(DeviceNameLess("intel core i5", "INTEL CORE I5"));
  EXPECT_FALSE(DeviceNameLess("INTEL CORE I5", "intel core i5"));
  EXPECT_FALSE(DeviceNameLess("NVIDIA GeForce GT630", "NVIDIA GeForce GT 630"));
  EXPECT_TRUE(DeviceNameLess("ABC", "ABCD"));  // a proper prefix is less
  EXPECT_TRUE(DeviceNameLess("Z", "\xB5\xD8"));  // bytes above 0x7F sort after ASCII
  EXPECT_FALSE(DeviceNameLess("\xB5\xD8", "Z"));
}

}  // namespace
