#pragma once
#include <cstdint>

// A top-level window of any application, as the desktop identifies it; 0 is none.
// (The same alias as the program's shared state uses.)
using WindowHandle = std::uint64_t;
