#include "framework/component_loader.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "framework/default_services.h"
#include "platform/dynamic_library.h"
#include "platform/process_info.h"
#include "support/scratch_directory.h"

namespace {

using namespace Velum;

std::string g_reports;
void CaptureReport(const char* text) { g_reports += text; }

// The folder of this test program, where the build puts the test libraries.
std::string ProgramDirectory() {
  const std::string path = ExecutablePath();
  return path.substr(0, path.find_last_of(PathSeparator()));
}
std::string InProgramDirectory(const std::string& name) { return ProgramDirectory() + PathSeparator() + name; }
std::string LibraryName(const char* base) {
  const std::string velum = FactoryLibraryFileName();
  return base + velum.substr(velum.rfind('.'));
}

class ComponentLoaderTest : public testing::Test {
 protected:
  ComponentLoaderTest() {
    std::filesystem::create_directories(dir_.path() / "sub");
    g_reports.clear();
    SetFrameworkErrorSink(CaptureReport);
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // every load in a fresh process
  }
  std::string Path(const std::string& name) const { return dir_.File(name); }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name)) << text;
    return Path(name);
  }

  ScratchDirectory dir_{"machinecheck-loader"};
};

// Runs `load` in a process of its own and expects `reports` from it.
#define EXPECT_LOAD_IN_NEW_PROCESS(load, expected_factory, reports)                         \
  EXPECT_EXIT(                                                                              \
      {                                                                                     \
        ComponentFactory* factory = (load);                                                 \
        std::fputs(g_reports.c_str(), stderr);                                              \
        std::exit((factory != nullptr) == (expected_factory) && g_reports == (reports) ? 0 : 1); \
      },                                                                                    \
      testing::ExitedWithCode(0), "")

TEST_F(ComponentLoaderTest, RedirectionsChainThroughAbsolutePathsOnly) {
  const std::string relative = "sub" + std::string(1, PathSeparator()) + "relative.ini";
  const std::string last = Write("last.ini", "[Redirect]\nPath=\n");
  const std::string relative_target = Write(relative, "[Redirect]\nPath=" + last + "\n");
  const std::string middle = Write("middle.ini", "[redirect]\npath = " + relative + "\n");
  const std::string first = Write("first.ini", "[Redirect]\nPath=" + middle + "\n");
  EXPECT_EQ(ResolveSettingsFile(first), relative_target);  // the relative file's own redirection is ignored
  EXPECT_EQ(ResolveSettingsFile(last), last);
  EXPECT_EQ(ResolveSettingsFile(Path("missing.ini")), Path("missing.ini"));
  EXPECT_EQ(ResolveSettingsFile(Write("blank.ini", "[Redirect]\nPath= \t \n")), Path("blank.ini"));
}

// A leading "/" is the root on POSIX; on Windows only ":" or a leading "\"
// make a settings path absolute, so "/sub/x.ini" is the settings folder's.
TEST_F(ComponentLoaderTest, ALeadingSlashIsAbsoluteOnlyOnPosix) {
  const std::string first = Write("first.ini", "[Redirect]\nPath=/sub/x.ini\n");
  const bool windows = PathSeparator() == '\\';
  EXPECT_EQ(ResolveSettingsFile(first), windows ? dir_.path().string() + "\\/sub/x.ini" : "/sub/x.ini");
}

TEST_F(ComponentLoaderTest, AChainOfRedirectionsThatLoopsEnds) {
  const std::string a = Path("a.ini");
  const std::string b = Write("b.ini", "[Redirect]\nPath=" + a + "\n");
  Write("a.ini", "[Redirect]\nPath=" + b + "\n");
  const std::string resolved = ResolveSettingsFile(a);
  EXPECT_TRUE(resolved == a || resolved == b);
}

TEST_F(ComponentLoaderTest, FindsTheLibraryFromTheSettings) {
  const char separator = PathSeparator();
  const std::string absolute = InProgramDirectory("VelumFab.x");
  EXPECT_EQ(LocateFactoryDll(Write("absolute.ini", "[361]\nDLL=  " + absolute + " \n")), absolute);
  EXPECT_EQ(LocateFactoryDll(Write("beside.ini", "[361]\nDLL=Fab.x\nNotUseDefaultDllPath=1\n[DefaultValue]\nDllPath=" +
                                                     ProgramDirectory() + "\n")),
            Path("Fab.x"));
  EXPECT_EQ(LocateFactoryDll(Write("default.ini", "[361]\nDLL=Fab.x\n[DefaultValue]\nDllPath=" + ProgramDirectory() + "\n")),
            ProgramDirectory() + separator + "Fab.x");
  EXPECT_EQ(LocateFactoryDll(Write("relative.ini", "[361]\nDLL=Fab.x\n[DefaultValue]\nDllPath=lib\n")),
            Path(std::string("lib") + separator + "Fab.x"));
  EXPECT_EQ(LocateFactoryDll(Write("none.ini", "")), dir_.path().string() + separator);
}

