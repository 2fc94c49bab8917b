#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/design_state.h"
#include "results/record_reader.h"

namespace folix {

inline constexpr const char* kResultsFileName = "Folix_Input.txt";
inline constexpr const char* kDuplicateMessage = "Bu parametreler halihaz\u0131rda dosyada kay\u0131tl\u0131d\u0131r!";

enum class SaveOutcome {
    Created,    // the file did not exist (or was empty): header, empty line and the record
    Appended,   // one record line added at the end
    Duplicate,  // an equal design is recorded already; the file is untouched
    Failed,     // the file could not be read or written; it is left exactly as it was
};

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Failed;
    std::filesystem::path file;  // the results file, as an absolute path
    std::string reason;          // for Failed: the system's reason, e.g. "Is a directory"
    int errorNumber = 0;         // for Failed: the errno behind reason; 0 when none is (a lock held too long)
};

// "Save result": sets Tau to the degrees that EM implies, then records the
// design in the results file unless an equal design is there already (equal:
// the same Delta and Gamma, XDltC within 0.000005, Tau within 0.005, among the
// first 100 records).
//
// Only appends: a file that holds something is never truncated or rewritten. A
// file that ends before its empty second line first receives the line ends it
// lacks, and a last line without its CR LF gets one before the record. A new
// file appears whole or not at all. Concurrent savers take turns: each holds an
// exclusive lock on the file from its first read to the end of its append, and
// one that cannot have it within a few seconds fails with "the results file is
// locked by another program". Shows nothing itself; the caller reports the
// outcome. Tau is set before the file is
// touched, whatever the outcome; an ArithmeticError (an overflow of Tau) ends
// the command before anything else, as in every computation.
SaveResult saveResult(DesignState& state, const std::filesystem::path& file = kResultsFileName);

// The records of a results file as the save command reads them (see
// readRecordedFile).
struct RecordedResults {
    std::vector<RecordedDesign> records;
    // Set when the file could not be read: outcome Failed with the reason a
    // save would give, e.g. "Is a directory".
    std::optional<SaveResult> failure;
};

// Reads up to `mostRecords` records of the file, as far into it as they go
// (a save reads only its start), under a shared lock, so that no save is half
// done meanwhile; a lock held elsewhere for a few seconds fails the read as it
// fails a save.
RecordedResults readResultsFile(const std::filesystem::path& file, std::size_t mostRecords);

}  // namespace folix
