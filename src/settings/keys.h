#pragma once

// The settings file's fixed texts: section headers, keys and record markers.
namespace qelvo::settings::keys
{

inline constexpr const char *kAppStateSection = "[AppState]";
inline constexpr const char *kExecuteStateSection = "[ExecuteState]";
inline constexpr const char *kSettingListsSection = "[SettingLists]";
inline constexpr const char *kStartList = "***StartList***";
inline constexpr const char *kEndList = "***EndList***";

inline constexpr const char *kAppName = "AppName=";
inline constexpr const char *kAppVersion = "AppVersion=";
inline constexpr const char *kAppLastAccPath = "AppLastAccPath=";
inline constexpr const char *kExecuteNumber = "ExecuteNumber=";
inline constexpr const char *kWPChanger = "WPChanger=";
inline constexpr const char *kWPIndex = "WPIndex=";
inline constexpr const char *kLastExecute = "LastExecute=";
inline constexpr const char *kListName = "ListName=";
inline constexpr const char *kChgTime = "ChgTime=";
inline constexpr const char *kZoomMax = "ZoomMax=";
inline constexpr const char *kRandomView = "RandomView=";
inline constexpr const char *kMouseDisable = "MouseDisable=";
inline constexpr const char *kEffect = "Effect=";
inline constexpr const char *kPathes = "Pathes";

inline constexpr const char *kLineEnd = "\r\n";

} // namespace qelvo::settings::keys
