// The one result type of the program's file work: what could not be done, to
// which file, and why, as the system's reason code (GetLastError on Windows,
// errno natively) or, where the program itself refused, its own reason.
//
// It holds no sentence. The window layer makes the text a user reads from the
// language module, with the system's reason in the user's language
// (app/FailureText.h); the tools, which have no language module, print the
// English text of ReasonText/DescribeFailure.
#pragma once
#include <cstdint>
#include <string>

namespace zavo {

// The step that failed.
enum class FileStep : std::uint8_t {
    None,        // nothing failed
    Read,        // reading a file
    Write,       // writing a file's new content (or a temporary file beside it)
    Replace,     // the new content replacing the file
    Remove,      // removing a file or an empty folder
    Rename,      // renaming a file or folder
    Copy,        // copying a file
    Link,        // a second name of a file
    MakeFolder,  // creating a folder
};

// Why, when the program refused rather than the system.
enum class Refusal : std::uint8_t {
    None,            // the system's code says why
    NotRegularFile,  // a link, folder, pipe or device where a file was to be
    NoTemporary,     // no temporary file could be made beside the target
    Closed,          // the temporary file was already given up
    NoFolder,        // no folder was named
    NotOurFolder,    // a link or a file where a folder of the program was to be
    NoFreeName,      // every name a new backup folder could take is in use
    BadName,         // a section or key name the settings format cannot hold
    LineBreak,       // a value with a line break
};

struct Outcome {
    FileStep what = FileStep::None;
    std::wstring file;       // the file (or folder) the step failed on
    std::uint32_t code = 0;  // the system's reason code; 0 when `refusal` says why
    Refusal refusal = Refusal::None;

    bool ok() const { return what == FileStep::None; }
    explicit operator bool() const { return ok(); }
    static Outcome Ok() { return {}; }
    static Outcome System(FileStep what, std::wstring file, std::uint32_t code) {
        return {what, std::move(file), code, Refusal::None};
    }
    static Outcome Refused(FileStep what, std::wstring file, Refusal why) {
        return {what, std::move(file), 0, why};
    }
    // The same failure named at `other` (a caller that knows the file the user
    // knows, not the temporary one beside it).
    Outcome At(std::wstring other) const {
        Outcome o = *this;
        o.file = std::move(other);
        return o;
    }
    bool operator==(const Outcome& o) const {
        return what == o.what && file == o.file && code == o.code && refusal == o.refusal;
    }
    bool operator!=(const Outcome& o) const { return !(*this == o); }
};

// The system's own text for a reason code, without a trailing line break: on
// Windows the message of `languageId` (0: the system's language; a language
// the system has no text in falls back to that), natively strerror.
std::wstring SystemReasonText(std::uint32_t code, std::uint16_t languageId = 0);

// The English sentence of a refusal ("" for Refusal::None).
const wchar_t* RefusalText(Refusal r);

// Why the outcome failed, in English for a refusal and in the system's
// language for a system code; "" when it did not fail.
std::wstring ReasonText(const Outcome& o);

// "<file>: <reason>", the form the tools print ("<reason>" without a file).
std::wstring DescribeFailure(const Outcome& o);

}  // namespace zavo
