#pragma once
// TSwapDisk: the thin platform layer under the swap-file storage. Everything
// the storage asks of the operating system goes through the one instance that
// SwapDisk() returns: files, the temporary directory, free space, physical
// memory, free address space and the handle count. The Win32 layer uses the
// calls the storage was designed for (CreateFile with sharing modes,
// GetTempFileName, GlobalMemoryStatusEx, SetHandleCount); the POSIX layer gives
// the same answers natively.
// Tests install a decorator (SetSwapDisk) to count calls and inject faults.
//
// Names are wide and lossless, as the framework's file calls take them
// (framework/FileIO.h): UTF-16 on Windows, handed to the wide-character calls
// as they are, from the call that produced a name (GetTempFileName,
// GetFullPathName, the caller) to the call that uses it; Unicode characters
// elsewhere, given to the file system as UTF-8. A folder whose name code page
// 1250 cannot hold (a user called so) works like any other. Failing calls
// record the system's error code, which LastError() returns until the next
// failure.

#include <cstdint>
#include <string>
#include <string_view>

// A code page 1250 name as a wide one (exact), and a wide name as code page
// 1250 text to show ("?" for letters the code page lacks).
std::wstring WideName(std::string_view Cp1250Name);
std::string NarrowName(std::wstring_view Name);

// Open modes: access in the low two bits, sharing in bits 4 to 6.
enum : uint8_t {
  fmOpenRead = 0x00,
  fmOpenWrite = 0x01,
  fmOpenReadWrite = 0x02,
  fmShareCompat = 0x00,  // others may read and write
  fmShareExclusive = 0x10,
  fmShareDenyWrite = 0x20,
  fmShareDenyRead = 0x30,
  fmShareDenyNone = 0x40,
};

// An open file: a Win32 HANDLE value or a POSIX descriptor.
using TDiskHandle = std::intptr_t;
inline constexpr TDiskHandle InvalidDiskHandle = -1;

class TSwapDisk {
public:
  virtual ~TSwapDisk() = default;

  // Opens an existing file / creates a file (truncating an existing one) with
  // the access and sharing of Mode. InvalidDiskHandle on failure.
  virtual TDiskHandle Open(const std::wstring& Name, uint8_t Mode) = 0;
  virtual TDiskHandle Create(const std::wstring& Name, uint8_t Mode) = 0;
  // Positional transfers; the result is the number of bytes moved. A read
  // moves fewer than asked only at the end of the file and gives -1 on any
  // failure (the buffer may then be partly overwritten). A write moves fewer
  // when the disk is full, and gives -1 when it failed before moving any.
  virtual int64_t ReadAt(TDiskHandle H, int64_t Offset, void* Buf, int64_t Bytes) = 0;
  virtual int64_t WriteAt(TDiskHandle H, int64_t Offset, const void* Buf, int64_t Bytes) = 0;
  // Sets the file's length to Size bytes.
  virtual bool Truncate(TDiskHandle H, int64_t Size) = 0;
  // The file's length in bytes, -1 on failure.
  virtual int64_t Size(TDiskHandle H) = 0;
  virtual bool Close(TDiskHandle H) = 0;

  virtual bool Delete(const std::wstring& Name) = 0;
  // Makes a unique name with Prefix in the temporary directory and creates the
  // (empty) file under it, as GetTempFileName does.
  virtual bool MakeTempName(const std::wstring& Prefix, std::wstring& Name) = 0;
  // Name expanded to a full path.
  virtual std::wstring FullName(const std::wstring& Name) = 0;
  // True for an existing file that is not a directory.
  virtual bool FileExists(const std::wstring& Name) = 0;
  // Size in bytes of the first directory entry matching Pattern (wildcards *
  // and ? allowed in the last component; directories count as 0), -1 when
  // nothing matches.
  virtual int64_t FileSize(const std::wstring& Pattern) = 0;
  // True when both names denote the same existing file.
  virtual bool SameFile(const std::wstring& A, const std::wstring& B) = 0;
  // Free bytes available to this process on the volume holding Path (a drive
  // root such as "C:\" or any directory; empty: the current directory), -1
  // when it cannot be determined.
  virtual int64_t FreeBytes(const std::wstring& Path) = 0;

  // Total physical memory in bytes.
  virtual int64_t PhysicalMemory() = 0;
  // Bytes of address space this process can still take (a 32-bit process
  // holds far less than a large machine's memory); INT64_MAX when unknown.
  virtual int64_t AvailableAddressSpace() = 0;
  // Asks for Wanted file handles; returns how many the platform grants.
  virtual uint32_t HandleCount(uint32_t Wanted) = 0;

  virtual int LastError() = 0;
};

// The layer in use.
TSwapDisk& SwapDisk();
// The platform's own layer.
TSwapDisk& PlatformSwapDisk();
// Installs Disk (nullptr restores the platform's layer); returns the previous.
// The caller keeps ownership of Disk and must restore before destroying it.
TSwapDisk* SetSwapDisk(TSwapDisk* Disk);
