#pragma once
// The life of the working folders, from preparation to the final copy into
// htm_out and the clean-up. Each phase is a fixed sequence of command lines and
// of reads of the listings they write; a failed test ends the run.

namespace docbase {

// Phase A: htm_out emptied, txt_in tested and listed (input_file_count),
// htm_in made anew, txt_wrk and htm_wrk created or emptied.
void prepare_workspace();
// Phase B: htm_in filled from htm_wrk and backed up, old outputs removed.
void refresh_working_folders();
// Phase C: htm_in and htm_out created and tested.
void create_output_folders();
// Phase D: results copied into htm_out, working files and folders removed,
// "processed 100%", the three closing command lines.
void finish_output();

}  // namespace docbase
