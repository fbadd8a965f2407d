#pragma once

// The contract between this program and the Velum UI component library that
// it loads at run time (VelumFab): the components, the interfaces the host
// calls, the services it offers, and the keys of events and properties.
// Virtual operations are declared in the library's slot order; both sides are
// built from this header.

#include <cstdint>

namespace Velum {

// Component ids.
constexpr unsigned kComponentFactoryId = 361;
constexpr unsigned kUILibId = 186;
constexpr unsigned kUILuaScriptManagerId = 785;
constexpr unsigned kVariableParamId = 282;

// Event parameters (int map unless noted).
constexpr int kEventCodeKey = 4;
constexpr int kEventClick = 0x300200;
constexpr int kEventEditKey = 0x300010;
constexpr int kWindowMessageKey = 0;
constexpr int kMessageKeyDown = 256;
constexpr int kMessageKeyUp = 257;
constexpr int kMessageChar = 258;
constexpr int kVirtualKeyKey = 1;  // dword map
constexpr unsigned kVirtualKeyTab = 9;
constexpr unsigned kVirtualKeyEnter = 13;
constexpr int kEventHandledKey = 7;  // set to 1 to mark the event handled
// Control properties (dword map).
constexpr int kTextColorKey = 0x101A00;

class IComponent {
 public:
  virtual int GetComponentId() = 0;
  virtual int Reserved1() = 0;  // the library's; the host never calls it
  virtual void Destroy(int unused) = 0;
  virtual int Reserved2() = 0;
  virtual void Init(int unused) = 0;
  virtual void Reserved3() = 0;
  virtual void Reserved4() = 0;
  virtual void Reserved5() = 0;

 protected:
  ~IComponent() = default;  // components are freed with Destroy
};

// The property bag of events and control properties: six kinds of values
// keyed by 32-bit integers (implemented by CVariableParam2).
class IVariableParam : public IComponent {
 public:
  virtual int SetFloat(int key, float value) = 0;
  virtual int SetBool(int key, bool value) = 0;
  virtual int SetDword(int key, std::uint32_t value) = 0;
  virtual int SetString(int key, const char* value) = 0;
  virtual int SetInt(int key, int value) = 0;
  virtual int GetInt(int key, int remove) = 0;
  virtual bool GetBool(int key, int remove) = 0;
  virtual std::uint32_t GetDword(int key, int remove) = 0;
  virtual float GetFloat(int key, int remove) = 0;
  virtual int GetString(int key, char* buffer, unsigned capacity, int remove) = 0;
  virtual int GetStringLength(int key) = 0;
  virtual int HasInt(int key) = 0;
  virtual int HasString(int key) = 0;
  virtual int HasDword(int key) = 0;
  virtual int HasBool(int key) = 0;
  virtual int HasFloat(int key) = 0;
  virtual void Clear() = 0;
  virtual void RemoveInt(int key) = 0;
  virtual void RemoveBool(int key) = 0;
  virtual void RemoveDword(int key) = 0;
  virtual void RemoveFloat(int key) = 0;
  virtual void RemoveString(int key) = 0;
  virtual void CopyTo(IVariableParam* target, int clear_first) = 0;
  virtual int CopyIntTo(IVariableParam* target, int key) = 0;
  virtual int CopyBoolTo(IVariableParam* target, int key) = 0;
  virtual int CopyDwordTo(IVariableParam* target, int key) = 0;
  virtual int CopyFloatTo(IVariableParam* target, int key) = 0;
  virtual int CopyStringTo(IVariableParam* target, int key) = 0;
  // Second entries of the setters: each forwards to the setter of its kind.
  virtual int PutInt(int key, int value) = 0;
  virtual int PutString(int key, const char* value) = 0;
  virtual int PutDword(int key, std::uint32_t value) = 0;
  virtual int PutBool(int key, bool value) = 0;
  virtual int PutFloat(int key, float value) = 0;
  virtual void SetFlags(int key, int value, int mode) = 0;
  virtual int GetFlags(int key, int remove) = 0;
  virtual void ClearFlags() = 0;
  virtual void RemoveFlags(int key) = 0;
  virtual int HasFlags(int key) = 0;
  virtual int CopyFlagsTo(IVariableParam* target, int key) = 0;
  virtual int FirstInt(int* key, int* value) = 0;
  virtual int NextInt(int* key, int* value) = 0;
  virtual int FirstString(int* key, char* buffer, unsigned capacity) = 0;
  virtual int NextString(int* key, char* buffer, unsigned capacity) = 0;
  virtual int FirstDword(int* key, std::uint32_t* value) = 0;
  virtual int NextDword(int* key, std::uint32_t* value) = 0;
  virtual int FirstBool(int* key, bool* value) = 0;
  virtual int NextBool(int* key, bool* value) = 0;
  virtual int FirstFloat(int* key, float* value) = 0;
  virtual int NextFloat(int* key, float* value) = 0;
  virtual const char* GetStringPtr(int key) = 0;

