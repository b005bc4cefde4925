#pragma once
// The three screens at the start of a run, each ending with its choice: the
// banner with the terms of use, the font advice, the installation advice.

namespace docbase {

// Shows the three screens one below the other; "2" at any of them ends the run.
void show_start_screens();

}  // namespace docbase