TEST_F(ComponentLoaderTest, LoadsTheFactoryANamedLibraryExports) {
  const std::string settings = Write("Velum.ini", "[361]\nDLL=" + InProgramDirectory(FactoryLibraryFileName()) + "\n");
  EXPECT_LOAD_IN_NEW_PROCESS(ObtainComponentFactory(settings), true, "");
}

TEST_F(ComponentLoaderTest, ReportsALibraryThatCannotBeLoaded) {
  EXPECT_LOAD_IN_NEW_PROCESS(ObtainComponentFactory(Write("Velum.ini", "[361]\nDLL=missing.x\nNotUseDefaultDllPath=1\n")),
                             false, "[Velum_Error] Load VelumFab.dll Fail.\n");
  EXPECT_LOAD_IN_NEW_PROCESS(ObtainComponentFactory(Path("no-settings.ini")), false,
                             "[Velum_Error] Load VelumFab.dll Fail.\n");
}

TEST_F(ComponentLoaderTest, ReportsALibraryWithoutTheExport) {
  const std::string settings =
      Write("Velum.ini", "[361]\nDLL=" + InProgramDirectory(LibraryName("factory_without_export")) + "\n");
  EXPECT_LOAD_IN_NEW_PROCESS(ObtainComponentFactory(settings), false,
                             "[Velum_Error] Can't find CreateComponent().\n"
                             "[Velum_Error] Create ComponentFactory in VelumFab.dll Fail\n");
}

TEST_F(ComponentLoaderTest, ReportsAnExportThatReturnsNull) {
  const std::string settings =
      Write("Velum.ini", "[361]\nDLL=" + InProgramDirectory(LibraryName("factory_returning_null")) + "\n");
  EXPECT_LOAD_IN_NEW_PROCESS(ObtainComponentFactory(settings), false,
                             "[Velum_Error] CreateComponent(ComponentId=361) return null.\n"
                             "[Velum_Error] Create ComponentFactory in VelumFab.dll Fail\n");
}

TEST_F(ComponentLoaderTest, UsesALoadedVelumFabWithoutReadingSettings) {
  EXPECT_LOAD_IN_NEW_PROCESS((LoadLibraryFile(InProgramDirectory(FactoryLibraryFileName())),
                              ObtainComponentFactory(Path("no-settings.ini"))),
                             true, "");
}

// With the test VelumFab loaded, the process's factory and what it makes
// serve the whole process.
TEST_F(ComponentLoaderTest, TheProcessFactoryServesTheScriptManagerAndTheReleaseRule) {
  EXPECT_EXIT(
      {
        LoadLibraryFile(InProgramDirectory(FactoryLibraryFileName()));
        EnsureComponentFactory();
        DefaultSetting setting;
        IUILuaScriptManager* manager = setting.GetScriptManager();
        const bool kept = manager != nullptr && manager == setting.GetScriptManager() && manager->GetComponentId() == 785;
        auto destroyed = reinterpret_cast<int (*)()>(
            FindLibraryExport(FindLoadedLibrary(FactoryLibraryFileName()), "DestroyedComponents"));
        const int before = destroyed();
        { TVelumPtr<IUILib> lib(static_cast<IUILib*>(TheComponentFactory()->Create(kUILibId, 0))); }
        std::exit(kept && destroyed() == before + 1 && g_reports.empty() ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

// No Velum.ini lies beside the test programs.
TEST_F(ComponentLoaderTest, WithoutAFactoryTheScriptManagerIsNullAndReportedEachTime) {
  EXPECT_EXIT(
      {
        DefaultSetting setting;
        const bool none = setting.GetScriptManager() == nullptr && setting.GetScriptManager() == nullptr;
        std::exit(none && g_reports == "[Velum_Error] Load VelumFab.dll Fail.\n[Velum_Error] Load VelumFab.dll Fail.\n" ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
