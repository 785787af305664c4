// Binds the 32-bit build's delay-loaded system functions (made by
// cmake/KorvexDelayLoad.cmake): on the first call of such a function its stub
// lands here with the function's record; the library is loaded from the
// system folder (once), the function looked up and stored in its import slot,
// so later calls go straight to it.
#include <windows.h>

namespace {

struct TDelayModule {
  HMODULE handle;    // 0 until loaded
  wchar_t name[1];   // the file name, zero-terminated, follows
};

struct TDelayEntry {
  void** slot;       // the function's import slot
  const char* name;  // its name in the library
};

HMODULE LoadFromSystemFolder(const wchar_t* name) {
  if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  // Systems without the search flags: the full path names the file.
  wchar_t path[MAX_PATH + 32] = {};
  UINT n = GetSystemDirectoryW(path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH || lstrlenW(name) > 30) return nullptr;
  path[n] = L'\\';
  lstrcpyW(path + n + 1, name);
  return LoadLibraryW(path);
}

}  // namespace

// A library or function that cannot be had ends the program with a message:
// the program could not go on without it.
extern "C" void* __stdcall KorvexDelayBind(TDelayModule* module, TDelayEntry* entry) {
  if (!module->handle) module->handle = LoadFromSystemFolder(module->name);
  FARPROC function = module->handle ? GetProcAddress(module->handle, entry->name) : nullptr;
  if (!function) FatalAppExitW(0, module->name);
  *entry->slot = reinterpret_cast<void*>(function);
  return *entry->slot;
}
