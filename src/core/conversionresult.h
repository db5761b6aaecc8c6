#pragma once

// What a converter did with one input, for callers that count (the command line's exit status).
// The user has already been told everything through the prompts.

namespace skarde {

enum class Outcome {
    Converted, // every output of the input was written
    Refused,   // the input is not of the expected format, or is damaged; nothing more written
    Failed,    // an input or output could not be read or written
};

struct ConversionResult {
    Outcome outcome = Outcome::Converted;
    int filesWritten = 0;
    int filesKept = 0; // outputs left alone because they exist (UserPrompts::keepsExistingFiles)
};

} // namespace skarde
