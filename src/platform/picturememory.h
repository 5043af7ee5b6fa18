#pragma once

namespace qelvo
{

// Pictures are large blocks, made and freed at every change. The C library
// otherwise raises the size it hands out from its own heap to that of the
// largest block freed, and keeps the memory of freed pictures there: a show
// over many changes grew by a screen-sized picture every few dozen changes.
// Fixed at kPictureBlockBytes, every picture's memory is mapped for it alone
// and goes back to the system when the picture is freed. Call once, early.
void returnFreedPicturesToSystem();

inline constexpr int kPictureBlockBytes = 4 * 1024 * 1024;

} // namespace qelvo
