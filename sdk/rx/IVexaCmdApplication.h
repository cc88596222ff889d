#pragma once

// Version of the host programming interface; a module built for another version is refused.
inline constexpr unsigned int kVexaApiVersion = 132448306;  // 0x07E50032

// The host's interface on a module's application object. The slot order of the operations is
// fixed: the host drives a module through this table.
class IVexaCmdApplication {
 public:
  virtual bool initApplication() = 0;  // after loading
  virtual void reservedHook1() = 0;
  virtual void reservedHook2() = 0;
  virtual void exitApplication() = 0;  // before unloading
  virtual int reservedQuery() = 0;
  virtual void registerExtensions() = 0;
  virtual void unregisterExtensions() = 0;

 protected:
  ~IVexaCmdApplication() = default;
};

// The two plain entry points every module exports.
extern "C" {
using VexaGetApiVersionFunc = unsigned int (*)();
using VexaGetCmdApplicationFunc = IVexaCmdApplication* (*)();
}
inline constexpr const char* kVexaApiVersionSymbol = "qvrxGetApiVersion";
inline constexpr const char* kVexaCmdApplicationSymbol = "GetVexaCmdApplication";
