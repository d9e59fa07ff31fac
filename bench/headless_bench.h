#pragma once
// What the benchmarks that click through the headless window share: a work folder's
// program folder with the shipped header and footer beside it, the Linux file system
// over it, and a timed single-page build that must end with its view question.

#include "app/frm_tavlo.h"
#include "pages/build_questions.h"
#include "platform/file_system.h"
#include "support/headless_ui.h"

#include <memory>
#include <string>

namespace tavlo::bench {

/// The arguments WORK_FOLDER [COUNT] [RUNS], defaults filled in; the benchmark ends
/// with its usage line when the work folder is missing.
struct WorkArguments {
    std::string work;  // a full path, ending in "/"
    long count;
    int runs;
};
WorkArguments readWorkArguments(int argc, char** argv, const std::string& usage, long count, int runs);

/// The Linux file system for a run in `work` (ending in "/"): "program" holds the
/// header and footer, "home" is the home folder, the shipped templates the template folder.
std::unique_ptr<FileSystem> benchFileSystem(const std::string& work);

/// A build's questions where nobody answers: a phase of a build run alone.
class NoQuestions final : public BuildQuestions {
public:
    bool starting(const PagePlan&) override { return true; }
    Answer ask(MessageKind, std::string_view) override { return Answer::No; }
};

/// The seconds a click on the single-page build takes, its view question answered No;
/// ends the benchmark unless the build asked every question scripted before and ended with that one.
double timedBuild(frmTAVLO& form, HeadlessUi& ui);

} // namespace tavlo::bench
