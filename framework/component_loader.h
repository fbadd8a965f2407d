#pragma once

#include <string>

#include "framework/velum.h"

namespace Velum {

// Makes TheComponentFactory() non-null if it can: uses VelumFab when it is
// loaded already, else loads the library that Velum.ini (next to the
// executable) names. Failures are reported with ReportFrameworkError and
// tried again on the next call.
void EnsureComponentFactory();

// The settings file the loader reads: Velum.ini in the executable's folder.
std::string DefaultSettingsFile();

// One attempt, with `settings_file` as Velum.ini; the factory or null.
ComponentFactory* ObtainComponentFactory(const std::string& settings_file);

// The settings file to use instead of `path`, following its Redirect/Path:
// absolute redirections chain (at most kMaxRedirections of them), a relative
// one ends the chain.
std::string ResolveSettingsFile(const std::string& path);
constexpr int kMaxRedirections = 16;

// The factory library's path from the settings file's [361] and
// [DefaultValue] sections.
std::string LocateFactoryDll(const std::string& settings_file);

// Formats a diagnostic (at most 1023 characters) and sends it to the
// framework's error sink: the debugger output, unless replaced.
void ReportFrameworkError(const char* format, ...);
using FrameworkErrorSink = void (*)(const char* text);
void SetFrameworkErrorSink(FrameworkErrorSink sink);

}  // namespace Velum
