// Where Boost.Interprocess keeps its shared-memory files on Windows (the
// build defines BOOST_INTERPROCESS_SHARED_DIR_FUNC, so the library asks
// here). Like the library's own choice, the folder is named after the boot,
// so that what it holds lasts until the machine restarts. Where the system
// does not record a boot id (as under Wine), the boot is told by its time,
// computed from the clock and the time since start, to the minute.
#include <boost/interprocess/detail/os_file_functions.hpp>
#include <boost/interprocess/detail/shared_dir_helpers.hpp>
#include <boost/interprocess/detail/win32_api.hpp>

#include <windows.h>

#include <string>

#include "platform/temp_directory.h"

namespace {

std::string BootMinute() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const unsigned long long now_100ns = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  const unsigned long long boot_100ns = now_100ns - GetTickCount64() * 10000ULL;
  return "boot-" + std::to_string(boot_100ns / 600000000ULL);
}

// Creates the folder of this boot and removes those of earlier boots.
std::string SharedDirectory() {
  namespace ipcdetail = boost::interprocess::ipcdetail;
  namespace winapi = boost::interprocess::winapi;
  std::string dir;
  winapi::get_shared_documents_folder(dir);
  if (dir.empty()) {
    dir = TempDirectory();
    dir.pop_back();  // its separator
  }
  // Computed once, so that a process never straddles two folders.
  static const std::string stamp = [] {
    std::string boot_id;
    return winapi::get_last_bootup_time(boot_id) ? boot_id : BootMinute();
  }();
  const std::string root = dir + "\\boost_interprocess";
  const std::string boot_dir = root + "\\" + stamp;
  if (ipcdetail::open_or_create_shared_directory(root.c_str()) &&
      ipcdetail::open_or_create_shared_directory(boot_dir.c_str())) {
    ipcdetail::delete_subdirectories(root, stamp.c_str());
  }
  return boot_dir;
}

}  // namespace

namespace boost::interprocess::ipcdetail {

void get_shared_dir(std::string& shared_dir) { shared_dir = SharedDirectory(); }

void get_shared_dir(std::wstring& shared_dir) {
  const std::string dir = SharedDirectory();
  shared_dir.assign(dir.begin(), dir.end());
}

}  // namespace boost::interprocess::ipcdetail
