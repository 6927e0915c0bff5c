#pragma once

#include <QString>

#include <vector>

// The program's string table: every user-visible text keyed by its resource id, English
// as written, translated through Qt Linguist (context "StringTable") for the user's
// language. An unknown id gives an empty string.
QString LoadAppString(int id);

// The English text of an id, untranslated (for tests and for the trace).
QString LoadAppStringEnglish(int id);

// Every id the table holds, in table order.
std::vector<int> AppStringIds();

// Ids of the strings that more than one place of the program shows.
namespace Str {
constexpr int DocTemplate = 128;
constexpr int AppTitle = 57344;
constexpr int Ready = 57345;
constexpr int IndicatorNum = 59138;

constexpr int AutoSizeRunning = 61204;
constexpr int NoMonitor = 61206;
constexpr int CommFailure = 61207;
constexpr int KeepChanges = 61209;
constexpr int ConvergenceShort = 61210;
constexpr int IndicatorFh = 61211;
constexpr int IndicatorFv = 61212;
constexpr int WrongMonitor = 61213;
constexpr int ScreenDataUnavailable = 61214;
constexpr int CursorFileMissing = 61215;
constexpr int AutoSizing = 61216;
constexpr int ProtocolRevision = 61219;
constexpr int CombinationFileMissing = 61221;
constexpr int ConvergenceLong = 61224;
constexpr int ScreenData = 61225;
constexpr int ColorData = 61226;
constexpr int PowerData = 61227;
constexpr int FlatPanel = 61228;
constexpr int HelpFileMissing = 61240;
constexpr int HelpTopicMissing = 61241;
constexpr int TimingUnknown = 61242;
constexpr int LinkLost = 61260;
constexpr int NotStoredDisconnected = 61261;
constexpr int Disconnected = 61262;
constexpr int LinkBack = 61263;
constexpr int OtherMonitor = 61264;
constexpr int ProfileFormatError = 61265;
constexpr int ProfileNotPlainFile = 61266;
constexpr int ScreenLost = 61243;
constexpr int DragArrowKeys = 61244;
constexpr int PortNotSwitched = 61270;
constexpr int OtherModel = 61271;
constexpr int PortSwitched = 61272;

constexpr int OpenTitle = 61440;
constexpr int SaveAsTitle = 61441;
constexpr int AllFilesFilter = 61442;
constexpr int Untitled = 61443;
constexpr int OpenFailed = 61697;
constexpr int SaveFailed = 61698;
constexpr int SaveChangesQuestion = 61699;
constexpr int UnexpectedFormat = 61728;
constexpr int FileNotFound = 61729;
constexpr int DiskFull = 61730;
constexpr int ReadDenied = 61731;
constexpr int WriteDenied = 61732;
constexpr int FolderWriteDenied = 61733;
} // namespace Str
