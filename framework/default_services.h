#pragma once

#include <map>
#include <string>

#include "framework/velum.h"

namespace Velum {

class CDefaultFileSys final : public ICommonFileSys {
 public:
  FileHandle Open(const char* path) override;
  int Read(FileHandle file, void* buffer, unsigned capacity) override;
  int GetSize(FileHandle file) override;
  void Close(FileHandle file) override;
};

class CDefaultAllocImpl final : public IAlloc {
 public:
  void* Alloc(const unsigned& size) override;
  void Free(void* block, unsigned unused) override;
};

class CDefaultSysAPIManager final : public ISystemApiManager {
 public:
  int ClipCursor(const CursorClip* clip) override;
  CursorHandle SetCursor(CursorHandle cursor) override;
};

// Plays nothing: the library's sounds stay silent in this program.
class CDefaultAudioPlayer final : public IAudioPlayer {
 public:
  int PlaySound(std::uint32_t) override { return 0; }
  int StopSound(std::uint32_t) override { return 0; }
  void SetVolume(std::uint32_t) override {}
};

// Hands out the host services, each made on first request and kept for the
// life of the process.
class DefaultSetting final : public ISetting {
 public:
  DefaultSetting() = default;
  DefaultSetting(const DefaultSetting&) = delete;
  DefaultSetting& operator=(const DefaultSetting&) = delete;
  // The services it made go with it (the script manager is the library's).
  ~DefaultSetting();

  // The event log, attached to NewVelumLog.txt in the current directory
  // (emptied). If that file cannot be opened, the first call throws the
  // logger's `const char*` and the logger stays, keeping its lines in memory.
  ILogger* GetLogger() override;
  // Component 785 of the library; null while the library is not available.
  IUILuaScriptManager* GetScriptManager() override;
  ICommonFileSys* GetFileSys() override;
  IAlloc* GetAlloc() override;
  ISystemApiManager* GetSysApiManager() override;
  IAudioPlayer* GetAudioPlayer() override;
  // A null value removes the name. The library's transcript also becomes
  // the file printed message boxes are appended to.
  void SetValue(const char* name, const char* value) override;
  const char* GetValue(const char* name) override;

 private:
  std::map<std::string, std::string> values_;
  ILogger* logger_ = nullptr;
  IUILuaScriptManager* script_manager_ = nullptr;
  ICommonFileSys* file_sys_ = nullptr;
  IAlloc* alloc_ = nullptr;
  ISystemApiManager* sys_api_manager_ = nullptr;
  IAudioPlayer* audio_player_ = nullptr;
};

}  // namespace Velum
