#pragma once

// Device words of the rating's device lists, code page 936.
inline constexpr char kGraphicsWord[] = "\xCF\xD4\xBF\xA8";  // graphics adapter
inline constexpr char kProcessorWord[] = "CPU";
inline constexpr char kMemoryWord[] = "\xC4\xDA\xB4\xE6";  // memory
inline constexpr char kDeviceWordSeparator[] = "/";
