#include "app/FailureText.h"

#include "app/TextFill.h"
#include "app/UiTexts.h"

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

}  // namespace zavo
