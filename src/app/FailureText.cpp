#include "app/FailureText.h"

#include "app/UiTexts.h"
#include "platform/TextFill.h"

namespace zavo {

std::wstring FailureReason(const AppContext& app, const Outcome& o) {
    if (o.ok()) return L"";
    if (o.refusal != Refusal::None)
        return app.Text(UiText{kRefusalTextBase + static_cast<int>(o.refusal), RefusalText(o.refusal)});
    return SystemReasonText(o.code, app.languageId);
}

std::wstring FailureDetails(const AppContext& app, const Outcome& o) {
    const std::wstring reason = FillIn(app.Text(kFailureReasonLine), {FailureReason(app, o)});
    return o.file.empty() ? reason : FillIn(app.Text(kFailureFileLine), {o.file}) + L"\n" + reason;
}

std::wstring FailureLine(const AppContext& app, const Outcome& o) {
    const std::wstring reason = FailureReason(app, o);
    return o.file.empty() ? reason : o.file + L": " + reason;
}

std::wstring SaveFailedMessage(const AppContext& app, const Outcome& o) {
    return app.Text(kSaveFailed) + L"\n\n" + FailureDetails(app, o) + L"\n\n" + app.Text(kSaveFailedKept);
}

int ProblemTextId(ProblemKind kind) {
    if (kind == ProblemKind::BadAppRule) return 0;
    const int k = static_cast<int>(kind);
    return k <= kLastProblemInFirstBlock ? kProblemTextBase + k : kLaterProblemTextBase + k;
}

std::wstring ProblemText(const AppContext& app, const ConfigProblem& p) {
    const int id = ProblemTextId(p.kind);
    const std::wstring text = id != 0 ? app.Text(UiText{id, ProblemTemplate(p.kind)}) : ProblemTemplate(p.kind);
    return FillIn(text, p.values);
}

std::wstring ProfileRefusalText(const AppContext& app, const ProfileRefusal& r) {
    if (r.kind == ProfileRefusalKind::Unreadable) return FailureDetails(app, r.failure);
    const UiText text{kProfileRefusalTextBase + static_cast<int>(r.kind), ProfileRefusalTemplate(r.kind)};
    return FillIn(app.Text(text), ProfileRefusalValues(r, ProblemText(app, r.problem)));
}

namespace {

std::wstring MacroNameText(const AppContext& app, const MacroNameCheck& check, const std::wstring& name) {
    switch (check.fault) {
        case MacroNameFault::None:
            return L"";
        case MacroNameFault::Empty:
            return app.Text(kMacroNameEmpty);
        case MacroNameFault::TooLong:
            return app.Text(kMacroNameTooLong) + std::to_wstring(check.maxLength);
        case MacroNameFault::BadCharacter:
            return app.Text(kMacroNameBadCharacter);
        case MacroNameFault::Reserved:
            return FillIn(app.Text(kMacroNameReserved), {name});
        case MacroNameFault::IniEnding:
            return app.Text(kMacroNameIniEnding);
    }
    return L"";
}

}  // namespace

std::wstring MacroFileText(const AppContext& app, const MacroFileResult& r) {
    switch (r.code) {
        case MacroFileResult::InvalidName:
            return MacroNameText(app, r.nameCheck, r.name);
        case MacroFileResult::AlreadyExists:
            return app.Text(kMacroNameExists);
        case MacroFileResult::TooLarge:
            return app.Text(kMacroFileTooLarge);
        case MacroFileResult::WriteFailed:
            return FailureDetails(app, r.failure);
        default:
            return L"";
    }
}

}  // namespace zavo
