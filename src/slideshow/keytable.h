#pragma once

// What a character key does during the show. Keys that give no character
// (arrows, function keys, Shift alone) never get here and do nothing.
namespace qelvo::slideshow {

enum class KeyCommand {
    PauseResume, // SPACE
    Back,        // B, b
    Next,        // N, n
    Wallpaper,   // W, w
    End,         // any other character, Escape and Enter included
};

[[nodiscard]] constexpr KeyCommand keyCommand(char16_t code)
{
    switch (code) {
    case 32:
        return KeyCommand::PauseResume;
    case 66:
    case 98:
        return KeyCommand::Back;
    case 78:
    case 110:
        return KeyCommand::Next;
    case 87:
    case 119:
        return KeyCommand::Wallpaper;
    default:
        return KeyCommand::End;
    }
}

} // namespace qelvo::slideshow