 protected:
  ~IVariableParam() = default;
};

class IUILibEvent;

// A control of a loaded layout. Each operation applies to the kinds of
// control named beside it.
class IControl {
 public:
  virtual void ApplyParams(IVariableParam* params) = 0;  // rich label
  virtual void SetVisible(bool visible) = 0;              // button
  virtual void SetFocus() = 0;                            // edit, button
  virtual const char* GetText() = 0;                      // edit; valid until the next call into the library
  virtual void SetText(const char* text) = 0;             // edit, label
  virtual void SetRichText(const char* markup) = 0;       // rich label
  virtual void ClearText() = 0;                           // rich label
  virtual int RunModal() = 0;                             // dialog, panel: returns when closed
  virtual void EndModal(int control_id) = 0;              // dialog, panel
  virtual int GetCurSel() = 0;                            // combo box: index or -1
  virtual void SetEventHandler(IUILibEvent* sink) = 0;    // top-level dialog

 protected:
  virtual ~IControl() = default;  // polymorphic, for the checked cast to ITEdit
};

class ITEdit : public IControl {
 public:
  virtual void OnTabFocus() = 0;  // called after Tab moved the focus here

 protected:
  ~ITEdit() override = default;
};

// Receives the library's events, on the UI thread.
class IUILibEvent {
 public:
  virtual int IsEventSink() = 0;  // returns 1
  virtual void OnEvent(int control_id, IVariableParam* event) = 0;

 protected:
  ~IUILibEvent() = default;
};

// Marks a framework event handler.
class IEvent {
 protected:
  ~IEvent() = default;
};

namespace PartialTemplateSpecializationForEvent {

// An event sink of the framework: the sink interface's first operation
// answers 1; the program implements OnEvent.
template <typename EventInterface>
class IDefaultEventImpl : public EventInterface, public IEvent {
 public:
  int IsEventSink() override { return 1; }

 protected:
  ~IDefaultEventImpl() = default;
};

}  // namespace PartialTemplateSpecializationForEvent

template <typename EventInterface, int kKind>
class IEventImpl : public PartialTemplateSpecializationForEvent::IDefaultEventImpl<EventInterface> {
 protected:
  ~IEventImpl() = default;
};

class IUILib : public IComponent {
 public:
  virtual int LoadLayout(const char* file_name, int reserved) = 0;  // nonzero on success
  virtual void Shutdown() = 0;                                      // before the library is released
  virtual int GetControlId(const char* control_name, int reserved) = 0;
  virtual IControl* GetControl(int control_id) = 0;
  virtual int GetFocusControlId() = 0;
  virtual void SetEventSink(int reserved, IUILibEvent* sink) = 0;

 protected:
  ~IUILib() = default;
};

class IUILuaScriptManager : public IComponent {
 protected:
  ~IUILuaScriptManager() = default;
};

// Makes every component of the library (component 361).
class ComponentFactory : public IComponent {
 public:
  virtual IComponent* Create(unsigned component_id, int reserved) = 0;  // null on failure
  virtual int ReleaseComponent(IComponent* component) = 0;  // nonzero: the factory disposed of it

