#pragma once

#include <QStringList>

#include <cstdint>

namespace qelvo::picker
{

// The picker's result slots: slot 0 and up to 32767 more.
inline constexpr int kPickedSlots = 32768;

// The picker's choice as it closed, handed to whoever opened it.
struct PickResult {
    bool folderMode = false;
    std::uint8_t count = 0;
    // files[0]: the folder of the chosen files; files[1..count]: the chosen
    // names in list order, or in folder mode files[1]: the chosen folder.
    QStringList files;
};

} // namespace qelvo::picker
