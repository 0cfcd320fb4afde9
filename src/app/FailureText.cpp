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

std::wstring ProblemText(const AppContext& app, const ConfigProblem& p) {
    const int k = static_cast<int>(p.kind);
    const std::wstring text =
        k <= kLastProblemWithText ? app.Text(UiText{kProblemTextBase + k, ProblemTemplate(p.kind)}) : ProblemTemplate(p.kind);
    return FillIn(text, p.values);
}

std::wstring ProfileRefusalText(const AppContext& app, const ProfileRefusal& r) {
    if (r.kind == ProfileRefusalKind::Unreadable) return FailureDetails(app, r.failure);
    const UiText text{kProfileRefusalTextBase + static_cast<int>(r.kind), ProfileRefusalTemplate(r.kind)};
    return FillIn(app.Text(text), ProfileRefusalValues(r, ProblemText(app, r.problem)));
}

}  // namespace zavo
