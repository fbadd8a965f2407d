#include "probe/graphics_adapters.h"

#include <gtest/gtest.h>

#include "app/machine_info.h"

namespace {

GraphicsAdapterRecord Adapter(const char* description, std::uint32_t high, std::uint32_t low) {
  return {true, description, high, low};
}
const GraphicsAdapterRecord kUnreadable{};

TEST(DriverVersionText, SplitsTheVersionIntoFourFields) {
  EXPECT_EQ(DriverVersionText(0x00090012, 0x000D0ECC), "9.18.13.3788");
  EXPECT_EQ(DriverVersionText(0, 0), "0.0.0.0");
  EXPECT_EQ(DriverVersionText(0xFFFF0001, 0xFFFFFFFF), "-1.1.65535.65535");  // only the first field is signed
}

TEST(StoreGraphicsAdapters, ListsEveryAdapterAndRecordsTheFirst) {
  MachineInfoRecord info;
  const std::vector<GraphicsAdapterRecord> one = {Adapter("NVIDIA GeForce GTX 690", 0x00090012, 0x000D0ECC)};
  EXPECT_EQ(StoreGraphicsAdapters(info, one), "NVIDIA GeForce GTX 690 9.18.13.3788;");
  EXPECT_EQ(info["GPU"], "NVIDIA GeForce GTX 690");
  EXPECT_EQ(info["GPU Driver"], "9.18.13.3788");

  const std::vector<GraphicsAdapterRecord> two = {Adapter("A  ", 0x00080011, 0x000C2565),
                                                  Adapter(" B", 0x00090012, 0x000D0ECC)};
  EXPECT_EQ(StoreGraphicsAdapters(info, two), "A 8.17.12.9573;B 9.18.13.3788;");
  EXPECT_EQ(info["GPUs"], "A 8.17.12.9573;B 9.18.13.3788;");
  EXPECT_EQ(info["GPU"], "A");
  EXPECT_EQ(info["GPU Driver"], "8.17.12.9573");
}

TEST(StoreGraphicsAdapters, SkipsAdaptersWhoseIdentifierCannotBeRead) {
  MachineInfoRecord info;
  const std::vector<GraphicsAdapterRecord> adapters = {kUnreadable, Adapter("Second", 0x00010002, 0x00030004)};
  EXPECT_EQ(StoreGraphicsAdapters(info, adapters), "Second 1.2.3.4;");
  EXPECT_EQ(info["GPU"], "Second");
}

TEST(StoreGraphicsAdapters, WithoutAnAdapterKeepsTheEarlierOne) {
  MachineInfoRecord info;
  StoreGraphicsAdapters(info, std::vector<GraphicsAdapterRecord>{Adapter("Earlier", 0x00010002, 0x00030004)});
  EXPECT_EQ(StoreGraphicsAdapters(info, std::nullopt), "");  // the graphics interface did not start
  EXPECT_EQ(info["GPUs"], "Earlier 1.2.3.4;");
  EXPECT_EQ(StoreGraphicsAdapters(info, std::vector<GraphicsAdapterRecord>{kUnreadable}), "");
  EXPECT_EQ(info["GPUs"], "");
  EXPECT_EQ(info["GPU"], "Earlier");
  EXPECT_EQ(info["GPU Driver"], "1.2.3.4");
}

}  // namespace
