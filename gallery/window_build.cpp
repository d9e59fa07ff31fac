#include "gallery/window_build.h"

#include "gallery/build.h"
#include "platform/text_rules.h"

namespace tavlo {
namespace {

// The build's questions in the window's boxes, and what the window shows of its course.
class WindowQuestions final : public BuildQuestions {
public:
    explicit WindowQuestions(Platform& p) : p_(p) {}

    // A single page leaves no page size behind: a series started next is refused until
    // the user types one. A series does so with its index (seriesWritten).
    bool starting(const PagePlan& plan) override
    {
        if (plan.series.empty())
            p_.form.setText(ControlId::txtMAX_N_FILES, "0");
        return true;
    }

    Answer ask(MessageKind kind, std::string_view question) override
    {
        return p_.ui.msgBox(kind, question, Buttons::YesNo);
    }

    // The list now holds the series' pages, which the index page is made of.
    void seriesWritten(const std::vector<std::string>& pages) override
    {
        p_.form.listClear();
        for (const std::string& page : pages)
            p_.form.listAdd(page);
        p_.form.setText(ControlId::txtMAX_N_FILES, "0");
    }

private:
    Platform& p_;
};

void buildFromWindow(Platform& p, JobVariables& job, BuildKind kind)
{
    WindowQuestions questions(p);
    const BuildOutcome outcome = buildGallery(p, questions, settingsFromWindow(p.form), kind);
    // A build that named no page leaves the last one for the result viewer.
    if (!outcome.job.Nome_Pagina.empty())
        job = outcome.job;
    if (outcome.offered)
        p.form.setEnabled(ControlId::Command5, true);
}

} // namespace

BuildSettings settingsFromWindow(const Controls& form)
{
    BuildSettings settings;
    settings.pagePath = form.text(ControlId::txtNOME_FILE_HTM);
    for (long i = 0; i < form.listCount(); ++i)
        settings.entries.append(form.listItem(i));
    settings.filesFound = numericValue(form.text(ControlId::txtNUM_FILE));
    settings.rowSize = numericValue(form.text(ControlId::txtMAX_PER_RIGA));
    settings.pageSize = numericValue(form.text(ControlId::txtMAX_N_FILES));
    settings.withoutBackground = form.checkValue(ControlId::Check1) != 0;
    settings.thumbnails = form.checkValue(ControlId::chkMINIATURE) != 0;
    return settings;
}

void Command1_Click(Platform& p, JobVariables& job) { buildFromWindow(p, job, BuildKind::SinglePage); }

void Command4_Click(Platform& p, JobVariables& job) { buildFromWindow(p, job, BuildKind::Series); }

} // namespace tavlo
