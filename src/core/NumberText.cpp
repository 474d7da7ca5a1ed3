#include "NumberText.h"

namespace tavorin {

std::string numberText(int v) {
    return v >= 0 ? " " + std::to_string(v) : std::to_string(v);
}

}  // namespace tavorin
