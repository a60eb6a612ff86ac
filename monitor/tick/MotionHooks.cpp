#include "monitor/tick/MotionHooks.h"

namespace motion {

MotionHooks& Hooks() {
    static MotionHooks hooks;
    return hooks;
}

}  // namespace motion
