#pragma once
// What a build asks whoever started it: the window shows each question in a box,
// the command line answers it from its options.

#include "pages/page_plan.h"
#include "platform/ui.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

class BuildQuestions {
public:
    virtual ~BuildQuestions() = default;

    /// The settings passed their checks, and the build is about to write these pages;
    /// false stops it there, with nothing written.
    virtual bool starting(const PagePlan& plan) = 0;
    /// A question with Yes and No (MessageKind::Overwrite, MissingTemplate or View) and its text.
    virtual Answer ask(MessageKind kind, std::string_view question) = 0;
    /// The series is written: its page names are the list the index page is made of.
    virtual void seriesWritten(const std::vector<std::string>& /*pages*/) {}
};

} // namespace tavlo
