#pragma once

// A write past the process's file size limit must fail as any other write does, with "File too
// large", instead of ending the program with unsaved work. Both programs call this first.
namespace sw {

void reportFileSizeLimitAsError();

} // namespace sw
