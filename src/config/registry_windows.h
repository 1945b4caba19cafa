#pragma once
// The Windows registry under HKEY_CLASSES_ROOT as a key store (Windows builds only).

#ifdef _WIN32

#include "config/file_types.h"

namespace qm {

class WindowsRegistryKeyStore final : public KeyStore {
 public:
  WindowsRegistryKeyStore() = default;
  ~WindowsRegistryKeyStore() override;
  WindowsRegistryKeyStore(const WindowsRegistryKeyStore&) = delete;
  WindowsRegistryKeyStore& operator=(const WindowsRegistryKeyStore&) = delete;

  bool OpenKey(const std::string& path) override;
  void WriteDefaultValue(const std::string& value) override;
  void CloseKey() override;

 private:
  void* m_key = nullptr;  // HKEY
};

}  // namespace qm

#endif
