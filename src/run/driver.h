#pragma once
// The run driver: the road of one run, stage after stage, with the progress
// lines between them.

namespace docbase {

// Performs one run in the current folder. Returns at its normal end; an early
// exit throws run_ended (end_run).
void run();

}  // namespace docbase
