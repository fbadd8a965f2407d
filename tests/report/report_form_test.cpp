#include "report/report_form.h"

#include <gtest/gtest.h>

#include "app/machine_info.h"
#include "platform/md5.h"

namespace {

std::string Hex(const std::array<std::uint8_t, 16>& digest) {
  std::string hex;
  char byte[3];
  for (std::uint8_t b : digest) {
    std::snprintf(byte, sizeof byte, "%02x", b);
    hex += byte;
  }
  return hex;
}

TEST(Md5, GivesTheDigestsOfRfc1321) {
  EXPECT_EQ(Hex(Md5("")), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Hex(Md5("a")), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(Hex(Md5("abc")), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Hex(Md5("message digest")), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(Hex(Md5("abcdefghijklmnopqrstuvwxyz")), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(Hex(Md5("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789")),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  EXPECT_EQ(Hex(Md5("12345678901234567890123456789012345678901234567890123456789012345678901234567890")),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(UrlEncode, KeepsUnreservedCharactersAndEscapesEveryOtherByte) {
  EXPECT_EQ(UrlEncode("1920x1080, 32bits"), "1920x1080%2C%2032bits");
  EXPECT_EQ(UrlEncode("Windows 6.1, SP 1.0"), "Windows%206.1%2C%20SP%201.0");
  EXPECT_EQ(UrlEncode("00-1B-21-3A-4F-5C"), "00-1B-21-3A-4F-5C");
  EXPECT_EQ(UrlEncode("\xBB\xAA\xB1\xB1\xB5\xD8\xC7\xF8"), "%BB%AA%B1%B1%B5%D8%C7%F8");
  EXPECT_EQ(UrlEncode("&=%+@ "), "%26%3D%25%2B%40%20");
  EXPECT_EQ(UrlEncode("azAZ09-_.~"), "azAZ09-_.~");
  EXPECT_EQ(UrlEncode(std::string("\0\x7F\xFF", 3)), "%00%7F%FF");
}

TEST(LevelCode, OnlyLevelsZeroToFiveHaveACode) {
  for (const char* level : {"0", "1", "2", "3", "4", "5"}) EXPECT_EQ(LevelCode(level), level);
  for (const char* level : {"-1", "", "6", "01", " 1"}) EXPECT_EQ(LevelCode(level), "") << level;
}

// Tokens computed outside this program (PHP's md5).
TEST(ReportToken, SignsSevenValuesWithTheSalts) {
  EXPECT_EQ(ReportToken("", "", "", "", "", "", ""), "8b6cb66ad380694f8721dd70a3388436");
  EXPECT_EQ(ReportToken("10001", "00-1B-21-3A-4F-5C", "Intel Core i7 980X @ 3.33GHz", "8192.00 MB",
                        "NVIDIA GeForce GTX 690", "1", "0"),
            "33a82db2cd2aff4a9d14a9773c535756");
}

MachineInfoRecord DescribeReport() {
  MachineInfoRecord info;
  info["Orbi"] = "10001";
  info["Mac"] = "00-1B-21-3A-4F-5C";
  info["CPU"] = "Intel Core i7 980X @ 3.33GHz";
  info["RAM"] = "8192.00 MB";
  info["GPU"] = "NVIDIA GeForce GTX 690";
  info["OS"] = "Windows 6.1, SP 1.0";
  info["Resolution"] = "1920x1080, 32bits";
  info["Level"] = "1";
  info["HostName"] = "player@desktop";
  info["AdapterName"] = "{0F8A}Intel(R) 82579V";
  info["Times"] = "0";
  info["Age"] = "2";
  info["Sex"] = "1";
  info["Province"] = "\xBB\xAA\xB1\xB1\xB5\xD8\xC7\xF8";
  return info;
}

std::string TokenOf(const std::string& body) { return body.substr(body.rfind("&tk=") + 4); }

TEST(BuildReportForm, FillsTheFifteenFieldsInOrder) {
  MachineInfoRecord info = DescribeReport();
  EXPECT_EQ(BuildReportForm(info),
            "u=10001&mc=00-1B-21-3A-4F-5C&cpu=Intel%20Core%20i7%20980X%20%40%203.33GHz&mm=8192.00%20MB"
            "&dm=NVIDIA%20GeForce%20GTX%20690&os=Windows%206.1%2C%20SP%201.0&rs=1920x1080%2C%2032bits&hl=1"
            "&pn=player%40desktop&nc=%7B0F8A%7DIntel%28R%29%2082579V&ei=0&ag=2&sx=1&pv=%BB%AA%B1%B1%B5%D8%C7%F8"
            "&tk=33a82db2cd2aff4a9d14a9773c535756");
}

TEST(BuildReportForm, ALevelWithoutCodeLeavesHlEmpty) {
  MachineInfoRecord info = DescribeReport();
  info["Level"] = "-1";
  const std::string body = BuildReportForm(info);
  EXPECT_NE(body.find("&hl=&"), std::string::npos);
  EXPECT_EQ(TokenOf(body), ReportToken("10001", "00-1B-21-3A-4F-5C", "Intel Core i7 980X @ 3.33GHz", "8192.00 MB",
                                       "NVIDIA GeForce GTX 690", "", "0"));
  info["Level"] = "3";
  EXPECT_NE(BuildReportForm(info).find("&hl=3&"), std::string::npos);
}

TEST(BuildReportForm, TheTokenCoversExactlySevenValues) {
  for (const char* key : {"Orbi", "Mac", "CPU", "RAM", "GPU", "Level", "Times"}) {
    MachineInfoRecord info = DescribeReport();
    const std::string before = TokenOf(BuildReportForm(info));
    info[key] = key == std::string("Level") ? "2" : "changed";
    EXPECT_NE(TokenOf(BuildReportForm(info)), before) << key;
  }
  for (const char* key : {"Age", "Sex", "Province", "OS", "Resolution", "HostName", "AdapterName"}) {
    MachineInfoRecord info = DescribeReport();
    const std::string before = TokenOf(BuildReportForm(info));
    info[key] = "changed";
    EXPECT_EQ(TokenOf(BuildReportForm(info)), before) << key;
  }
}

TEST(BuildReportForm, EscapedValuesKeepFifteenPairs) {
  MachineInfoRecord info = DescribeReport();
  info["HostName"] = "a&b=c%d+e@f";
  const std::string body = BuildReportForm(info);
  EXPECT_EQ(std::count(body.begin(), body.end(), '&'), 14);
  EXPECT_EQ(std::count(body.begin(), body.end(), '='), 15);
  EXPECT_NE(body.find("&pn=a%26b%3Dc%25d%2Be%40f&"), std::string::npos);
}

TEST(BuildReportForm, AnEmptyRecordGivesEmptyFieldsAndIsFilledWithThem) {
  MachineInfoRecord info;
  EXPECT_EQ(BuildReportForm(info),
            "u=&mc=&cpu=&mm=&dm=&os=&rs=&hl=&pn=&nc=&ei=&ag=&sx=&pv=&tk=8b6cb66ad380694f8721dd70a3388436");
  EXPECT_EQ(info.Size(), 14u);
}

}  // namespace
