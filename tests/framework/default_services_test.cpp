#include "framework/default_services.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace {

using namespace Velum;

TEST(DefaultSetting, EachServiceIsMadeOnceAndKept) {
  DefaultSetting setting;
  EXPECT_NE(setting.GetFileSys(), nullptr);
  EXPECT_EQ(setting.GetFileSys(), setting.GetFileSys());
  EXPECT_EQ(setting.GetAlloc(), setting.GetAlloc());
  EXPECT_EQ(setting.GetSysApiManager(), setting.GetSysApiManager());
  EXPECT_EQ(setting.GetAudioPlayer(), setting.GetAudioPlayer());
  EXPECT_EQ(setting.GetAudioPlayer()->PlaySound(1), 0);
  EXPECT_EQ(setting.GetAudioPlayer()->StopSound(1), 0);
}

class FileSysTest : public testing::Test {
 protected:
  FileSysTest()
      : path_((std::filesystem::temp_directory_path() /
               ("machinecheck-filesys-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name())))
                  .string()) {}
  ~FileSysTest() override { std::filesystem::remove(path_); }

  std::string path_;
  CDefaultFileSys files_;
};

TEST_F(FileSysTest, ReadsTheWholeFileOnlyIntoABufferThatHoldsIt) {
  std::ofstream(path_, std::ios::binary) << "0123456789";
  FileHandle file = files_.Open(path_.c_str());
  ASSERT_NE(file, kNoFile);
  EXPECT_EQ(files_.GetSize(file), 10);
  char buffer[16] = "untouched";
  EXPECT_EQ(files_.Read(file, buffer, 9), 0);
  EXPECT_STREQ(buffer, "untouched");
  char byte;
  ASSERT_EQ(std::fread(&byte, 1, 1, static_cast<FILE*>(file)), 1u);  // part of the file consumed
  EXPECT_EQ(files_.Read(file, buffer, 10), 10);
  EXPECT_EQ(std::string(buffer, 10), "0123456789");
  files_.Close(file);
}

TEST_F(FileSysTest, NoFileIsMinusOneOrNull) {
  std::ofstream(path_, std::ios::binary);
  FileHandle empty = files_.Open(path_.c_str());
  char buffer[4];
  EXPECT_EQ(files_.Read(empty, buffer, sizeof buffer), 0);
  files_.Close(empty);
  EXPECT_EQ(files_.Open((path_ + ".missing").c_str()), kNoFile);
  EXPECT_EQ(files_.Open(nullptr), kNoFile);
  EXPECT_EQ(files_.GetSize(kNoFile), 0);
  EXPECT_EQ(files_.GetSize(nullptr), 0);
  EXPECT_EQ(files_.Read(nullptr, buffer, sizeof buffer), 0);
  files_.Close(kNoFile);
  files_.Close(nullptr);
}

TEST(CDefaultAllocImpl, AllocatesFromTheRuntimeHeap) {
  CDefaultAllocImpl alloc;
  void* block = alloc.Alloc(64);
  ASSERT_NE(block, nullptr);
  alloc.Free(block, 0);
}

TEST(CDefaultSysAPIManager, ReturnsThePreviousCursor) {
  CDefaultSysAPIManager system;
  CursorHandle original = system.SetCursor(nullptr);
  EXPECT_EQ(system.SetCursor(original), nullptr);
  EXPECT_NE(system.ClipCursor(nullptr), 0);
}

// In a fresh process whose current folder holds a folder named like the log
// file: the log cannot be opened there.
TEST(DefaultSettingLogger, ALogThatCannotBeOpenedThrowsOnTheFirstRequestOnly) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "machinecheck-logger-blocked";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "NewVelumLog.txt");
  EXPECT_EXIT(
      {
        std::filesystem::current_path(dir);
        DefaultSetting setting;
        bool threw = false;
        try {
          setting.GetLogger();
        } catch (const char* error) {
          threw = std::string(error) == "Logger::setLogFilename - Failed to open file.";
        }
        ILogger* logger = setting.GetLogger();
        std::exit(threw && logger != nullptr && logger == setting.GetLogger() ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
  std::filesystem::remove_all(dir);
}

TEST(DefaultSettingLogger, WritesNewVelumLogInTheCurrentFolder) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "machinecheck-logger";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  { std::ofstream(dir / "NewVelumLog.txt") << "an earlier run\n"; }
  EXPECT_EXIT(
      {
        std::filesystem::current_path(dir);
        DefaultSetting setting;
        setting.GetLogger()->log("hello", 0);
        std::ifstream log("NewVelumLog.txt");
        const std::string text((std::istreambuf_iterator<char>(log)), {});
        std::exit(text.find("an earlier run") == std::string::npos && text.find("(Error)\thello\n") != std::string::npos
                      ? 0
                      : 1);
      },
      testing::ExitedWithCode(0), "");
  std::filesystem::remove_all(dir);
}

}  // namespace
