#include "platform/profile_settings.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/profile_text.h"
#include "support/random_text.h"

namespace {

// Each build reads these files with its own profile reader: the Windows
// build with GetPrivateProfileStringA (Wine's, in the tests), the Linux
// build with its reader of the same rules.
class ProfileSettingsTest : public testing::Test {
 protected:
  ProfileSettingsTest() : path_((std::filesystem::temp_directory_path() / FileName()).string()) {}
  ~ProfileSettingsTest() override { std::filesystem::remove(path_); }

  static std::string FileName() {
    return "machinecheck-profile-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) +
           ".ini";
  }
  std::string Read(const std::string& text, const char* section, const char* key, const char* default_value = "",
                   std::size_t capacity = 260) {
    std::ofstream(path_, std::ios::binary) << text;
    return ReadProfileString(path_, section, key, default_value, capacity);
  }

  std::string path_;
};

TEST_F(ProfileSettingsTest, NamesMatchWithoutRegardToCaseAndBlanksGo) {
  const std::string text = "[Redirect]\r\n  PATH  =  other.ini  \r\n[361]\r\nDLL=\"C:\\Velum\\VelumFab.dll\"\r\n";
  EXPECT_EQ(Read(text, "redirect", "Path"), "other.ini");
  EXPECT_EQ(Read(text, "361", "dll"), "C:\\Velum\\VelumFab.dll");
  EXPECT_EQ(Read(text, "361", "Missing", "0"), "0");
  EXPECT_EQ(Read(text, "Missing", "DLL", "fallback  "), "fallback");
  EXPECT_EQ(Read(text, "361", "DLL", "", 6), "C:\\Ve");
}

TEST_F(ProfileSettingsTest, TheFirstOfRepeatedNamesCounts) {
  const std::string text = "[A]\nk=first\nk=second\n[B]\nk=b\n[a]\nk=third\n";
  EXPECT_EQ(Read(text, "A", "k"), "first");
  EXPECT_EQ(Read(text, "B", "K"), "b");
}

TEST_F(ProfileSettingsTest, AFileThatCannotBeReadGivesTheDefault) {
  EXPECT_EQ(ReadProfileString(path_ + ".missing", "361", "NotUseDefaultDllPath", "0", 10), "0");
  // A folder, and on Linux a device that reads without end.
  std::filesystem::create_directory(path_ + ".folder");
  EXPECT_EQ(ReadProfileString(path_ + ".folder", "Redirect", "Path", "x", 260), "x");
  std::filesystem::remove(path_ + ".folder");
  if (std::filesystem::exists("/dev/zero")) {
    EXPECT_EQ(ReadProfileString("/dev/zero", "Redirect", "Path", "", 260), "");
  }
}

// Generated files, read by the real profile API of this build and by the
// portable rules; they must agree. (On Linux both are the same rules: the
// comparison that counts runs in the Windows build, against Wine.)
TEST_F(ProfileSettingsTest, AgreesWithThePortableRulesOnGeneratedFiles) {
  const std::vector<std::string> fragments = {"[", "]", "[Sec]", "[sec]", "[Other]", " ", "\t", "=", "key", "KEY",
                                              "k", "value", "\"", "'", ";", "#", "\r\n", "\n", "\n", "x y"};
  RandomText random(260);
  for (int i = 0; i < 400; ++i) {
    const std::string text = "[Sec]\n" + random.Join(fragments, 0, 24);
    for (const char* key : {"key", "k", "x y"}) {
      EXPECT_EQ(Read(text, "Sec", key, "def  "), ProfileStringFromText(text, "Sec", key, "def  ", 260))
          << "file: \"" << text << "\", key " << key;
    }
  }
}

}  // namespace
