#include "platform/picturememory.h"

#include <malloc.h>

namespace qelvo
{

void returnFreedPicturesToSystem()
{
    // Setting the threshold also stops the library from moving it.
    (void)mallopt(M_MMAP_THRESHOLD, kPictureBlockBytes);
}

} // namespace qelvo
