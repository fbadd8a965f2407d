#include "framework/component_loader.h"

#include <cstdarg>
#include <cstdio>

#include "platform/dynamic_library.h"
#include "platform/process_info.h"
#include "platform/profile_settings.h"
#include "platform/settings_paths.h"

namespace Velum {

namespace {

constexpr std::size_t kPathCapacity = 260;
constexpr std::size_t kLongValueCapacity = 1024;
constexpr std::size_t kFlagCapacity = 10;
constexpr char kSettingsFileName[] = "Velum.ini";

ComponentFactory* g_factory = nullptr;
FrameworkErrorSink g_error_sink = WriteDebuggerOutput;

bool OnlyBlanks(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// Leading and trailing spaces and tabs go; blanks inside stay, so that paths
// with spaces work.
std::string StripBlanks(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// `path` up to and including its last separator ("\" first, else "/"), or
// the whole path and a separator; `relative` appended when the sum fits.
std::string JoinToDirectory(const std::string& path, const std::string& relative) {
  std::size_t cut = path.rfind('\\');
  if (cut == std::string::npos) cut = path.rfind('/');
  const std::string directory = cut == std::string::npos ? path + PathSeparator() : path.substr(0, cut + 1);
  const std::string joined = directory + relative;
  return joined.size() < kPathCapacity ? joined : std::string();
}

std::string ExeDirectory() {
  static const std::string directory = [] {
    const std::string path = ExecutablePath();
    const std::size_t cut = path.find_last_of(PathSeparator());
    return cut == std::string::npos ? path : path.substr(0, cut);
  }();
  return directory;
}

ComponentFactory* FactoryFrom(LibraryHandle library) {
  auto create = reinterpret_cast<CreateComponentFunction>(FindLibraryExport(library, kCreateComponentExport));
  IComponent* factory = nullptr;
  if (create == nullptr) {
    ReportFrameworkError("[Velum_Error] Can't find CreateComponent().\n");
  } else {
    factory = create(kComponentFactoryId, 0);
    if (factory == nullptr) ReportFrameworkError("[Velum_Error] CreateComponent(ComponentId=%u) return null.\n", kComponentFactoryId);
  }
  if (factory == nullptr) ReportFrameworkError("[Velum_Error] Create ComponentFactory in VelumFab.dll Fail\n");
  return static_cast<ComponentFactory*>(factory);
}

}  // namespace

ComponentFactory* TheComponentFactory() { return g_factory; }

void SetFrameworkErrorSink(FrameworkErrorSink sink) { g_error_sink = sink; }

void ReportFrameworkError(const char* format, ...) {
  char text[1024];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  g_error_sink(text);
}

std::string ResolveSettingsFile(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxRedirections; ++hop) {
    const std::string redirect = ReadProfileString(current, "Redirect", "Path", "", kPathCapacity);
    if (OnlyBlanks(redirect)) return current;
    if (!IsAbsoluteSettingsPath(redirect)) return JoinToDirectory(current, redirect);
    current = redirect;
  }
  return current;  // a chain this long is a loop: the last file read counts
}

std::string LocateFactoryDll(const std::string& settings_file) {
  std::string dll = StripBlanks(ReadProfileString(settings_file, "361", "DLL", "", kLongValueCapacity));
  if (dll.size() >= kPathCapacity) dll.clear();
  if (IsAbsoluteSettingsPath(dll)) return dll;
  const std::string not_default =
      StripBlanks(ReadProfileString(settings_file, "361", "NotUseDefaultDllPath", "0", kLongValueCapacity));
  if (not_default.size() < kFlagCapacity && not_default.rfind('1', 0) == 0) return JoinToDirectory(settings_file, dll);
  const std::string default_path = ReadProfileString(settings_file, "DefaultValue", "DllPath", "", kPathCapacity);
  std::string candidate = dll;
  if (!OnlyBlanks(default_path)) {
    candidate = default_path + PathSeparator() + dll;
    if (candidate.size() >= kPathCapacity) candidate.clear();
  }
  return IsAbsoluteSettingsPath(candidate) ? candidate : JoinToDirectory(settings_file, candidate);
}

ComponentFactory* ObtainComponentFactory(const std::string& settings_file) {
  LibraryHandle library = FindLoadedLibrary(FactoryLibraryFileName());
  if (library == nullptr) {
    const std::string path = LocateFactoryDll(ResolveSettingsFile(settings_file));
    if (!path.empty()) library = LoadLibraryFile(path);
  }
  if (library == nullptr) {
    ReportFrameworkError("[Velum_Error] Load VelumFab.dll Fail.\n");
    return nullptr;
  }
  return FactoryFrom(library);
}

std::string DefaultSettingsFile() {
  std::string settings_file = ExeDirectory() + PathSeparator() + kSettingsFileName;
  if (settings_file.size() >= kPathCapacity) settings_file.resize(kPathCapacity - 1);
  return settings_file;
}

void EnsureComponentFactory() {
  if (g_factory == nullptr) g_factory = ObtainComponentFactory(DefaultSettingsFile());
}

}  // namespace Velum
