// The simulated machine compares names and converts UTF-16 as the rest of the program does.
#pragma once

#include "sysaccess/text.h"

namespace sim {

using sysaccess::FoldCase;
using sysaccess::NameLess;
using sysaccess::SameName;
using sysaccess::TrimLeft;
using sysaccess::TrimRight;
using sysaccess::Utf16LeToUtf8;
using sysaccess::Utf8ToUtf16Le;

} // namespace sim