 protected:
  ~ComponentFactory() = default;
};

// The library's export: CreateComponent(361, 0) gives the factory.
using CreateComponentFunction = IComponent* (*)(unsigned component_id, int reserved);
constexpr char kCreateComponentExport[] = "CreateComponent";

// Host services, offered to the library through ISetting (found through the
// shared-memory channel).

class ILogger {
 public:
  virtual void setLevel(int level) = 0;
  virtual int getLevel() = 0;
  virtual void log(const char* message, int level) = 0;
  virtual ~ILogger() = default;
  virtual void setLogFilename(const char* path, bool append) = 0;
};

// A file handle of ICommonFileSys; kNoFile (and null) stand for no file.
using FileHandle = void*;
inline FileHandle const kNoFile = reinterpret_cast<FileHandle>(static_cast<std::intptr_t>(-1));

class ICommonFileSys {
 public:
  virtual FileHandle Open(const char* path) = 0;  // read-only, binary
  virtual int Read(FileHandle file, void* buffer, unsigned capacity) = 0;  // the whole file, or 0
  virtual int GetSize(FileHandle file) = 0;
  virtual void Close(FileHandle file) = 0;

 protected:
  ~ICommonFileSys() = default;
};

class IAlloc {
 public:
  virtual void* Alloc(const unsigned& size) = 0;
  virtual void Free(void* block, unsigned unused) = 0;

 protected:
  ~IAlloc() = default;
};

struct CursorClip {
  long left, top, right, bottom;
};
using CursorHandle = void*;

class ISystemApiManager {
 public:
  virtual ~ISystemApiManager() = default;
  virtual int ClipCursor(const CursorClip* clip) = 0;  // null releases the clip
  virtual CursorHandle SetCursor(CursorHandle cursor) = 0;  // returns the previous cursor
};

class IAudioPlayer {
 public:
  virtual int PlaySound(std::uint32_t sound) = 0;
  virtual int StopSound(std::uint32_t sound) = 0;
  virtual void SetVolume(std::uint32_t volume) = 0;

 protected:
  ~IAudioPlayer() = default;
};

class ISetting {
 public:
  virtual ILogger* GetLogger() = 0;
  virtual IUILuaScriptManager* GetScriptManager() = 0;
  virtual ICommonFileSys* GetFileSys() = 0;
  virtual IAlloc* GetAlloc() = 0;
  virtual ISystemApiManager* GetSysApiManager() = 0;
  virtual IAudioPlayer* GetAudioPlayer() = 0;
  // Texts the library and the host hand each other by name, after the fixed
  // services above: either side sets a value, the other reads it; null
  // while unset. The names in use follow.
  virtual void SetValue(const char* name, const char* value) = 0;
  virtual const char* GetValue(const char* name) = 0;

 protected:
  ~ISetting() = default;  // owned by the host, never deleted through the interface
};

// The file the library's script backend writes its transcript to: the host
// appends its printed message boxes there too.
constexpr char kTranscriptValue[] = "VelumFab.Transcript";
// Why the library could not show the dialog, or found a fault in the run it
// played (a failed script): the host ends with the failure exit code.
constexpr char kLibraryFailureValue[] = "VelumFab.Failure";

// The process's factory, or null while it could not be obtained.
ComponentFactory* TheComponentFactory();

// Owns one component of the library. Releasing it asks the factory to take
// it back; when the factory declines, the component destroys itself.
template <typename Interface, int kKind = 1>
class TVelumPtr {
 public:
  explicit TVelumPtr(Interface* component = nullptr) : component_(component) {}
  TVelumPtr(const TVelumPtr&) = delete;
  TVelumPtr& operator=(const TVelumPtr&) = delete;
  virtual ~TVelumPtr() { Release(); }

  Interface* get() const { return component_; }
  Interface* operator->() const { return component_; }
  explicit operator bool() const { return component_ != nullptr; }

  void Release() {
    if (component_ == nullptr) return;
    ComponentFactory* factory = TheComponentFactory();
    if (factory == nullptr || factory->ReleaseComponent(component_) == 0) component_->Destroy(0);
    component_ = nullptr;
  }

 private:
  Interface* component_;
};

}  // namespace Velum
