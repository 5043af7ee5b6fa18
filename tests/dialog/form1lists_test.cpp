#include "form1fixture.h"
