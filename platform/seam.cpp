#include "platform/seam.h"

#include <stdexcept>

namespace {
Seam* installed = nullptr;
}

Seam& seam() {
    if (!installed) throw std::logic_error("no platform seam installed");
    return *installed;
}

void setSeam(Seam* s) { installed = s; }

Seam* currentSeam() { return installed; }
