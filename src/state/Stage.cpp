#include "shell/ProgramState.h"

namespace veltrin::shell {

int DueLevel(int courseStage) {
    if (courseStage == -1) return 0;
    if (courseStage >= 0 && courseStage <= 6) return courseStage + 1;
    if (courseStage >= 7 && courseStage <= 13) return courseStage - 6;
    return 8;
}

} // namespace veltrin::shell
