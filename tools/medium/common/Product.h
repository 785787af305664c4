#pragma once
// What the stand-in set-up installs and the stand-in uninstaller removes:
// the product's files, its registry entries and the hand-over value the
// launcher waits for.

namespace demo::product {

// HKEY_CURRENT_USER: the value "Path" holds the product folder without a
// trailing backslash; written last by the set-up.
inline constexpr wchar_t kSettingsKey[] = L"Software\\Lavonsys\\Korvex7";
inline constexpr wchar_t kPathValue[] = L"Path";

// HKEY_LOCAL_MACHINE: the uninstall entry with "UninstallString".
inline constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Korvex 7";

// The set-up's payload folder, next to Setup.exe; it holds the files below
// with the same relative paths they get in the product folder.
inline constexpr wchar_t kPayloadFolder[] = L"Korvex7";

inline constexpr wchar_t kProgram[] = L"korvex.exe";
inline constexpr wchar_t kHelp[] = L"Korvex7Hu.htm";
inline constexpr wchar_t kLicence[] = L"Licenc_Korvex70Hu.Txt";
inline constexpr wchar_t kUninstaller[] = L"Uninstall\\Uninst.exe";

// In the order the set-up copies them.
inline constexpr const wchar_t* kFiles[] = {kProgram, kHelp, kLicence, kUninstaller};

}  // namespace demo::product
