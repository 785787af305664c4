#pragma once
// Names the stand-in reader installer writes and its viewer answers to.

namespace demo::reader {

// HKEY_LOCAL_MACHINE: the key whose existence tells that a PDF reader is
// installed; created last. Its value "Viewer" names the installed viewer.
inline constexpr wchar_t kReaderKey[] = L"SOFTWARE\\Adobe\\Acrobat Reader";

// HKEY_CLASSES_ROOT: ".pdf" (default value) names this ProgID, whose
// shell\open\command is "<viewer>" "%1".
inline constexpr wchar_t kProgId[] = L"Lavonsys.DemoPdfViewer";

// The installer's payload, next to ar505eng.exe.
inline constexpr wchar_t kPayloadViewer[] = L"Viewer\\pdfview.exe";
inline constexpr wchar_t kViewerFile[] = L"pdfview.exe";

}  // namespace demo::reader
