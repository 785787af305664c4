// A DLL that records that it was loaded: the end-to-end tests plant copies of
// it under the names of system DLLs beside the launcher. Each load appends
// "<its file name>\t<the loading program>" to planted.log beside it.
#include <windows.h>

namespace {

void Record(HINSTANCE self) {
  wchar_t path[MAX_PATH] = {}, program[MAX_PATH] = {};
  GetModuleFileNameW(self, path, MAX_PATH);
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  wchar_t* slash = wcsrchr(path, L'\\');
  if (!slash) return;
  wchar_t line[2 * MAX_PATH + 4] = {};
  lstrcpyW(line, slash + 1);
  lstrcatW(line, L"\t");
  lstrcatW(line, program);
  lstrcatW(line, L"\r\n");
  lstrcpyW(slash + 1, L"planted.log");
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(lstrlenW(line) * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Record(self);
  return TRUE;
}
