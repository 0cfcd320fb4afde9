// The words a user reads about a failed file step (platform/Outcome.h): from
// the language module, English where the module lacks them, with the system's
// reason in the module's language.
#pragma once
#include <string>

#include "app/AppContext.h"
#include "config/ConfigCheck.h"
#include "light/ProfileExchange.h"
#include "macro/MacroFiles.h"
#include "platform/Outcome.h"

namespace zavo {

// Why it failed: the module's sentence of a refusal of the program, else the
// system's text for the code in the language of the context's module.
std::wstring FailureReason(const AppContext& app, const Outcome& o);

// "File: <file>" and "Reason: <reason>" on two lines, in the module's words
// (the reason line alone when no file is named).
std::wstring FailureDetails(const AppContext& app, const Outcome& o);

// "<file>: <reason>" in one line, for a status line.
std::wstring FailureLine(const AppContext& app, const Outcome& o);

// The message of a save that failed: what happened, where and why, and that
// the user's changes are kept.
std::wstring SaveFailedMessage(const AppContext& app, const Outcome& o);

// The module's string id of a kind's sentence; 0 for BadAppRule, whose value is
// the rules file's own sentence (the rules window words those faults itself).
int ProblemTextId(ProblemKind kind);

// What is wrong with a settings value, in the module's words.
std::wstring ProblemText(const AppContext& app, const ConfigProblem& p);

// Why a profile file was refused, in the module's words.
std::wstring ProfileRefusalText(const AppContext& app, const ProfileRefusal& r);

// What the macro editor tells of a refused or failed macro file operation: a
// refused name, a name that exists, a file too large to import, a failed file
// step. "" for the outcomes it tells nothing of (done, no file name, ...).
std::wstring MacroFileText(const AppContext& app, const MacroFileResult& r);

}  // namespace zavo
