#pragma once

// The names form1.cpp and form1lists.cpp both use.
#include "dialog/prompter.h"
#include "dialog/texts.h"

namespace qelvo
{

namespace t = dialog::texts;
using dialog::tr8;
using Icon = dialog::Prompter::Icon;
using Buttons = dialog::Prompter::Buttons;
using Answer = dialog::Prompter::Answer;

} // namespace qelvo
