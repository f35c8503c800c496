#include <gtest/gtest.h>

#include "app/Startup.h"

namespace {

void First() {}
void Second() {}

TEST(RegisterExitRoutine, KeepsOrderAndAddsEachRoutineOnce) {
    ProgramState program;
    RegisterExitRoutine(program, First);
    RegisterExitRoutine(program, Second);
    RegisterExitRoutine(program, First);
    EXPECT_EQ(program.exitRoutines, (std::vector<void (*)()>{First, Second}));
}

}  // namespace
