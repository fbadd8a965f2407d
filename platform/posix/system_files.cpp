#include "platform/posix/system_files.h"

#include <unistd.h>

#include <fstream>

std::string ReadLinkTarget(const std::string& path) {
  char target[4096] = {};
  const ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
  return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

std::string LinkTargetName(const std::string& path) {
  const std::string target = ReadLinkTarget(path);
  return target.substr(target.rfind('/') + 1);
}

std::string ReadFirstLine(const std::string& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
  if (size <= 0) return {};
  std::string text(static_cast<std::size_t>(size), '\0');
  file.seekg(0);
  file.read(text.data(), size);
  text.resize(static_cast<std::size_t>(file.gcount()));
  return text;
}
