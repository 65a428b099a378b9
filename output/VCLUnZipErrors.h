#pragma once
// What the ZIP reader throws; each ends the extraction, leaving the files already extracted.

#include <stdexcept>

// No end-of-central-directory record.
struct EIncompleteZip : std::runtime_error {
    EIncompleteZip() : std::runtime_error("Incomplete Zip File") {}
};
// No central directory and no local header.
struct EBadZipFile : std::runtime_error {
    EBadZipFile() : std::runtime_error("Not a valid zip file!") {}
};
// A member's data end before its compressed size.
struct EFatalUnzipError : std::runtime_error {
    EFatalUnzipError() : std::runtime_error("Premature end of file reached") {}
};
// A member decodes to more than its uncompressed size.
struct EBiggerThanUncompressed : std::runtime_error {
    EBiggerThanUncompressed() : std::runtime_error("File is larger than uncompressed size!") {}
};
// A part of a set of numbered files is missing.
struct EUserCanceled : std::runtime_error {
    using std::runtime_error::runtime_error;
};
