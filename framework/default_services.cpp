#include "framework/default_services.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "framework/component_loader.h"
#include "framework/event_log.h"
#include "platform/cursor.h"
#include "platform/message_box.h"
#include "platform/process_info.h"

namespace Velum {

namespace {

constexpr std::size_t kLogPathCapacity = 512;
constexpr char kLogFileName[] = "NewVelumLog.txt";

FILE* Stream(FileHandle file) { return file == kNoFile ? nullptr : static_cast<FILE*>(file); }

// Each service is made on its first request; a failed allocation leaves the
// cache empty, so that the next request tries again.
template <typename Service, typename Interface>
Interface* Cached(Interface*& cache) {
  if (cache == nullptr) cache = new (std::nothrow) Service();
  return cache;
}

}  // namespace

FileHandle CDefaultFileSys::Open(const char* path) {
  if (path == nullptr) return kNoFile;
  FILE* file = std::fopen(path, "rb");
  return file == nullptr ? kNoFile : file;
}

int CDefaultFileSys::Read(FileHandle file, void* buffer, unsigned capacity) {
  if (Stream(file) == nullptr || buffer == nullptr) return 0;
  const int size = GetSize(file);
  if (size <= 0 || capacity < static_cast<unsigned>(size)) return 0;
  return std::fread(buffer, static_cast<std::size_t>(size), 1, Stream(file)) == 1 ? size : 0;
}

int CDefaultFileSys::GetSize(FileHandle file) {
  FILE* stream = Stream(file);
  if (stream == nullptr) return 0;
  std::fseek(stream, 0, SEEK_END);
  const long size = std::ftell(stream);
  std::fseek(stream, 0, SEEK_SET);
  return size < 0 ? 0 : static_cast<int>(size);
}

void CDefaultFileSys::Close(FileHandle file) {
  if (Stream(file) != nullptr) std::fclose(Stream(file));
}

void* CDefaultAllocImpl::Alloc(const unsigned& size) { return std::malloc(size); }

void CDefaultAllocImpl::Free(void* block, unsigned) { std::free(block); }

int CDefaultSysAPIManager::ClipCursor(const CursorClip* clip) {
  if (clip == nullptr) return ClipCursorTo(nullptr) ? 1 : 0;
  const CursorRect rect{clip->left, clip->top, clip->right, clip->bottom};
  return ClipCursorTo(&rect) ? 1 : 0;
}

CursorHandle CDefaultSysAPIManager::SetCursor(CursorHandle cursor) { return SetCursorShape(cursor); }

DefaultSetting::~DefaultSetting() {
  delete logger_;
  delete static_cast<CDefaultFileSys*>(file_sys_);
  delete static_cast<CDefaultAllocImpl*>(alloc_);
  delete sys_api_manager_;
  delete static_cast<CDefaultAudioPlayer*>(audio_player_);
}

ILogger* DefaultSetting::GetLogger() {
  if (logger_ != nullptr) return logger_;
  logger_ = new (std::nothrow) DefaultLogger();
  if (logger_ == nullptr) return nullptr;
  // Without a current directory, or with one too long for the path, the
  // logger keeps its lines in memory.
  const std::string directory = CurrentDirectory();
  const std::string path = directory + PathSeparator() + kLogFileName;
  if (!directory.empty() && path.size() < kLogPathCapacity) logger_->setLogFilename(path.c_str(), false);
  return logger_;
}

IUILuaScriptManager* DefaultSetting::GetScriptManager() {
  if (script_manager_ != nullptr) return script_manager_;
  EnsureComponentFactory();
  ComponentFactory* factory = TheComponentFactory();
  if (factory == nullptr) return nullptr;
  IComponent* component = factory->Create(kUILuaScriptManagerId, 0);
  if (component == nullptr) return nullptr;
  component->Init(0);
  script_manager_ = static_cast<IUILuaScriptManager*>(component);
  // The creation reference goes back to the factory, which keeps this
  // component alive for the process.
  TVelumPtr<IUILuaScriptManager> creation_reference(script_manager_);
  return script_manager_;
}

ICommonFileSys* DefaultSetting::GetFileSys() { return Cached<CDefaultFileSys>(file_sys_); }
IAlloc* DefaultSetting::GetAlloc() { return Cached<CDefaultAllocImpl>(alloc_); }
ISystemApiManager* DefaultSetting::GetSysApiManager() { return Cached<CDefaultSysAPIManager>(sys_api_manager_); }
IAudioPlayer* DefaultSetting::GetAudioPlayer() { return Cached<CDefaultAudioPlayer>(audio_player_); }

void DefaultSetting::SetValue(const char* name, const char* value) {
  if (name == nullptr) return;
  if (value == nullptr) {
    values_.erase(name);
  } else {
    values_[name] = value;
  }
  if (std::string(name) == kTranscriptValue) SetMessageBoxTranscript(value == nullptr ? "" : value);
}

const char* DefaultSetting::GetValue(const char* name) {
  const auto found = name == nullptr ? values_.end() : values_.find(name);
  return found == values_.end() ? nullptr : found->second.c_str();
}

}  // namespace Velum
