#pragma once

#include <string>

// The full path of the running executable.
std::string ExecutablePath();

// The current directory; "" when it cannot be read.
std::string CurrentDirectory();

// This process's id.
unsigned long CurrentProcessId();

// The directory separator of the platform's paths.
char PathSeparator();

// Whether `path` begins at the root of its drive: with "\" on Windows
// (where "/" is relative for the settings files), with "/" or "\" on POSIX.
bool StartsAtTheRoot(const std::string& path);

// Sends `text` to the debugger channel: the attached debugger on Windows;
// on POSIX standard error, but only when VELUM_DEBUG_OUTPUT is set.
void WriteDebuggerOutput(const char* text);
