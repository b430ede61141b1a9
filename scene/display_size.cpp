// The process-wide display size record.
#include "scene/display_size.h"

namespace tarnel {

DisplaySize& displaySize() {
    static DisplaySize size;
    return size;
}

}  // namespace tarnel
