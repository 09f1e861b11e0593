#pragma once
// How a write of the settings file ended, for the writers that tell the player more than
// "written" or "not written".

enum class WriteOutcome {
    Written,
    // Nothing was written: the file is exactly as it was.
    NotWritten,
    // A write in place stopped part-way: the file may hold part of the new bytes.
    PartlyWritten,
};
