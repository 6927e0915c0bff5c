#pragma once

// String-table ids of the texts the settings document and its dialogs show.
namespace DocStr {
constexpr int OtherMonitor = 61213;
constexpr int ScreenDataUnavailable = 61214;
constexpr int ScreenData = 61225;
constexpr int ColorData = 61226;
constexpr int PowerData = 61227;
constexpr int OpenTitle = 61440;
constexpr int SaveAsTitle = 61441;
constexpr int AllFilesFilter = 61442;
constexpr int Untitled = 61443;
constexpr int OpenFailed = 61697;
constexpr int SaveFailed = 61698;
constexpr int UnexpectedFormat = 61728;
constexpr int FileNotFound = 61729; // "%1" = the file's title
constexpr int DiskFull = 61730;
constexpr int ReadDenied = 61731;  // "%1" = the file's title
constexpr int WriteDenied = 61732; // "%1" = the file's title
} // namespace DocStr
