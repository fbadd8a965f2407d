#pragma once

#include <string>

// Reading the kernel's files (/proc, /sys).

// The target of the symbolic link `path`; "" when it is none.
std::string ReadLinkTarget(const std::string& path);

// The last component of the link target: the name of a driver or device
// that a /sys link points at; "" when `path` is no link.
std::string LinkTargetName(const std::string& path);

// The first line of the file `path`, without its line feed; "" when unreadable.
std::string ReadFirstLine(const std::string& path);

// The whole file `path`, read in one block; "" when unreadable.
std::string ReadWholeFile(const std::string& path);
