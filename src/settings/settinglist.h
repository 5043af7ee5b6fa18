#pragma once

#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

namespace qelvo::settings
{

// One row of a setting list's file list. A DispName in parentheses marks a
// folder whose images the slide show expands.
struct FileEntry {
    QString DispName;
    QString FullPath;

    friend bool operator==(const FileEntry &, const FileEntry &) = default;
};

// One named setting list: its slide-show options and its file list.
struct SettingList {
    QString ListName;
    float ChgTime = 0.0f; // seconds per image
    float ZoomMax = 0.0f; // largest magnification
    std::uint8_t RandomView = 0;
    std::uint8_t MouseDisable = 0;
    std::uint8_t Effect = 0; // 1 = transitions off
    QVector<FileEntry> FileList;

    // Index of the last entry, -1 when the list is empty.
    [[nodiscard]] int LastFileIndex() const { return static_cast<int>(FileList.size()) - 1; }

    friend bool operator==(const SettingList &, const SettingList &) = default;
};

inline constexpr int kSlotCount = 11;           // slots 0..10 the dialog holds
inline constexpr int kMaxLists = 9;             // lists a user may create
inline constexpr int kMaxStoredEntries = 32768; // entries 0..32767 in storage
inline constexpr int kMaxShownEntries = 32767;  // entries the dialog and the play list show
inline constexpr int kValueMaxLength = 99;      // longest value a reader takes

using SettingSlots = std::array<SettingList, kSlotCount>;

} // namespace qelvo::settings
