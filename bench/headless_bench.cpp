#include "headless_bench.h"

#include "bench_support.h"
#include "platform/posix/posix_file_system.h"

#include <filesystem>

namespace tavlo::bench {

namespace fs = std::filesystem;

WorkArguments readWorkArguments(int argc, char** argv, const std::string& usage, long count, int runs)
{
    if (argc < 2)
        fail("usage: " + usage);
    return {fs::absolute(argv[1]).string() + "/", argc > 2 ? std::stol(argv[2]) : count, argc > 3 ? std::stoi(argv[3]) : runs};
}

std::unique_ptr<FileSystem> benchFileSystem(const std::string& work)
{
    const std::string program = work + "program";
    fs::create_directories(program);
    fs::create_directories(work + "home");
    const fs::path templates = TAVLO_BENCH_TEMPLATE_DIR;
    for (const auto& [shipped, placed] : {std::pair{"Intestaz.htm", "INTESTAZ.HTM"}, std::pair{"Intest_2.htm", "INTEST_2.HTM"},
                                          std::pair{"PIEDE.htm", "PIEDE.HTM"}})
        fs::copy_file(templates / shipped, program + "/" + placed, fs::copy_options::overwrite_existing);
    PosixFileSystemOptions options;
    options.programFolder = program;
    options.templateFolder = templates.string();
    options.homeFolder = work + "home";
    return createPosixFileSystem(options);
}

double timedBuild(frmTAVLO& form, HeadlessUi& ui)
{
    ui.answerNext(Answer::No);  // the question whether to show the page
    const double start = nowSeconds();
    form.click(ControlId::Command1);
    const double seconds = nowSeconds() - start;
    if (!ui.allAnswersUsed() || !ui.unexpected.empty() || ui.boxes.empty() || ui.boxes.back().kind != MessageKind::View)
        fail("the build did not end with its question; last box: " + (ui.boxes.empty() ? "none" : ui.boxes.back().prompt));
    return seconds;
}

} // namespace tavlo::bench
