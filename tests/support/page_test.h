#pragma once
// Fixtures of the page and build tests. PageTest hands pages to the page writer as a
// build command does; BuildTest is a started program whose output page lies in the
// folder "site" of the tree. Both use the small header and footer of page_rig.h and
// fail a test that scripted an answer nobody asked for.

#include "pages/page_writer.h"
#include "support/page_rig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo::test {

class PageTest : public ::testing::Test {
protected:
    explicit PageTest(RigOptions options = {}) : rig(options), folder(rig.tree.folder("site") + kSep)
    {
        if (options.withProgramTemplates)
            useSmallTemplates(rig);
        rig.type(ControlId::txtMAX_PER_RIGA, "3");
    }

    void TearDown() override { EXPECT_TRUE(rig.ui.allAnswersUsed()) << "a scripted answer was never asked for"; }

    /// The full path of a name in the page folder ("/" between names).
    std::string in(std::string_view relative) const { return folder + native(relative); }

    /// Hands the page to the writer as a build does: every list position, first to last.
    void write(const std::string& name, const std::vector<std::string>& entries)
    {
        for (const auto& entry : entries)
            rig.controls.listAdd(entry);
        writeRange(name, 1, static_cast<double>(rig.controls.listCount()));
    }

    void writeRange(const std::string& name, double first, double last)
    {
        JobVariables& job = rig.job();
        job.Cartella_Tavlo = folder;
        job.Nome_Pagina = name;
        job.Primo_File = first;
        job.Ultimo_File = last;
        Crea_Pagina(rig.platform(), job);
    }

    std::string pageText(const std::string& name) const { return rig.tree.read("site/" + name); }
    Lines page(const std::string& name) const { return crlfLines(pageText(name)); }

    Rig rig;
    std::string folder;  // the page folder, ending in the separator
};

class BuildTest : public ::testing::Test {
protected:
    explicit BuildTest(RigOptions options = {}) : rig(options), site(rig.tree.folder("site") + kSep)
    {
        useSmallTemplates(rig);
        rig.start();
        rig.type(ControlId::txtNOME_FILE_HTM, site + "TAVLO.HTM");
        // What the tests look at starts after start-up.
        rig.ui.boxes.clear();
        rig.ui.log.clear();
        rig.ui.pointers.clear();
        rig.ui.beeps = 0;
    }

    void TearDown() override { EXPECT_TRUE(rig.ui.allAnswersUsed()) << "a scripted answer was never asked for"; }

    /// The full path of a name in the output folder ("/" between names), as typed.
    std::string in(std::string_view relative) const { return site + native(relative); }
    /// The full path of a page in the output folder as the build names it.
    std::string built(std::string_view page) const { return builtFolder(rig, site) + std::string(page); }

    /// Entries named name1 + extension ... name<count> + extension in the output folder.
    std::vector<std::string> numbered(int count, std::string_view name, std::string_view extension) const
    {
        std::vector<std::string> entries;
        for (int i = 1; i <= count; ++i)
            entries.push_back(in(std::string(name) + std::to_string(i) + std::string(extension)));
        return entries;
    }

    std::string pageText(const std::string& name) const { return rig.tree.read("site/" + name); }
    Lines page(const std::string& name) const { return crlfLines(pageText(name)); }

    /// Messages and questions shown, in order.
    std::vector<std::string> prompts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : rig.ui.boxes)
            texts.push_back(box.prompt);
        return texts;
    }

    /// One call of the page writer, as seen when it creates the page.
    struct PageCall {
        std::string page;  // Cartella_Tavlo + Nome_Pagina
        double first;      // Primo_File
        double last;       // Ultimo_File
        std::size_t copiesBefore;  // template copies made before it
    };

    /// Records every call of the page writer in pageCalls (view pages are not pages).
    void watchPageCalls()
    {
        rig.fs.failCreate = [this](const std::string& path) {
            const JobVariables& job = rig.job();
            if (path == job.Cartella_Tavlo + job.Nome_Pagina)
                pageCalls.push_back({path, job.Primo_File, job.Ultimo_File, rig.fs.copies.size()});
            return Failure{};
        };
    }

    CurrentFolderKept currentFolderKept;
    Rig rig;
    std::string site;  // the output folder, ending in the separator
    std::vector<PageCall> pageCalls;
};

} // namespace tavlo::test
