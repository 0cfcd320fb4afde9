#include "platform/Outcome.h"

namespace zavo {

const wchar_t* RefusalText(Refusal r) {
    switch (r) {
        case Refusal::None:
            return L"";
        case Refusal::NotRegularFile:
            return L"This is not a regular file (it is a link, a folder, a pipe or a device); it is left as it is.";
        case Refusal::NoTemporary:
            return L"No temporary file could be made beside it.";
        case Refusal::Closed:
            return L"The temporary file is closed.";
        case Refusal::NoFolder:
            return L"No folder was given.";
        case Refusal::NotOurFolder:
            return L"This is not a folder of this program (a link or a file).";
        case Refusal::NoFreeName:
            return L"There is no free name for a new backup folder.";
        case Refusal::BadName:
            return L"A section or key name the settings file cannot hold.";
        case Refusal::LineBreak:
            return L"A value holds a line break.";
    }
    return L"";
}

std::wstring ReasonText(const Outcome& o) {
    if (o.ok()) return L"";
    return o.refusal != Refusal::None ? RefusalText(o.refusal) : SystemReasonText(o.code);
}

std::wstring DescribeFailure(const Outcome& o) {
    const std::wstring reason = ReasonText(o);
    return o.file.empty() ? reason : o.file + L": " + reason;
}

}  // namespace zavo
