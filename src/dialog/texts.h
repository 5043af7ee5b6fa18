#pragma once

// The settings dialog's own texts.
namespace qelvo::dialog::texts {
inline constexpr const char *kCaptionPrefix = "Qelvo - Version ";
} // namespace qelvo::dialog::texts
