#pragma once

// Module1: the run mode and the cursor routines that start-up and the show share.
#include "platform/cursor.h"
