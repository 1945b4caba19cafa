// The Windows registry under HKEY_CLASSES_ROOT as a key store; only a Windows build has it.
#ifdef _WIN32

#include "config/registry_windows.h"

#include <windows.h>

#include <stdexcept>
#include <string>

namespace qm {
namespace {

std::wstring Wide(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

}  // namespace

WindowsRegistryKeyStore::~WindowsRegistryKeyStore() { CloseKey(); }

bool WindowsRegistryKeyStore::OpenKey(const std::string& path) {
  CloseKey();
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  m_key = key;
  return true;
}

void WindowsRegistryKeyStore::WriteDefaultValue(const std::string& value) {
  const std::wstring wide = Wide(value);
  const auto bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
  if (RegSetValueExW(static_cast<HKEY>(m_key), nullptr, 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(wide.c_str()), bytes) != ERROR_SUCCESS)
    throw std::runtime_error("The registry value cannot be written.");
}

void WindowsRegistryKeyStore::CloseKey() {
  if (m_key) RegCloseKey(static_cast<HKEY>(m_key));
  m_key = nullptr;
}

}  // namespace qm

#endif
