#pragma once
#include <string>

namespace tavorin {

// A number written into a message or a saved game: one blank before it, or its minus sign.
std::string numberText(int v);

}  // namespace tavorin
