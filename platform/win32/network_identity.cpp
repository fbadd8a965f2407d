#include "platform/network_identity.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <cstring>

#include "platform/win32/wide_text.h"

namespace {

constexpr int kAdapterRecords = 16;

// Winsock 2.0, started once for the process before any probe runs (the
// host-name query needs it) and left running until the process ends.
const bool kWinsockStarted = [] {
  WSADATA data;
  return WSAStartup(MAKEWORD(2, 0), &data) == 0;
}();

std::string TerminatedText(const char* text, std::size_t capacity) { return std::string(text, strnlen(text, capacity)); }

}  // namespace

std::optional<std::vector<NetworkAdapterRecord>> QueryNetworkAdapters() {
  IP_ADAPTER_INFO buffer[kAdapterRecords];
  ULONG size = sizeof buffer;
  if (GetAdaptersInfo(buffer, &size) != ERROR_SUCCESS) return std::nullopt;
  std::vector<NetworkAdapterRecord> adapters;
  for (const IP_ADAPTER_INFO* info = buffer; info != nullptr; info = info->Next) {
    NetworkAdapterRecord adapter;
    std::memcpy(adapter.address.data(), info->Address, adapter.address.size());
    adapter.name = TerminatedText(info->AdapterName, sizeof info->AdapterName);
    adapter.description = TerminatedText(info->Description, sizeof info->Description);
    adapters.push_back(adapter);
  }
  return adapters;
}

// In code page 936, as the report's other texts, whatever the system's
// ANSI code page: a name it cannot write would become "??".
std::string QueryUserName() {
  wchar_t name[256] = {};
  DWORD size = 256;
  if (!GetUserNameW(name, &size)) return {};
  return Cp936FromWide(name);
}

std::string QueryHostName() {
  char name[256] = {};
  if (!kWinsockStarted || gethostname(name, sizeof name) != 0) return {};
  return TerminatedText(name, sizeof name);
}
